#pragma once

#include "NetworkText.h"

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
    // The enciphered form once a password change has arrived; until then the plain one.
    std::string password = "admin";
    bool passwordEnciphered = false;
    SimWireless wireless;
    std::vector<int> opcodes = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA8, 0xA9, 0xAA};
    int wpsPbc = 1;
    int wpsPin = 1;
    int resets = 0;
    std::map<int, int> requests; // opcode -> count addressed to this camera
};

// Sets one key of a camera ("mac", "model", "name", "ip", "mask", "gateway", "dns1", "dns2",
// "dhcp", "webport", "reserved", "dnsspec", "prodtype", "hwspec", "wireless", "firmware",
// "user", "password", "essid", "channel"). False for an unknown key or a bad value.
bool SetCameraKey(SimCamera& camera, const std::string& key, const std::string& value);
