#include "SimCamera.h"

#include <cstdlib>

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

} // namespace

bool SetCameraKey(SimCamera& camera, const std::string& key, const std::string& value)
{
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
        {"essid", &camera.wireless.essid},
    };
    const std::map<std::string, int*> numbers = {
        {"dhcp", &camera.dhcp},       {"webport", &camera.webPort},          {"reserved", &camera.reserved},
        {"dnsspec", &camera.dnsSpec}, {"channel", &camera.wireless.channel},
    };
    if (auto it = texts.find(key); it != texts.end()) {
        *it->second = value;
        return true;
    }
    if (auto it = numbers.find(key); it != numbers.end())
        return ToInt(value, *it->second);
    if (key == "mac")
        return ToMac(value, camera.mac);
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
