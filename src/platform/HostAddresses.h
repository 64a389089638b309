// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

namespace orvanta::platform {

// The PC's IPv4 addresses (network byte order) on interfaces that are up and not loopback,
// in the kernel's order. When there is none, the loopback address alone. False when the
// interfaces cannot be listed; `out` is then left alone.
bool ListHostAddresses(std::vector<uint32_t>& out);

}  // namespace orvanta::platform
