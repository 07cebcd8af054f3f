// SPDX-License-Identifier: Apache-2.0
#include "platform/Utf8.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Well-formed UTF-8 by lead byte (the Unicode standard's table 3-7); any other lead is invalid.
struct Utf8Lead
{
    uint8_t first;
    uint8_t last;
    uint8_t payloadMask;
    uint8_t continuations;
    uint8_t secondLow;
    uint8_t secondHigh;
};

constexpr Utf8Lead kLeads[] = {
    {0xC2, 0xDF, 0x1F, 1, 0x80, 0xBF}, {0xE0, 0xE0, 0x0F, 2, 0xA0, 0xBF}, {0xE1, 0xEC, 0x0F, 2, 0x80, 0xBF},
    {0xED, 0xED, 0x0F, 2, 0x80, 0x9F}, {0xEE, 0xEF, 0x0F, 2, 0x80, 0xBF}, {0xF0, 0xF0, 0x07, 3, 0x90, 0xBF},
    {0xF1, 0xF3, 0x07, 3, 0x80, 0xBF}, {0xF4, 0xF4, 0x07, 3, 0x80, 0x8F},
};

const Utf8Lead* FindLead(uint8_t lead)
{
    for (const Utf8Lead& rule : kLeads) {
        if (lead >= rule.first && lead <= rule.last)
            return &rule;
    }
    return nullptr;
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 | (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
}

} // namespace

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<uint8_t>(text[i++]);
        if (lead < 0x80) {
            out.push_back(lead);
            continue;
        }
        const Utf8Lead* rule = FindLead(lead);
        if (!rule) {
            AppendUtf16(out, kReplacement);
            continue;
        }
        char32_t c = lead & rule->payloadMask;
        size_t k = 0;
        for (; k < rule->continuations && i < text.size(); ++k, ++i) {
            const auto next = static_cast<uint8_t>(text[i]);
            // Only the second byte has a narrower range; it rules out overlong forms, surrogates
            // and code points past U+10FFFF.
            const uint8_t low = k == 0 ? rule->secondLow : 0x80;
            const uint8_t high = k == 0 ? rule->secondHigh : 0xBF;
            if (next < low || next > high)
                break;
            c = (c << 6) | (next & 0x3F);
        }
        // A broken sequence becomes one replacement character; the byte that broke it starts over.
        AppendUtf16(out, k == rule->continuations ? c : kReplacement);
    }
    return out;
}

std::string JsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out.push_back(ch);
            }
        }
    }
    return out + "\"";
}
