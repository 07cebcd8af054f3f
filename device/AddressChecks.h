// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CameraInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The checks that a static address set-up must pass, shared by the network page and the
// command-line tool.

enum class AddressMode
{
    Required,
    Optional,
};

// Spaces removed; four decimal numbers up to 255 (empty pieces skipped), the first from 1 to 223.
// Returns the normalised "%d.%d.%d.%d" text, an empty text for an accepted empty optional one,
// or nothing when rejected. An optional field also takes "0.0.0.0", the camera's "none".
std::optional<std::u16string> CheckAddress(std::u16string_view text, AddressMode mode);

// A contiguous mask (0.0.0.0 and 255.255.255.255 included, 255.255.255.254 not), in any form
// the standard dotted-address parser reads. Returns it as dotted decimal, or nothing.
std::optional<std::u16string> CheckMask(std::u16string_view text);

// A gateway other than empty or "0.0.0.0" must lie strictly between the subnet's network and
// broadcast addresses.
bool CheckGateway(std::u16string_view ip, std::u16string_view mask, std::u16string_view gateway);

struct StaticAddress
{
    std::u16string ip;
    std::u16string mask;
    std::u16string gateway;
    std::u16string dns1;
    std::u16string dns2;
};

enum class AddressField
{
    Ip,
    Mask,
    Gateway,
    Dns1,
    Dns2,
};

struct StaticAddressCheck
{
    std::optional<AddressField> failed; // the first field that failed, in page order
    StaticAddress normalised;           // valid when nothing failed
    // The skin message that names the failure: 54 (address) to 58 (secondary DNS).
    int MessageNumber() const { return failed ? 54 + static_cast<int>(*failed) : 0; }
};

StaticAddressCheck CheckStaticAddress(const StaticAddress& input);

// Stores checked addresses in the camera record; its DHCP flag is the caller's to set.
void StoreStaticAddress(const StaticAddress& address, CameraInfo& camera);
