// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/NetworkText.h"

#include <cstdint>
#include <string>

// One IPv4 address of one of the PC's adapters.
struct AdapterAddress
{
    std::u16string ipText; // "0.0.0.0" for an adapter without address
    MacBytes mac{};
    Ipv4Bytes ip{};
    int32_t adapterOrdinal = 0; // shared by every address of one adapter
    int32_t dhcpEnabled = 0;
    std::string interfaceName; // what sockets bind to
};
