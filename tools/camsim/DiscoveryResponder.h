// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cameras' side of discovery: listens on UDP 49160 and answers every request with one
// 284-byte reply per camera, broadcast to port 49160 from the camera's own address, so that
// a PC in another subnet hears it too; a camera set to reply_to=sender answers the asking
// PC's address instead.
#include <cstdint>
#include <string>
#include <vector>

#include "EventLoop.h"
#include "SimConfig.h"

namespace camsim {

constexpr uint16_t kDiscoveryPort = 49160;

// The reply as the camera sends it (replySize bytes of the full 284-byte layout).
std::vector<uint8_t> EncodeDiscoveryReply(const SimCamera& camera);

class DiscoveryResponder {
public:
    DiscoveryResponder(EventLoop& loop, std::vector<SimCamera>& cameras, bool verbose);
    ~DiscoveryResponder();
    bool Start(std::string& error);
    // After a camera's address changed: its replies leave from the new one.
    bool Rebind(size_t camera, std::string& error);
    uint64_t RequestsAnswered() const { return answered_; }

private:
    void OnReadable();
    void Answer(uint32_t asker);
    int OpenSendSocket(uint32_t address, std::string& error);

    EventLoop& loop_;
    std::vector<SimCamera>& cameras_;
    bool verbose_;
    int receiveFd_ = -1;
    std::vector<int> sendFds_;
    uint64_t answered_ = 0;
};

}  // namespace camsim
