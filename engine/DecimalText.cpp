// SPDX-License-Identifier: Apache-2.0
#include "engine/DecimalText.h"

#include <algorithm>
#include <limits>

int32_t DecimalTextToInt(std::u16string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || (text[pos] >= u'\t' && text[pos] <= u'\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        negative = text[pos++] == u'-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos)
        value = std::min(value * 10 + (text[pos] - u'0'), kLimit);
    if (negative)
        return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

std::u16string IntToText(int64_t value)
{
    const std::string narrow = std::to_string(value);
    return std::u16string(narrow.begin(), narrow.end());
}
