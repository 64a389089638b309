// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wireless values a user types, by IEEE 802.11: the network name, the WEP key and the
// WPA/WPA2 pre-shared key. One rule for the wireless and access-point pages and for the
// command-line tool's save and apply.
#include <string>
#include <string_view>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

// The typing limit of a pre-shared key field. A longer key (up to 63 characters, or 64
// hexadecimal digits) read from the camera or pasted is kept whole.
constexpr int kPreSharedKeyMaxLength = 58;

// The length of a WEP key: 10 or 26 hexadecimal digits for a 64- or 128-bit key, 5 or 13
// ASCII characters.
int WepKeyLength(bool hex, bool bits128);

// A WEP key of exactly the length the format and key length ask for: hexadecimal digits, or
// printable ASCII characters.
bool IsWepKey(std::string_view key, bool hex, bool bits128);
// A WPA/WPA2 pass phrase of 8 to 63 printable ASCII characters, or a raw pre-shared key of
// exactly 64 hexadecimal digits.
bool IsPreSharedKey(std::string_view key);
// A network name (SSID) of 1 to 32 bytes.
bool IsSsid(std::string_view ssid);

// Whether the camera's WepKeyL means a 128-bit key: it reports 64 or 128, some cameras 0 or
// 1 (the position in the key-length list).
bool IsLongWepKey(int wepKeyL);

// The WEP key of slot 0 to 3 (any other slot gives key 3).
std::string_view WepKeySlot(const CameraSettings& s, int slot);
// Stores `key` in slot 0 to 3; any other slot (no default key chosen) stores nothing.
void SetWepKeySlot(CameraSettings& s, int slot, std::string_view key);

// The wireless value `s` newly gives (one that differs from the camera's `read` record) that
// the rules above refuse, named with why; "" when there is none. Only the key of the security
// in use (WireSec 1: WEP, 2 and 3: WPA) is looked at.
std::string WirelessKeyProblem(const CameraSettings& s, const CameraSettings& read);

}  // namespace orvanta::camera
