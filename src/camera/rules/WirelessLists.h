// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed lists of the wireless settings page, the channels a camera's region allows, and
// how an access point from the camera's scan becomes record values.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::camera {

// Each list's position is the record's number (`WireType`, `WireSec`, `WPAEnc`); the
// transmit rate is stored as its text.
inline constexpr std::array<const char*, 2> kWirelessModes = {"Ad-Hoc", "Infrastructure"};
inline constexpr int kInfrastructure = 1;
inline constexpr std::array<const char*, 13> kTxRates = {
    "Auto", "1M", "2M", "5.5M", "11M", "6M", "9M", "12M", "18M", "24M", "36M", "48M", "54M"};
inline constexpr std::array<const char*, 4> kWirelessSecurity = {"NONE", "WEP", "WPA-PSK",
                                                                 "WPA2-PSK"};
inline constexpr std::array<const char*, 2> kWpaAlgorithms = {"AES", "TKIP"};

// "Auto" and the channels of region `chType` (0 to 5); other regions have no list.
std::vector<std::string> ChannelEntries(int chType);
// The entry a stored channel shows: the first, searching from the second entry and wrapping
// to the first, that begins with the channel's decimal text (case-insensitive); -1 if none.
// So channel 0 finds nothing and channel 1 finds "10" in a list without "1".
int ChannelPosition(const std::vector<std::string>& entries, int channel);
// The decimal value at the start of a shown channel; "Auto" or nothing give 0.
int ChannelValue(std::string_view shown);
// The position of a stored transmit rate in kTxRates (exact), or -1.
int TxRatePosition(std::string_view rate);

// "Infrastructure" or "Infra" give 1, "Adhoc" 0; any other text nothing.
std::optional<int> ScannedWireType(std::string_view mode);
// "None" 0, "WEP" 1, "WPA-PSK" 2, "WPA2-PSK" or "WPA-PSK/WPA2-PSK" 3.
std::optional<int> ScannedWireSec(std::string_view security);
// "AES" or "TKIP/AES" 0, "TKIP" 1.
std::optional<int> ScannedWpaEnc(std::string_view algorithm);

}  // namespace orvanta::camera
