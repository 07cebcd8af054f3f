// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CameraInfo.h"

#include <string>
#include <vector>

class CDeviceManager;

// Whether a camera took the network settings written to it: what a fresh search says about the
// camera, looked up by its MAC, against what was applied. Shared by the wizard and the CLI.

enum class NetworkSetting
{
    Address,
    Mask,
    Gateway,
    Dns1,
    Dns2,
    Dhcp,
    Name,
};

struct SettingDifference
{
    NetworkSetting setting;
    std::u16string applied;
    std::u16string found;
};

struct SettingsConfirmation
{
    enum Outcome
    {
        Confirmed,
        Differs,
        NotSeenAgain,
    };
    Outcome outcome = NotSeenAgain;
    std::vector<SettingDifference> differences; // in the order of NetworkSetting
};

// The settings in which found differs from applied. Addresses compare by value ("" and "0.0.0.0"
// are the same, so are "010" and "10"); with DHCP applied the addresses are the DHCP server's
// choice and are not compared.
std::vector<SettingDifference> CompareNetworkSettings(const CameraInfo& applied, const CameraInfo& found);

// Finds the camera applied.macText in the manager's list (the search after the apply must have
// finished) and compares what it answered with what was applied.
SettingsConfirmation ConfirmNetworkSettings(CDeviceManager& manager, const CameraInfo& applied);

// "address", "mask", "gateway", "DNS 1", "DNS 2", "DHCP", "name".
std::u16string_view SettingName(NetworkSetting setting);

// "gateway '0.0.0.0' instead of '198.19.4.1', name 'Camera' instead of 'Gate'"
std::u16string DescribeDifferences(const std::vector<SettingDifference>& differences);
