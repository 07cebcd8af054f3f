// SPDX-License-Identifier: Apache-2.0
#include "engine/Base64.h"

#include <cstdint>

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kMaxDecoded = 1024;

int AlphabetIndex(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return c - u'A';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 26;
    if (c >= u'0' && c <= u'9')
        return c - u'0' + 52;
    if (c == u'+')
        return 62;
    if (c == u'/')
        return 63;
    return -1;
}

template <typename Out, typename In> Out EncodeBytes(In bytes)
{
    Out out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            out.push_back(k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=');
    }
    return out;
}

} // namespace

std::u16string Base64Encode(std::u16string_view bytes)
{
    return EncodeBytes<std::u16string>(bytes);
}

std::string Base64Encode(std::string_view bytes)
{
    return EncodeBytes<std::string>(bytes);
}

std::u16string Base64Decode(std::u16string_view text)
{
    std::u16string out;
    size_t pos = 0;
    while (pos < text.size() && text[pos] != u'=') {
        uint32_t group = 0;
        size_t k = 0;
        for (; k < 4 && pos < text.size() && text[pos] != u'='; ++k, ++pos) {
            const int index = AlphabetIndex(text[pos]);
            if (index < 0)
                return u"ERROR";
            group |= static_cast<uint32_t>(index) << (18 - 6 * k);
        }
        for (size_t b = 0; b + 1 < k; ++b) {
            if (out.size() + 1 >= kMaxDecoded)
                return u"ERROR";
            out.push_back(static_cast<char16_t>((group >> (16 - 8 * b)) & 0xFF));
        }
    }
    return out;
}
