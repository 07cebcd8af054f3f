// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

// The program's 8-bit text (template files, skin files, wire texts) is Windows-1252.
// These are the only two places where 8-bit and UTF-16 text meet.
std::u16string AnsiToUtf16(std::string_view text);

// Characters that Windows-1252 cannot hold become '?'.
std::string Utf16ToAnsi(std::u16string_view text);

char16_t AnsiCharToUtf16(unsigned char c);
