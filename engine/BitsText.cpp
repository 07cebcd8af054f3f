// SPDX-License-Identifier: Apache-2.0
#include "engine/BitsText.h"

std::u16string BitsText4(int n)
{
    std::u16string out;
    for (int bit = 3; bit >= 0; --bit)
        out.push_back((n >> bit) & 1 ? u'1' : u'0');
    return out;
}

int BitsTextToInt(std::u16string_view text, int n)
{
    int value = 0;
    for (int i = 0; i < n; ++i) {
        const bool set = static_cast<size_t>(i) < text.size() && text[i] == u'1';
        value = (value << 1) | (set ? 1 : 0);
    }
    return value;
}
