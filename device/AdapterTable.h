// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/AdapterAddress.h"

#include <vector>

inline constexpr size_t kMaxAdapterEntries = 8;

// The PC's IPv4 addresses: interfaces that are up, broadcast-capable and not loopback, in
// interface-index order, one entry per address ("0.0.0.0" for an interface without one). Empty
// when the system cannot list its interfaces.
std::vector<AdapterAddress> ListAdapterAddresses();

// The entries a search may use and the addresses that did not fit.
struct AdapterChoice
{
    std::vector<AdapterAddress> entries;
    std::vector<AdapterAddress> leftOut;
};

// At most eight entries, in the listed order. An interface without an address is never searched,
// so it keeps an entry only where every address has one (container and VM links listed first
// must not crowd out the real card); addresses beyond eight are left out.
AdapterChoice ChooseAdapterEntries(const std::vector<AdapterAddress>& listed);
