// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/rules/WirelessKeys.h"

#include <algorithm>
#include <array>

namespace orvanta::camera {
namespace {

bool IsPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// Whether every character is one of "0123456789ABCDEFabcdef".
bool IsHexKey(std::string_view key) {
    for (char c : key) {
        bool digit = c >= '0' && c <= '9';
        bool letter = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit && !letter) return false;
    }
    return true;
}

// The four key slots in order, of a record or of a const record.
template <typename Settings>
auto WepKeySlots(Settings& s) {
    return std::array{&s.WEPKey0, &s.WEPKey1, &s.WEPKey2, &s.WEPKey3};
}

}  // namespace

std::string_view WepKeySlot(const CameraSettings& s, int slot) {
    return FieldText(*WepKeySlots(s)[slot >= 0 && slot < 4 ? slot : 3]);
}

void SetWepKeySlot(CameraSettings& s, int slot, std::string_view key) {
    if (slot >= 0 && slot < 4) SetFieldText(*WepKeySlots(s)[slot], key);
}

int WepKeyLength(bool hex, bool bits128) {
    if (hex) return bits128 ? 26 : 10;
    return bits128 ? 13 : 5;
}

bool IsWepKey(std::string_view key, bool hex, bool bits128) {
    if (key.size() != static_cast<size_t>(WepKeyLength(hex, bits128))) return false;
    return hex ? IsHexKey(key) : IsPrintableAscii(key);
}

bool IsPreSharedKey(std::string_view key) {
    if (key.size() == 64) return IsHexKey(key);
    return key.size() >= 8 && key.size() <= 63 && IsPrintableAscii(key);
}

bool IsSsid(std::string_view ssid) {
    return !ssid.empty() && ssid.size() <= 32;
}

bool IsLongWepKey(int wepKeyL) {
    return wepKeyL == 128 || wepKeyL == 1;
}

std::string WirelessKeyProblem(const CameraSettings& s, const CameraSettings& read) {
    // An empty name is the record's "no wireless network".
    if (const std::string_view ssid = FieldText(s.SSID);
        ssid != FieldText(read.SSID) && !ssid.empty() && !IsSsid(ssid))
        return "SSID takes a network name of at most 32 bytes";
    const bool securityChanged = s.WireSec != read.WireSec;
    if (s.WireSec == 1 && s.WEPKeyE0 < 4) {
        const std::string_view key = WepKeySlot(s, s.WEPKeyE0);
        const bool changed = securityChanged || s.WEPMode != read.WEPMode ||
                             IsLongWepKey(s.WepKeyL) != IsLongWepKey(read.WepKeyL) ||
                             s.WEPKeyE0 != read.WEPKeyE0 || key != WepKeySlot(read, s.WEPKeyE0);
        const bool hex = s.WEPMode == 0, bits128 = IsLongWepKey(s.WepKeyL);
        if (changed && !IsWepKey(key, hex, bits128))
            return "WEPKey" + std::to_string(s.WEPKeyE0) + " takes a " + (bits128 ? "128" : "64") +
                   "-bit key of exactly " + std::to_string(WepKeyLength(hex, bits128)) +
                   (hex ? " hexadecimal digits" : " ASCII characters") + " (WepKeyL, WEPMode)";
    }
    const bool wpaChanged = securityChanged || FieldText(s.WPAKey) != FieldText(read.WPAKey);
    if (s.WireSec >= 2 && s.WireSec <= 3 && wpaChanged && !IsPreSharedKey(FieldText(s.WPAKey)))
        return "WPAKey takes a pass phrase of 8 to 63 printable ASCII characters or 64 "
               "hexadecimal digits";
    return "";
}

}  // namespace orvanta::camera
