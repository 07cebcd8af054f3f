// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CameraInfo.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The wireless settings of the chosen camera: read at login, edited by the wireless pages,
// written back by SetWLan.
struct WirelessSettings
{
    int32_t adHoc = 0; // 0 infrastructure, 1 ad hoc
    std::u16string ssid;
    int32_t channel = 0;
    // The camera's codes as read (device/WirelessOptions.h names them).
    int32_t authentication = 0; // Authentication::Code
    int32_t encryption = 0;     // Encryption::Code
    int32_t wepKeyFormat = 0;   // WepKeyFormat::Code
    int32_t wepKeyLength = 0;   // WepKeyLength::Code
    int32_t wepDefaultKey = 0;  // 0 to 3
    int32_t txRate = 0;
    std::array<std::u16string, 4> wepKeys;
    std::u16string passphrase;
    std::u16string channelRange;   // "1" per allowed channel, the last character is channel 1
    std::u16string wirelessEnable; // "1" on, "0" off

    // The camera's texts as read.
    std::u16string channelText;
    std::u16string encryptionModeBits;
    std::u16string keyLengthAuthBits;
    std::u16string defaultKeyFormatBits;
    std::u16string txRateBits;
    std::u16string wireMode;
    std::u16string encryptionCaps;
    std::u16string authenticationCaps;
    std::u16string wepKeyLengthCaps;
    std::u16string wepKeyFormatCaps;
    std::u16string wepDefaultKeyCaps;
    std::u16string txRateText;
};

// What an apply sent without hearing that the camera took it: a write whose answer was lost may
// still have taken effect, so only what the camera says afterwards can tell.
struct ApplyUnconfirmed
{
    bool writes = false;   // a write after the password change went unanswered, and the apply went on
    bool wireless = false; // SetWLan was one of them
    // What GetWLan read back right after that SetWLan; nothing when the reading went unanswered too.
    std::optional<WirelessSettings> wirelessReadBack;
};

// What the last apply sent, for the camera list that follows: it looks for the camera by MAC and
// says whether it took the settings.
struct AppliedSettings
{
    CameraInfo camera;
    WirelessSettings wireless;
    ApplyUnconfirmed unconfirmed;
};

// What the wizard knows and has collected about the chosen camera; shared by every page.
struct WizardState
{
    static constexpr size_t kOpcodeSlots = 64;

    int32_t wpsMethod = 0; // 1 push button, 2 PIN
    CameraInfo camera;
    int32_t wpsChosen = 0;
    std::u16string adminId;
    std::u16string adminPassword;
    std::u16string newId;
    std::u16string newPassword;
    std::u16string confirmPassword;
    int32_t changeId = 0;
    int32_t changePassword = 0;
    int32_t applyStatus = 0;
    WirelessSettings wireless;
    std::array<int32_t, kOpcodeSlots> supportedOpcodes{};
    int32_t wpsShow = 0;
    int32_t onlyWirelessNew = 0;
    // Filled by every apply (ApplySequence), cleared when it starts.
    ApplyUnconfirmed applyUnconfirmed;
    // Taken (and cleared) by the camera list that follows an apply, not by the reset.
    std::optional<AppliedSettings> lastApplied;

    bool SupportsOpcode(int32_t opcode) const
    {
        return std::find(supportedOpcodes.begin(), supportedOpcodes.end(), opcode) != supportedOpcodes.end();
    }
    // A camera that can join a network by WPS.
    bool WpsCapable() const { return SupportsOpcode(178) || SupportsOpcode(193); }
};
