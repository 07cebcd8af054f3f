// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cctype>
#include <string>

// A readable test name from a case description: "word -1 in two bytes" -> "WordMinus1InTwoBytes".
inline std::string TestName(const std::string& what)
{
    std::string name;
    bool upper = true;
    for (size_t i = 0; i < what.size(); ++i) {
        const char c = what[i];
        const bool negative = c == '-' && (i == 0 || what[i - 1] == ' ') && i + 1 < what.size() &&
                              std::isdigit(static_cast<unsigned char>(what[i + 1]));
        if (negative) {
            name += "Minus";
            upper = true;
        } else if (std::isalnum(static_cast<unsigned char>(c))) {
            name.push_back(upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c);
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}
