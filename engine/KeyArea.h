// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "engine/KeyExchange.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The key-exchange slots of a device manager.
struct KeyArea
{
    static constexpr size_t kSlotSize = 256;

    std::array<uint8_t, kSlotSize> ownPublicKey{};
    std::array<uint8_t, kSlotSize> secondSlot{};
    std::array<uint8_t, kSlotSize> sharedSecret{};
    std::array<uint8_t, kSlotSize> secretScratch{};

    // The WPS query clears the three slots before it asks.
    void ClearSlots()
    {
        ownPublicKey.fill(0);
        secondSlot.fill(0);
        sharedSecret.fill(0);
    }
};
