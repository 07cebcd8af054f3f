// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Like atoi: leading white space, an optional sign, then leading digits; no digits gives 0.
// Values outside int32 saturate instead of overflowing.
int32_t DecimalTextToInt(std::u16string_view text);

// "%d"
std::u16string IntToText(int64_t value);
