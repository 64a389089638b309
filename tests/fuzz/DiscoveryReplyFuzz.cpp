// SPDX-License-Identifier: GPL-3.0-or-later
// Any datagram a socket can hand the discovery engine: at most one reply's worth of bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "discovery/DiscoveryDatagram.h"
#include "discovery/DiscoveryLog.h"

using namespace orvanta::discovery;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetDiscoveryLog(nullptr);
    // The receive buffer holds exactly one reply; copy so that reads past it are caught.
    size_t length = size < kReplySize ? size : kReplySize;
    uint8_t* datagram = new uint8_t[length > 0 ? length : 1];
    if (length > 0) std::memcpy(datagram, data, length);
    uint8_t payload[kPayloadSize];
    if (AcceptReply(datagram, static_cast<int>(length), payload) == 0) {
        ReplyTexts texts = SplitTextArea(payload);
        volatile size_t sink = texts.description.size() + texts.serial.size() +
                               texts.interfaceName.size() +
                               static_cast<size_t>(PayloadInt(payload, kPayloadStreamPort));
        (void)sink;
    }
    delete[] datagram;
    return 0;
}
