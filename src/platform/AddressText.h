// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text forms of IPv4 and MAC addresses, one rule for every layer. Addresses are in network
// byte order, as sockets and the camera records hold them.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta::platform {

// "a.b.c.d".
std::string DottedAddress(uint32_t address);
// "a.b.c.d" of four address bytes in wire order.
std::string DottedAddress(const uint8_t bytes[4]);

// Exactly four decimal parts of 0..255 separated by dots, nothing before or after. A part
// with a leading zero ("01") is refused: other tools read it as octal, so it would name a
// different host there. False leaves `*address` as it was; `address` may be null.
bool ParseDottedAddress(std::string_view text, uint32_t* address);
// The parsed address, or `fallback` for text that is not one.
uint32_t ParseDottedAddressOr(std::string_view text, uint32_t fallback);

// One to five decimal digits naming a port from 1 to 65535, nothing before or after. False
// leaves `*port` as it was; `port` may be null.
bool ParsePortText(std::string_view text, uint16_t* port);

// "a.b.c.d" or "a.b.c.d:PORT", the port 80 when none is given. False leaves both outputs as
// they were.
bool ParseAddressAndPort(std::string_view text, uint32_t* address, uint16_t* port);

// "%02X:%02X:%02X:%02X:%02X:%02X".
std::string MacText(const uint8_t mac[6]);

// The mask that a camera address's first byte implies on the address pages: 128..191 gives
// 255.255.0.0, 192..223 gives 255.255.255.0; any other address implies none (false, `*mask`
// untouched).
bool ClassMaskFor(uint32_t address, uint32_t* mask);

}  // namespace orvanta::platform
