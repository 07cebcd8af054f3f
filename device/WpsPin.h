// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>

// An eight-digit WPS PIN: seven digits from the clock and the WPS check digit.
std::u16string GenerateWpsPin(int64_t secondsSinceEpoch);
std::u16string GenerateWpsPin();

// The check digit of seven digits, as WPS defines it.
int WpsCheckDigit(uint32_t sevenDigits);
