// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string_view>

// Camera families with rules of their own, recognised by a part of the model name.

// "K7Z": offered WPS from the camera list, and its WEP authentication is fixed in ad hoc mode.
bool IsK7ZModel(std::u16string_view model);

// "K3W", "K5Q", "K7Z": take new settings only after a restart, so every apply ends with Reset.
bool RestartsAfterApply(std::u16string_view model);
