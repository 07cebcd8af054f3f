// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using Ipv4Bytes = std::array<uint8_t, 4>;
using MacBytes = std::array<uint8_t, 6>;

// Dotted decimal octets, each taken modulo 256; missing octets are 0.
Ipv4Bytes ParseAddress(std::u16string_view text);
// Six hexadecimal pairs at a stride of three characters ("00.11.22.33.44.55").
MacBytes ParseMac(std::u16string_view text);
// "%u.%u.%u.%u"
std::u16string FormatAddress(const Ipv4Bytes& ip);
// "%02x.%02x.%02x.%02x.%02x.%02x"
std::u16string FormatMac(const MacBytes& mac);
