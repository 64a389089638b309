// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HostAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace orvanta::platform {

bool ListHostAddresses(std::vector<uint32_t>& out) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    std::vector<uint32_t> found;
    for (ifaddrs* it = list; it != nullptr; it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_INET) continue;
        if (!(it->ifa_flags & IFF_UP) || (it->ifa_flags & IFF_LOOPBACK)) continue;
        found.push_back(reinterpret_cast<const sockaddr_in*>(it->ifa_addr)->sin_addr.s_addr);
    }
    freeifaddrs(list);
    if (found.empty()) found.push_back(htonl(INADDR_LOOPBACK));
    out = std::move(found);
    return true;
}

}  // namespace orvanta::platform
