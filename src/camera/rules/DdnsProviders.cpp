// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/rules/DdnsProviders.h"

#include <array>

namespace orvanta::camera {
namespace {

constexpr std::array<DdnsProvider, 8> kProviders{{
    {"DynDNS.org (Dynamic)", "members.dyndns.org:80"},
    {"DynDNS.org (Custom)", "update.dyndns.com:80"},
    {"DynDNS.org (Static)", "DynDNS.org (Static)"},
    {"FreeDNS (afraid.org)", "FreeDNS (afraid.org)"},
    {"ZoneEdit", "ZoneEdit"},
    {"No-IP.com", "No-IP.com"},
    {"3322.org", "3322.org"},
    {"EasyDNS", "EasyDNS"},
}};

constexpr int kBasicCount = 2;

bool KnowsAllProviders(std::string_view modelName) {
    return modelName == "Mervo-71Z" || modelName == "Quent-9Z";
}

}  // namespace

std::span<const DdnsProvider> DdnsProviders() {
    return kProviders;
}

int DdnsProviderCount(std::string_view modelName) {
    return KnowsAllProviders(modelName) ? static_cast<int>(kProviders.size()) : kBasicCount;
}

int DdnsProviderPosition(std::string_view modelName, std::string_view storedServer) {
    if (KnowsAllProviders(modelName)) {
        for (size_t i = 0; i < kProviders.size(); ++i) {
            if (storedServer == kProviders[i].label) return static_cast<int>(i);
        }
    }
    // The two basic entries are stored as addresses, never as labels.
    for (int i = 0; i < kBasicCount; ++i) {
        if (storedServer == kProviders[i].stored) return i;
    }
    return 0;
}

std::string DdnsProviderDisplay(std::string_view storedServer) {
    for (int i = 0; i < kBasicCount; ++i) {
        if (storedServer == kProviders[i].stored) return kProviders[i].label;
    }
    return std::string(storedServer);
}

}  // namespace orvanta::camera
