// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed lists of the system page's clock settings: the time zones, whose position is the
// camera's time-zone number (position p is UTC offset p - 12 hours), and the NTP update
// intervals, whose position is the number of hours.
#include <array>
#include <string>
#include <vector>

namespace orvanta::camera {

constexpr int kTimeZoneCount = 25;
constexpr int kInitialTimeZone = 20;  // UTC+8
constexpr int kUpdateIntervalCount = 24;
constexpr int kInitialUpdateInterval = 12;

// The entries as the cameras list them, spelling kept.
const std::array<const char*, kTimeZoneCount>& TimeZoneEntries();
// "0 hour" .. "23 hour".
std::vector<std::string> UpdateIntervalEntries();

}  // namespace orvanta::camera
