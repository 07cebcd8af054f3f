// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/WizardState.h"

#include <string>
#include <string_view>
#include <vector>

// Whether a camera holds the wireless settings written to it: what GetWLan reads back against
// what SetWLan sent. Shared by the wizard and the CLI.

struct WirelessDifference
{
    std::u16string_view setting; // "SSID", "WEP key 1", "channel", ...
    std::u16string written;
    std::u16string held;
    bool secret; // a key or the passphrase: named, never shown
};

// The settings that SetWLan writes in which held differs from written, compared as they travel
// (each of the bit fields by its four or eight bits).
std::vector<WirelessDifference> CompareWirelessSettings(const WirelessSettings& written,
                                                        const WirelessSettings& held);

// "SSID 'Yard' instead of 'Back yard', WEP key 1 not as written"
std::u16string DescribeWirelessDifferences(const std::vector<WirelessDifference>& differences);
