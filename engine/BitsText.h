// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

// The low four bits of n as "0"/"1" characters, most significant first.
std::u16string BitsText4(int n);

// The first n characters of a "0"/"1" text as a binary number; anything but "1" counts as 0.
int BitsTextToInt(std::u16string_view text, int n);
