// SPDX-License-Identifier: Apache-2.0
#include "device/AdapterTable.h"

#include <algorithm>
#include <cstring>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <map>
#include <net/if.h>
#include <netinet/in.h>

namespace {

struct Interface
{
    std::string name;
    MacBytes mac{};
    bool usable = false;
    std::vector<Ipv4Bytes> addresses;
};

bool Usable(unsigned flags)
{
    return (flags & IFF_UP) && (flags & IFF_BROADCAST) && !(flags & IFF_LOOPBACK);
}

} // namespace

std::vector<AdapterAddress> ListAdapterAddresses()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return {};
    std::map<unsigned, Interface> byIndex;
    for (const ifaddrs* ifa = list; ifa != nullptr; ifa = ifa->ifa_next) {
        if (ifa->ifa_addr == nullptr)
            continue;
        const unsigned index = if_nametoindex(ifa->ifa_name);
        if (index == 0)
            continue;
        Interface& entry = byIndex[index];
        entry.name = ifa->ifa_name;
        entry.usable = Usable(ifa->ifa_flags);
        if (ifa->ifa_addr->sa_family == AF_PACKET) {
            const auto* link = reinterpret_cast<const sockaddr_ll*>(ifa->ifa_addr);
            std::memcpy(entry.mac.data(), link->sll_addr,
                        std::min<size_t>(link->sll_halen, entry.mac.size()));
        } else if (ifa->ifa_addr->sa_family == AF_INET) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(ifa->ifa_addr);
            Ipv4Bytes ip;
            std::memcpy(ip.data(), &in->sin_addr, ip.size());
            entry.addresses.push_back(ip);
        }
    }
    freeifaddrs(list);

    std::vector<AdapterAddress> table;
    int32_t ordinal = 0;
    for (auto& [index, interface] : byIndex) {
        if (!interface.usable)
            continue;
        if (interface.addresses.empty())
            interface.addresses.push_back(Ipv4Bytes{});
        for (const Ipv4Bytes& ip : interface.addresses) {
            AdapterAddress entry;
            entry.ip = ip;
            entry.ipText = FormatAddress(ip);
            entry.mac = interface.mac;
            entry.adapterOrdinal = ordinal;
            entry.interfaceName = interface.name;
            table.push_back(entry);
        }
        ++ordinal;
    }
    return table;
}

AdapterChoice ChooseAdapterEntries(const std::vector<AdapterAddress>& listed)
{
    const auto addressed = static_cast<size_t>(std::count_if(
        listed.begin(), listed.end(), [](const AdapterAddress& a) { return a.ip != Ipv4Bytes{}; }));
    size_t roomWithoutAddress = addressed < kMaxAdapterEntries ? kMaxAdapterEntries - addressed : 0;
    AdapterChoice choice;
    for (const AdapterAddress& adapter : listed) {
        if (adapter.ip == Ipv4Bytes{}) {
            if (roomWithoutAddress > 0) {
                --roomWithoutAddress;
                choice.entries.push_back(adapter);
            }
        } else if (choice.entries.size() < kMaxAdapterEntries) {
            choice.entries.push_back(adapter);
        } else {
            choice.leftOut.push_back(adapter);
        }
    }
    return choice;
}
