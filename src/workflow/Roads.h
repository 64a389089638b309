// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard's roads: the codes that move it from page to page, the pages they show, and where
// the UPnP page's Back leads, which depends on the road the user took.
#include "camera/record/CameraSettings.h"

namespace orvanta::workflow {

namespace nav {
constexpr int kHome = 2;
constexpr int kSystem = 3;
constexpr int kOption = 4;
constexpr int kShowPic = 5;
constexpr int kLanIsp = 6;
constexpr int kWlanAp = 7;
constexpr int kLanIp = 8;
constexpr int kWlanIp = 9;
constexpr int kSearch = 10;
constexpr int kLogin = 11;
constexpr int kServerList = 13;
constexpr int kUpnp = 14;
constexpr int kDdns = 15;
constexpr int kEnsureSubnet = 17;  // sent, not posted
constexpr int kReadSettings = 18;
constexpr int kSave = 19;
constexpr int kApScan = 20;
constexpr int kSummary = 21;
constexpr int kRescan = 22;
constexpr int kAbout = 24;
constexpr int kWps = 26;
constexpr int kWpsPic = 27;
constexpr int kChoose = 28;
constexpr int kPppoe = 29;
constexpr int kWizardIp = 30;
constexpr int kSetupFinish = 31;
constexpr int kLanguage = 32;
}  // namespace nav

enum PageIndex {
    kPageFirst = 0,
    kPageSearchNet = 1,
    kPageOption = 2,
    kPageSystem = 3,
    kPageShowPic = 4,
    kPageLanIsp = 5,
    kPageLanIp = 6,
    kPageWlanAp = 7,
    kPageWlanIp = 8,
    kPageUpnp = 9,
    kPageDdns = 10,
    kPageApScan = 11,
    kPageWps = 12,
    kPageSetAutoParam = 13,
    kPageWpsPic = 14,
    kPageChoose = 15,
    kPagePppoe = 16,
    kPageWizardIp = 17,
    kPageLogin = 18,
    kPageSetupFinish = 19,
    kPageLinkSer = 20,
    kPageCount = 21,
};

// The codes that show a page: the page, and whether its prepare step runs first.
struct PageRoute {
    int code;
    int page;
    bool prepare;
};
inline constexpr PageRoute kPageRoutes[] = {
    {nav::kSystem, kPageSystem, true},     {nav::kOption, kPageOption, true},
    {nav::kShowPic, kPageShowPic, true},   {nav::kLanIsp, kPageLanIsp, true},
    {nav::kWlanAp, kPageWlanAp, true},     {nav::kLanIp, kPageLanIp, true},
    {nav::kWlanIp, kPageWlanIp, true},     {nav::kSearch, kPageSearchNet, true},
    {nav::kLogin, kPageLogin, false},      {nav::kServerList, kPageLinkSer, true},
    {nav::kUpnp, kPageUpnp, true},         {nav::kDdns, kPageDdns, true},
    {nav::kApScan, kPageApScan, true},     {nav::kSummary, kPageSetAutoParam, true},
    {nav::kWps, kPageWps, true},           {nav::kWpsPic, kPageWpsPic, false},
    {nav::kChoose, kPageChoose, true},     {nav::kPppoe, kPagePppoe, true},
    {nav::kWizardIp, kPageWizardIp, true}, {nav::kSetupFinish, kPageSetupFinish, true},
};

// The route of `code`, or nullptr for an action code or an unknown one.
constexpr const PageRoute* FindPageRoute(int code) {
    for (const PageRoute& route : kPageRoutes)
        if (route.code == code) return &route;
    return nullptr;
}

// Where Back on the UPnP page leads: the page the user came from, 0 when no page fits.
int UpnpBackCode(const camera::CameraSettings& s);

}  // namespace orvanta::workflow
