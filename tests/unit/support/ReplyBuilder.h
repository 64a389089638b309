// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Discovery replies for tests, laid out byte by byte from the wire table.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "discovery/CPLipf.h"
#include "platform/AddressText.h"

namespace orvanta::test {

struct Reply {
    uint32_t magic = 0x00F6D9A4;
    uint32_t type = 2;
    uint8_t mac[6] = {0x00, 0x0E, 0x53, 0x00, 0x00, 0x01};
    uint8_t ip[4] = {192, 168, 0, 98};
    uint32_t httpPort = 80;
    std::string description = "Cam";
    std::string serial = "SN1";
    std::string interfaceName = "eth0";
    uint32_t streamPort = 554;

    Reply& Mac(uint8_t last) { return mac[5] = last, *this; }
    Reply& Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
        ip[0] = a, ip[1] = b, ip[2] = c, ip[3] = d;
        return *this;
    }
    Reply& Port(uint32_t p) { return httpPort = p, *this; }

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> b(284, 0);
        auto put = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
        };
        put(0, magic);
        put(4, type);
        for (int i = 0; i < 6; ++i) b[8 + i] = mac[i];
        for (int i = 0; i < 4; ++i) b[16 + i] = ip[i];
        put(20, httpPort);
        std::string area = description + '\0' + serial + '\0' + interfaceName + '\0';
        for (size_t i = 0; i < area.size() && i < 256; ++i)
            b[24 + i] = static_cast<uint8_t>(area[i]);
        put(280, streamPort);
        return b;
    }
};

// A camera as the engine keeps it after such a reply from `ip`, arrived at tick `at`.
inline discovery::FoundCamera Heard(const char* ip, uint32_t port, const char* serial,
                                    const char* interfaceName = "ethernet", uint32_t at = 0) {
    Reply reply;
    reply.Port(port).serial = serial;
    reply.interfaceName = interfaceName;
    const uint32_t address = platform::ParseDottedAddressOr(ip, 0);
    std::memcpy(reply.ip, &address, 4);
    discovery::FoundCamera camera;
    camera.lastSeen = at;
    std::memcpy(camera.payload, reply.Bytes().data() + 8, discovery::kPayloadSize);
    return camera;
}

}  // namespace orvanta::test
