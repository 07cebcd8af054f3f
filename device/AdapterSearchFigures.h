// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// What one adapter's pass of the last search saw.
struct AdapterSearchFigures
{
    std::string interfaceName;
    std::u16string ipText;
    int32_t adapterEntry = -1;
    int32_t requestsSent = 0;
    int32_t datagramsHeard = 0;
    int32_t repliesAccepted = 0;
    int32_t straysDropped = 0;     // not an answer to this search
    int32_t duplicatesDropped = 0; // a camera already listed
    std::chrono::milliseconds listened{0};
};
