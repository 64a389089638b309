// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DDNS providers the camera can update, by list position, as the DDNS page lists them
// and the summary page names them.
#include <span>
#include <string>
#include <string_view>

namespace orvanta::camera {

struct DdnsProvider {
    const char* label;   // what the list shows
    const char* stored;  // what DDNSSrv holds for it: an update-server address for 0 and 1
};

// All eight, in list order.
std::span<const DdnsProvider> DdnsProviders();

// How many of them a camera model offers: 8 for the models that know them all, else 2.
int DdnsProviderCount(std::string_view modelName);

// The list position to preselect for a stored DDNSSrv; 0 when nothing matches.
int DdnsProviderPosition(std::string_view modelName, std::string_view storedServer);

// The provider as the summary names it: the two update-server addresses by their labels,
// anything else as stored (in the record's 8-bit text).
std::string DdnsProviderDisplay(std::string_view storedServer);

}  // namespace orvanta::camera
