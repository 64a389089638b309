// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NetworkFactory.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/HelperNetwork.h"
#include "platform/LinuxNetwork.h"

namespace orvanta::platform {

bool HoldsNetCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0) return false;
    const uint32_t both = (1u << CAP_NET_ADMIN) | (1u << CAP_NET_RAW);
    return (data[0].effective & both) == both;
}

std::unique_ptr<NetworkPlatform> OpenNetwork() {
    if (HoldsNetCapabilities()) return std::make_unique<LinuxNetwork>();
    return std::make_unique<HelperNetwork>();
}

}  // namespace orvanta::platform
