// SPDX-License-Identifier: Apache-2.0
#include "device/NetworkText.h"

#include <cstdio>

namespace {

int HexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

std::u16string Widen(const char* text)
{
    std::u16string out;
    for (; *text; ++text)
        out += static_cast<char16_t>(static_cast<unsigned char>(*text));
    return out;
}

} // namespace

Ipv4Bytes ParseAddress(std::u16string_view text)
{
    Ipv4Bytes ip{};
    size_t part = 0;
    unsigned value = 0;
    for (char16_t c : text) {
        if (c == u'.') {
            if (part < ip.size())
                ip[part] = static_cast<uint8_t>(value);
            ++part;
            value = 0;
        } else if (c >= u'0' && c <= u'9') {
            value = (value * 10 + (c - u'0')) & 0xFFFF;
        }
    }
    if (part < ip.size())
        ip[part] = static_cast<uint8_t>(value);
    return ip;
}

MacBytes ParseMac(std::u16string_view text)
{
    MacBytes mac{};
    for (size_t i = 0; i < mac.size(); ++i) {
        int value = 0;
        // Like a hexadecimal scan: up to two digits, stopping at the first non-digit.
        for (size_t k = 0; k < 2 && 3 * i + k < text.size(); ++k) {
            const int digit = HexDigit(text[3 * i + k]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
        }
        mac[i] = static_cast<uint8_t>(value);
    }
    return mac;
}

std::u16string FormatAddress(const Ipv4Bytes& ip)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
    return Widen(text);
}

std::u16string FormatMac(const MacBytes& mac)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02x.%02x.%02x.%02x.%02x.%02x", mac[0], mac[1], mac[2], mac[3], mac[4],
                  mac[5]);
    return Widen(text);
}
