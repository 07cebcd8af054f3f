// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

// For terminals, JSON, Qt and skin files: UTF-16 <-> UTF-8, the one converter of the program.
// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Strict: overlong forms, surrogates and code points past U+10FFFF are not characters. Each
// broken sequence becomes one U+FFFD (its longest valid start), and decoding goes on at the
// byte that broke it, so a bad byte never swallows the characters after it.
std::u16string FromUtf8(std::string_view text);

// A JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);
