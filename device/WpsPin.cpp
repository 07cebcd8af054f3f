// SPDX-License-Identifier: Apache-2.0
#include "device/WpsPin.h"

#include <chrono>
#include <cstdio>

int WpsCheckDigit(uint32_t sevenDigits)
{
    int sum = 0;
    for (int position = 0; position < 7; ++position) {
        // Counted from the last digit: the 1st, 3rd, 5th and 7th weigh 3.
        const int digit = static_cast<int>(sevenDigits % 10);
        sum += position % 2 == 0 ? 3 * digit : digit;
        sevenDigits /= 10;
    }
    return (10 - sum % 10) % 10;
}

std::u16string GenerateWpsPin(int64_t secondsSinceEpoch)
{
    const auto byteAt = [secondsSinceEpoch](int index) {
        return static_cast<int32_t>(static_cast<int8_t>((secondsSinceEpoch >> (8 * index)) & 0xFF));
    };
    const uint32_t x = static_cast<uint32_t>((byteAt(0) * 256 + byteAt(1)) * 256 + byteAt(2));
    const uint32_t digits = x % 10000000u;
    char text[16];
    std::snprintf(text, sizeof text, "%08u", digits * 10 + static_cast<uint32_t>(WpsCheckDigit(digits)));
    return std::u16string(text, text + 8);
}

std::u16string GenerateWpsPin()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return GenerateWpsPin(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}
