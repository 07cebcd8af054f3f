// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>

// The decoded form of the chosen camera. Texts keep at most their record width less one.
struct CameraInfo
{
    static constexpr size_t kTextWidth = 64;
    static constexpr size_t kProdTypeWidth = 17;
    static constexpr size_t kProdHwSpecWidth = 33;

    std::u16string model;
    std::u16string name;
    std::u16string ipCopy;
    std::u16string macText;
    std::u16string prodType;
    std::u16string prodHwSpec;
    int32_t adapterEntry = -1;
    int32_t webPort = 0;
    int32_t reserved = 0;
    int32_t dnsSpec = 0;
    int32_t hasWireless = 0;
    int32_t dhcp = 0;
    std::u16string ip;
    std::u16string mask;
    std::u16string gateway;
    std::u16string dns1;
    std::u16string dns2;
};
