// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Lower-case hex, two digits a byte, no separators.
std::string ToHex(std::span<const uint8_t> bytes);

// Accepts upper or lower case, ignores white space and ':' between bytes; nullopt for anything else.
std::optional<std::vector<uint8_t>> FromHex(std::string_view text);
