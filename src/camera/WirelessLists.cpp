#include "camera/WirelessLists.h"

namespace orvanta::camera {

std::optional<int> ScannedWireType(std::string_view mode) {
    if (mode == "Infrastructure" || mode == "Infra") return 1;
    if (mode == "Adhoc") return 0;
    return std::nullopt;
}

std::optional<int> ScannedWireSec(std::string_view security) {
    if (security == "None") return 0;
    if (security == "WEP") return 1;
    if (security == "WPA-PSK") return 2;
    if (security == "WPA2-PSK" || security == "WPA-PSK/WPA2-PSK") return 3;
    return std::nullopt;
}

std::optional<int> ScannedWpaEnc(std::string_view algorithm) {
    if (algorithm == "AES" || algorithm == "TKIP/AES") return 0;
    if (algorithm == "TKIP") return 1;
    return std::nullopt;
}

}  // namespace orvanta::camera
