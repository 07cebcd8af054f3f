// SPDX-License-Identifier: Apache-2.0
#include "tools/camsim/SimCamera.h"

#include <cstdlib>
#include <sstream>

namespace {

bool ToInt(const std::string& text, int& out)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0')
        return false;
    out = static_cast<int>(value);
    return true;
}

bool ToMac(const std::string& text, MacBytes& mac)
{
    if (text.size() != 17)
        return false;
    std::u16string wide(text.begin(), text.end());
    mac = ParseMac(wide);
    return true;
}

// Opcodes separated by ":" ("0xA2:0xA3" or "162:163"); an empty list is allowed.
bool ToOpcodes(const std::string& text, std::vector<int>& opcodes)
{
    std::vector<int> list;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ':');) {
        int opcode = 0;
        if (!ToInt(item, opcode))
            return false;
        list.push_back(opcode);
    }
    opcodes = list;
    return true;
}

} // namespace

bool SetCameraKey(SimCamera& camera, const std::string& key, const std::string& value)
{
    SimWireless& w = camera.wireless;
    const std::map<std::string, std::string*> texts = {
        {"model", &camera.model},
        {"name", &camera.name},
        {"ip", &camera.ip},
        {"mask", &camera.mask},
        {"gateway", &camera.gateway},
        {"dns1", &camera.dns1},
        {"dns2", &camera.dns2},
        {"prodtype", &camera.prodType},
        {"hwspec", &camera.hwSpec},
        {"firmware", &camera.firmware},
        {"user", &camera.user},
        {"password", &camera.password},
        {"wpsssid", &camera.wpsSsid},
        {"wpsstall", &camera.wpsStall},
        {"wpsrefuse", &camera.wpsRefuse},
        {"essid", &w.essid},
        {"wepkey1", &w.wepKeys[0]},
        {"wepkey2", &w.wepKeys[1]},
        {"wepkey3", &w.wepKeys[2]},
        {"wepkey4", &w.wepKeys[3]},
        {"wepkey", &w.wepKey},
        {"encbits", &w.encryptionModeBits},
        {"authbits", &w.keyLenAuthBits},
        {"keybits", &w.keyFormatBits},
        {"ratebits", &w.txRateBits},
        {"channelrange", &w.channelRange},
        {"enccaps", &w.encryptionCaps},
        {"authcaps", &w.authenticationCaps},
        {"keylencaps", &w.wepKeyLenCaps},
        {"keyformatcaps", &w.wepKeyFormatCaps},
        {"defkeycaps", &w.wepDefaultKeyCaps},
    };
    const std::map<std::string, int*> numbers = {
        {"dhcp", &camera.dhcp},         {"webport", &camera.webPort},
        {"reserved", &camera.reserved}, {"dnsspec", &camera.dnsSpec},
        {"channel", &w.channel},        {"power", &camera.power},
        {"wpspbc", &camera.wpsPbc},     {"wpspin", &camera.wpsPin},
        {"wlanenable", &w.enable},      {"wpspending", &camera.wpsPending},
        {"wiremode", &w.wireMode},      {"txrate", &w.txRate},
    };
    if (auto it = texts.find(key); it != texts.end()) {
        *it->second = value;
        return true;
    }
    if (auto it = numbers.find(key); it != numbers.end())
        return ToInt(value, *it->second);
    if (key == "mac")
        return ToMac(value, camera.mac);
    if (key == "opcodes")
        return ToOpcodes(value, camera.opcodes);
    if (key == "wireless") {
        int on = 0;
        if (!ToInt(value, on))
            return false;
        camera.hwSpec.resize(32, '0');
        camera.hwSpec[31] = on ? '1' : '0';
        return true;
    }
    return false;
}
