// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

// RFC 4648 base64 over 8-bit characters (the low 8 bits of each UTF-16 unit).
std::u16string Base64Encode(std::u16string_view bytes);
std::string Base64Encode(std::string_view bytes);

// Stops at the end or at the first "="; "ERROR" for a character outside the alphabet
// or for a result that would reach 1,024 characters.
std::u16string Base64Decode(std::u16string_view text);
