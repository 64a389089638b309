// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/rules/WirelessLists.h"

#include <cctype>
#include <cstddef>

namespace orvanta::camera {

std::vector<std::string> ChannelEntries(int chType) {
    struct Range {
        int first, last;
    };
    static constexpr Range kRegions[] = {{1, 11}, {1, 13}, {1, 14}, {10, 13}, {10, 11}, {5, 13}};
    if (chType < 0 || chType >= static_cast<int>(std::size(kRegions))) return {};
    std::vector<std::string> entries{"Auto"};
    for (int ch = kRegions[chType].first; ch <= kRegions[chType].last; ++ch)
        entries.push_back(std::to_string(ch));
    return entries;
}

int ChannelPosition(const std::vector<std::string>& entries, int channel) {
    const std::string wanted = std::to_string(channel);
    auto begins = [&wanted](const std::string& entry) {
        if (entry.size() < wanted.size()) return false;
        for (size_t i = 0; i < wanted.size(); ++i) {
            auto a = static_cast<unsigned char>(entry[i]);
            auto b = static_cast<unsigned char>(wanted[i]);
            if (std::tolower(a) != std::tolower(b)) return false;
        }
        return true;
    };
    const size_t n = entries.size();
    for (size_t k = 0; k < n; ++k) {
        size_t i = (k + 1) % n;
        if (begins(entries[i])) return static_cast<int>(i);
    }
    return -1;
}

int ChannelValue(std::string_view shown) {
    int value = 0;
    for (char c : shown) {
        if (c < '0' || c > '9' || value > 1000) break;
        value = value * 10 + (c - '0');
    }
    return value;
}

int TxRatePosition(std::string_view rate) {
    for (size_t i = 0; i < kTxRates.size(); ++i)
        if (rate == kTxRates[i]) return static_cast<int>(i);
    return -1;
}

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
