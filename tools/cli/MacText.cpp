// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/MacText.h"

#include <cctype>

std::string MacKey(std::string_view text)
{
    std::string key;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

bool IsMacText(std::string_view text)
{
    return MacKey(text).size() == 12;
}
