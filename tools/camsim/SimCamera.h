// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/NetworkText.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Wireless settings as a camera keeps them (names follow the template fields).
struct SimWireless
{
    std::string essid = "default";
    std::string wepKeys[4] = {"0000000000", "0000000000", "0000000000", "0000000000"};
    std::string wepKey = "00000000";
    int enable = 0;
    int channel = 6;
    std::string encryptionModeBits = "00000000";
    std::string keyLenAuthBits = "00000000";
    std::string keyFormatBits = "00000000";
    std::string txRateBits = "00000000";
    std::string channelRange = "00000000000000000000011111111111";
    // What the camera can do: "1" at character 7 - n offers option n.
    int wireMode = 0;
    std::string encryptionCaps = "00011111";     // none, WEP, TKIP, AES, TKIP and AES
    std::string authenticationCaps = "00111111"; // Open, Shared, Both, WPA, WPA2, WPA/WPA2
    std::string wepKeyLenCaps = "00000011";      // 64 and 128 bits
    std::string wepKeyFormatCaps = "00000011";   // ASCII and hex
    std::string wepDefaultKeyCaps = "00001111";  // keys 1 to 4
    int txRate = 0;
};

// One WPS join as the camera plays it.
struct SimWpsRun
{
    enum Phase
    {
        kIdle,
        kStarted,
        kKeySent,
        kSecretAccepted,
        kJoined
    };
    Phase phase = kIdle;
    int mode = 0;
    std::string pin;
    int pendingLeft = 0;
    std::array<uint8_t, 192> publicValue{}; // the camera's own, big-endian
    std::array<uint8_t, 192> secret{};      // left-aligned, zero-filled, as the wizard keeps it
    bool agreed = false;
    int sendsAccepted = 0;
    int sendsRejected = 0;
    // opcode -> the sequence number of its last request and the answer it got
    std::map<int, std::pair<uint16_t, std::vector<uint8_t>>> answers;
};

// One simulated camera: identity, settings and what it has been asked.
struct SimCamera
{
    MacBytes mac{};
    std::string model = "QC-100";
    std::string name = "Camera";
    std::string ip = "198.18.0.100";
    std::string mask = "255.255.255.0";
    std::string gateway = "0.0.0.0";
    std::string dns1 = "0.0.0.0";
    std::string dns2 = "0.0.0.0";
    int dhcp = 0;
    int webPort = 80;
    int reserved = 0;
    int dnsSpec = 0;
    std::string prodType = "IPCAM";
    std::string hwSpec = "00000000000000000000000000000000"; // character 32 is the wireless flag
    std::string firmware = "1.0.0";
    std::string user = "admin";
    // The enciphered forms once a credential change has arrived; until then the plain ones.
    std::string password = "admin";
    bool userEnciphered = false;
    bool passwordEnciphered = false;
    int power = 1;
    SimWireless wireless;
    std::vector<int> opcodes = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA8, 0xA9, 0xAA};
    int wpsPbc = 1;
    int wpsPin = 1;
    std::string wpsSsid = "WPS-AP"; // the network a WPS join ends in
    // How this camera plays a WPS run: the polls of each phase answer "pending" this often
    // first (-1: as --wps-pending says); the poll phase named by wpsStall ("inf" or "status")
    // stays pending for ever; the step named by wpsRefuse ("init", "inf", "send", "status") is
    // refused.
    int wpsPending = -1;
    std::string wpsStall;
    std::string wpsRefuse;
    SimWpsRun wps;
    int resets = 0;
    std::chrono::steady_clock::time_point restartedAt{};
    bool gone = false;           // left the network for good
    std::map<int, int> requests; // opcode -> count addressed to this camera
};

// Sets one key of a camera (the keys are listed in the simulator's usage text). False for an
// unknown key or a bad value.
bool SetCameraKey(SimCamera& camera, const std::string& key, const std::string& value);
