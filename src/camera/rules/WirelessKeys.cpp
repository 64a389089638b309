#include "camera/rules/WirelessKeys.h"

namespace orvanta::camera {

int WepKeyMaxLength(bool hex, bool bits128) {
    if (hex) return bits128 ? 26 : 10;
    return bits128 ? 13 : 5;
}

bool IsHexKey(std::string_view key) {
    for (char c : key) {
        bool digit = c >= '0' && c <= '9';
        bool letter = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit && !letter) return false;
    }
    return true;
}

}  // namespace orvanta::camera
