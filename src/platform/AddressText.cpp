// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AddressText.h"

#include <arpa/inet.h>

#include <cstdio>

namespace orvanta::platform {

std::string DottedAddress(uint32_t address) {
    const uint32_t host = ntohl(address);
    const uint8_t bytes[4] = {static_cast<uint8_t>(host >> 24), static_cast<uint8_t>(host >> 16),
                              static_cast<uint8_t>(host >> 8), static_cast<uint8_t>(host)};
    return DottedAddress(bytes);
}

std::string DottedAddress(const uint8_t bytes[4]) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

bool ParseDottedAddress(std::string_view text, uint32_t* address) {
    uint32_t value = 0;
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != '.') return false;
            ++at;
        }
        const size_t start = at;
        uint32_t number = 0;
        while (at < text.size() && at - start < 4 && text[at] >= '0' && text[at] <= '9')
            number = number * 10 + static_cast<uint32_t>(text[at++] - '0');
        const size_t digits = at - start;
        if (digits == 0 || digits > 3 || number > 255) return false;
        if (digits > 1 && text[start] == '0') return false;
        value = (value << 8) | number;
    }
    if (at != text.size()) return false;
    if (address) *address = htonl(value);
    return true;
}

uint32_t ParseDottedAddressOr(std::string_view text, uint32_t fallback) {
    uint32_t address = fallback;
    ParseDottedAddress(text, &address);
    return address;
}

bool ParsePortText(std::string_view text, uint16_t* port) {
    if (text.empty() || text.size() > 5) return false;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (value < 1 || value > 65535) return false;
    if (port) *port = static_cast<uint16_t>(value);
    return true;
}

bool ParseAddressAndPort(std::string_view text, uint32_t* address, uint16_t* port) {
    const size_t colon = text.find(':');
    uint32_t parsedAddress = 0;
    uint16_t parsedPort = 80;
    if (!ParseDottedAddress(text.substr(0, colon), &parsedAddress)) return false;
    if (colon != std::string_view::npos && !ParsePortText(text.substr(colon + 1), &parsedPort))
        return false;
    *address = parsedAddress;
    *port = parsedPort;
    return true;
}

std::string MacText(const uint8_t mac[6]) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return text;
}

bool ClassMaskFor(uint32_t address, uint32_t* mask) {
    const uint32_t first = ntohl(address) >> 24;
    uint32_t implied;
    if (first >= 128 && first <= 191)
        implied = 0xFFFF0000u;
    else if (first >= 192 && first <= 223)
        implied = 0xFFFFFF00u;
    else
        return false;
    if (mask) *mask = htonl(implied);
    return true;
}

}  // namespace orvanta::platform
