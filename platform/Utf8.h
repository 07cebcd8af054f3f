#pragma once

#include <string>
#include <string_view>

// For terminals, JSON and Qt: UTF-16 <-> UTF-8. Invalid input becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// A JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);
