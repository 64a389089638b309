#pragma once
// How an access point from the camera's scan becomes record values: its mode, security and
// algorithm texts, compared exactly.
#include <optional>
#include <string_view>

namespace orvanta::camera {

// "Infrastructure" or "Infra" give 1, "Adhoc" 0; any other text nothing.
std::optional<int> ScannedWireType(std::string_view mode);
// "None" 0, "WEP" 1, "WPA-PSK" 2, "WPA2-PSK" or "WPA-PSK/WPA2-PSK" 3.
std::optional<int> ScannedWireSec(std::string_view security);
// "AES" or "TKIP/AES" 0, "TKIP" 1.
std::optional<int> ScannedWpaEnc(std::string_view algorithm);

}  // namespace orvanta::camera
