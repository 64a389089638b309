// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a camera does after its network settings were written: it goes away for a while and
// comes back with the new address and HTTP port (a fixed address as written, or one from
// its DHCP pool), answering discovery and HTTP there.
#include <cstddef>
#include <vector>

#include "DiscoveryResponder.h"
#include "EventLoop.h"
#include "HttpServer.h"
#include "SimConfig.h"

namespace camsim {

class CameraRestart {
public:
    // With `ownAddresses` the simulator moves the address on the interface that holds it
    // (only ever inside a lab namespace); without, a camera keeps its address.
    CameraRestart(EventLoop& loop, std::vector<SimCamera>& cameras, HttpServer& http,
                  DiscoveryResponder& discovery, bool ownAddresses, bool verbose);

    void Begin(size_t camera);

private:
    void ComeBack(size_t camera);
    bool MoveAddress(uint32_t from, uint32_t to, int prefixLength);

    EventLoop& loop_;
    std::vector<SimCamera>& cameras_;
    HttpServer& http_;
    DiscoveryResponder& discovery_;
    bool ownAddresses_;
    bool verbose_;
};

}  // namespace camsim
