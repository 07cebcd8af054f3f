#pragma once

#include "AdapterAddress.h"

#include <vector>

inline constexpr size_t kMaxAdapterEntries = 8;

// The PC's IPv4 addresses: interfaces that are up, broadcast-capable and not loopback, in
// interface-index order, one entry per address ("0.0.0.0" for an interface without one), at
// most eight entries. Empty when the system cannot list its interfaces.
std::vector<AdapterAddress> ListAdapterAddresses();
