// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/rules/ClockChoices.h"

namespace orvanta::camera {

const std::array<const char*, kTimeZoneCount>& TimeZoneEntries() {
    static const std::array<const char*, kTimeZoneCount> entries = {
        "(GMT-12) Eniwetok",
        "(GMT-11) Midway Islands, Samoa",
        "(GMT-10) Cook Islands,Tahiti",
        "(GMT-9) Alaska",
        "(GMT-8) PST,Pacific US",
        "(GMT-7) MST,Mountain US",
        "(GMT-6) CST,Central US",
        "(GMT-5) EST,Eastern US",
        "(GMT-4) Atlantic, Canada",
        "(GMT-3) Brazo;oa,Buenos Aries",
        "(GMT-2) Mid-Atlantic",
        "(GMT-1) Cape Verdes",
        "(GMT) Greenwich Mean Time,Greenwich",
        "(GMT+1) Berlin,Rome",
        "(GMT+2) Israel,Cairo",
        "(GMT+3) Moscow,Kuwait",
        "(GMT+4) Abu Dhabi",
        "(GMT+5) Islamabad,Karachi",
        "(GMT+6) Almaty,Dhaka",
        "(GMT+7) Bangkok,Jakarta",
        "(GMT+8) Taipei,Hongkong,Beijing",
        "(GMT+9) Tokyo,Osaka",
        "(GMT+10) Sydney,Melbourne,Guam",
        "(GMT+11) Magadan,soloman IS.",
        "(GMT+12)Fiji,Wellington,Aucklan",
    };
    return entries;
}

std::vector<std::string> UpdateIntervalEntries() {
    std::vector<std::string> entries;
    entries.reserve(kUpdateIntervalCount);
    for (int hours = 0; hours < kUpdateIntervalCount; ++hours)
        entries.push_back(std::to_string(hours) + " hour");
    return entries;
}

}  // namespace orvanta::camera
