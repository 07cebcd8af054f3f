// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/DeviceProtocol.h"
#include "device/NetworkText.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

// One camera of the list: its search reply as received (334 bytes) and the adapter entry that
// heard it.
struct TemplateCameraRecord
{
    std::array<uint8_t, DeviceProtocol::kRecordSize> bytes{};

    // Keeps at most the first 334 bytes of a reply; the rest of the record stays zero.
    static TemplateCameraRecord FromReply(std::span<const uint8_t> reply, int32_t adapterEntry);

    MacBytes Mac() const;
    Ipv4Bytes Ip() const;
    std::u16string Model() const;
    std::u16string Name() const;
    int32_t AdapterEntry() const;
    std::span<const uint8_t> Body() const;
};

static_assert(sizeof(TemplateCameraRecord) == DeviceProtocol::kRecordSize);
