// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard's roads: which page each code shows, and where the UPnP page's Back leads.
#include <gtest/gtest.h>

#include <set>

#include "workflow/Roads.h"

namespace orvanta::workflow {
namespace {

TEST(Roads, EachPageHasOneCodeAndOnlyTheLoginAndWpsPicturePagesSkipTheirPreparation) {
    std::set<int> pages;
    for (const PageRoute& route : kPageRoutes) {
        EXPECT_EQ(FindPageRoute(route.code), &route);
        EXPECT_TRUE(route.page > kPageFirst && route.page < kPageCount) << route.code;
        EXPECT_TRUE(pages.insert(route.page).second) << "page " << route.page << " twice";
        EXPECT_EQ(route.prepare, route.page != kPageLogin && route.page != kPageWpsPic)
            << route.code;
    }
    EXPECT_EQ(pages.size(), size_t{kPageCount - 1});  // all but the first, shown by Home
    for (int code : {-1, 0, 1, nav::kHome, nav::kEnsureSubnet, nav::kReadSettings, nav::kSave,
                     nav::kRescan, nav::kAbout, nav::kLanguage, 12, 16, 23, 25, 33})
        EXPECT_EQ(FindPageRoute(code), nullptr) << code;
}

TEST(Roads, UpnpBackLeadsToThePageOfTheRoadTaken) {
    struct Case {
        int wizardMode, wirelessCap, useWireless, useWps, skipAddressCheck, cameraWireless, ipType,
            back;
    };
    const Case cases[] = {
        // The wizard's road: wireless by WPS or a scanned access point, else wired.
        {1, 1, 1, 1, 0, 0, 0, nav::kWps},
        {1, 1, 1, 0, 0, 0, 0, nav::kApScan},
        {1, 1, 0, 0, 1, 0, 0, nav::kPppoe},
        {1, 0, 1, 1, 0, 0, 0, nav::kWizardIp},  // a wired-only camera never went wireless
        {1, 2, 1, 0, 0, 0, 0, 0},               // an unknown capability leads nowhere
        // The manual road: the wireless page, else the wired page of the address type.
        {0, 1, 0, 0, 0, 1, 2, nav::kWlanIp},
        {0, 1, 0, 0, 0, 0, 0, nav::kLanIp},
        {0, 1, 0, 0, 0, 0, 1, nav::kLanIp},
        {0, 1, 0, 0, 0, 0, 2, nav::kLanIsp},
        {0, 1, 0, 0, 0, 0, 3, 0},
        {2, 1, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        camera::CameraSettings s = camera::NewCameraSettings();
        s.wizardMode = c.wizardMode;
        s.WirelessCap = c.wirelessCap;
        s.useWireless = c.useWireless;
        s.useWps = c.useWps;
        s.skipAddressCheck = c.skipAddressCheck;
        s.cameraWireless = c.cameraWireless;
        s.IPType = c.ipType;
        EXPECT_EQ(UpnpBackCode(s), c.back)
            << "mode " << c.wizardMode << " cap " << c.wirelessCap << " type " << c.ipType;
    }
}

}  // namespace
}  // namespace orvanta::workflow
