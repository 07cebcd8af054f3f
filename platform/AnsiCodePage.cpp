// SPDX-License-Identifier: Apache-2.0
#include "platform/AnsiCodePage.h"

#include <array>

namespace {

// 0x80..0x9F; the five holes of the code page map to the C1 control of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char Utf16CharToAnsi(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

char16_t AnsiCharToUtf16(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0)
        return kHighControls[c - 0x80];
    return c;
}

std::u16string AnsiToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char c : text)
        out.push_back(AnsiCharToUtf16(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text)
        out.push_back(Utf16CharToAnsi(c));
    return out;
}
