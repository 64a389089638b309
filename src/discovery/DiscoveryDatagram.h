// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two datagrams of camera discovery on UDP port 49160: the PC's 8-byte request and the
// camera's 284-byte reply, of which the PC keeps bytes 8 to 283 (the payload).
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvanta::discovery {

constexpr uint16_t DISCOVERY_PORT = 49160;
constexpr uint32_t DISCOVERY_MAGIC = 0x00F6D9A4;
constexpr uint32_t DISCOVERY_MAGIC_ALT = 0x01156A06;
constexpr uint32_t MSG_REQUEST = 1;
constexpr uint32_t MSG_REPLY = 2;
constexpr size_t kRequestSize = 8;
constexpr size_t kReplySize = 284;
constexpr size_t kPayloadSize = 276;

// Field offsets inside the payload (8 bytes earlier than in the reply).
constexpr size_t kPayloadMac = 0;
constexpr size_t kPayloadIp = 8;
constexpr size_t kPayloadHttpPort = 12;
constexpr size_t kPayloadTextArea = 16;
constexpr size_t kTextAreaSize = 256;
constexpr size_t kPayloadStreamPort = 272;

void BuildDiscoveryRequest(uint8_t out[kRequestSize]);

// Checks a received datagram of `length` bytes (negative: the receive failed) and copies its
// payload into `payload`, which is zero-filled first. Returns 0 for an accepted reply; 1 for
// a datagram to ignore: a wrong magic or message type, or a reply that names no camera (too
// short to hold its address, or an address no host has); -3 for a receive error. Writes the
// diagnostics.
int AcceptReply(const uint8_t* datagram, int length, uint8_t payload[kPayloadSize]);

// The three texts of the text area; none reads past the end of the area.
struct ReplyTexts {
    std::string description;
    std::string serial;
    std::string interfaceName;
};
ReplyTexts SplitTextArea(const uint8_t payload[kPayloadSize]);

// Big-endian 32-bit field of the payload.
int32_t PayloadInt(const uint8_t payload[kPayloadSize], size_t offset);
// The IP address field in network byte order, as sockets take it.
uint32_t PayloadAddress(const uint8_t payload[kPayloadSize]);

}  // namespace orvanta::discovery
