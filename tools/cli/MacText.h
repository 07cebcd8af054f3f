// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

// The hexadecimal digits of a MAC text, lower case: "02:00:0A:..." and "02.00.0a..." give the same.
std::string MacKey(std::string_view text);
// Whether text holds the twelve hexadecimal digits of a MAC (any separators).
bool IsMacText(std::string_view text);
