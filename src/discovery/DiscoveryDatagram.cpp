// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/DiscoveryDatagram.h"

#include <algorithm>
#include <cstring>

#include "discovery/DiscoveryLog.h"

namespace orvanta::discovery {
namespace {

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

void PutBigEndian32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

// The diagnostics print the header words as a little-endian machine reads them.
int32_t LittleEndian32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
                                (uint32_t{p[3]} << 24));
}

// No camera has a "this network", loopback, multicast or broadcast address.
bool HostAddress(const uint8_t* a) {
    const bool broadcast = a[0] == 255 && a[1] == 255 && a[2] == 255 && a[3] == 255;
    return a[0] != 0 && a[0] != 127 && (a[0] < 224 || a[0] > 239) && !broadcast;
}

}  // namespace

void BuildDiscoveryRequest(uint8_t out[kRequestSize]) {
    PutBigEndian32(out, DISCOVERY_MAGIC);
    PutBigEndian32(out + 4, MSG_REQUEST);
}

int AcceptReply(const uint8_t* datagram, int length, uint8_t payload[kPayloadSize]) {
    std::memset(payload, 0, kPayloadSize);
    if (length < 0) {
        DiscoveryLog("Failed in receive reply message !\n");
        return -3;
    }
    // A datagram too short for its header reads as zeros where bytes are missing, which
    // never matches a magic and a reply type together.
    uint8_t header[8] = {};
    if (length > 0)
        std::memcpy(header, datagram, std::min<size_t>(static_cast<size_t>(length), sizeof header));
    uint32_t magic = BigEndian32(header);
    if (magic != DISCOVERY_MAGIC && magic != DISCOVERY_MAGIC_ALT) {
        DiscoveryLog("Unknown magic number ! (%d)\n", LittleEndian32(header));
        return 1;
    }
    if (BigEndian32(header + 4) != MSG_REPLY) {
        DiscoveryLog("Is not reply message ! (%d)\n", LittleEndian32(header + 4));
        return 1;
    }
    // A shorter reply keeps its missing tail at zero, but it must reach past the address.
    if (static_cast<size_t>(length) < 8 + kPayloadIp + 4) {
        DiscoveryLog("Reply too short for an address ! (%d)\n", length);
        return 1;
    }
    size_t body = std::min(static_cast<size_t>(length) - 8, kPayloadSize);
    std::memcpy(payload, datagram + 8, body);
    const uint8_t* address = payload + kPayloadIp;
    if (!HostAddress(address)) {
        DiscoveryLog("Not a camera address ! (%u.%u.%u.%u)\n", address[0], address[1], address[2],
                     address[3]);
        std::memset(payload, 0, kPayloadSize);
        return 1;
    }
    return 0;
}

ReplyTexts SplitTextArea(const uint8_t payload[kPayloadSize]) {
    const char* area = reinterpret_cast<const char*>(payload + kPayloadTextArea);
    size_t pos = 0;
    auto next = [&]() {
        size_t len = strnlen(area + pos, kTextAreaSize - pos);
        std::string text(area + pos, len);
        pos = std::min(pos + len + 1, kTextAreaSize);
        return text;
    };
    ReplyTexts texts;
    texts.description = next();
    texts.serial = next();
    texts.interfaceName = next();
    return texts;
}

int32_t PayloadInt(const uint8_t payload[kPayloadSize], size_t offset) {
    return static_cast<int32_t>(BigEndian32(payload + offset));
}

uint32_t PayloadAddress(const uint8_t payload[kPayloadSize]) {
    uint32_t address;
    std::memcpy(&address, payload + kPayloadIp, sizeof address);
    return address;
}

}  // namespace orvanta::discovery
