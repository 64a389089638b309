// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/record/FieldCatalogue.h"

#include <initializer_list>
#include <string_view>
#include <type_traits>

#include "camera/rules/ClockChoices.h"

namespace orvanta::camera {
namespace {

// Flags of an entry.
constexpr int R = 1;  // every model reports it on its page
constexpr int W = 2;  // written by a save
constexpr int S = 4;  // blanks encoded on the way
constexpr int H = 8;  // hidden from the tool's read

constexpr FieldType TypeOf(size_t size, bool text) {
    return text ? FieldType::kText : size == 1 ? FieldType::kByte : FieldType::kInt32;
}

constexpr int TypedChars(std::string_view member) {
    if (member == "TitleBar" || member == "Desp") return kNameChars;
    if (member == "DDNSHost") return kDdnsHostChars;
    if (member == "DDNSUser") return kDdnsUserChars;
    if (member == "DDNSPwd") return kDdnsPasswordChars;
    return member == "SSID" ? kSsidChars : 0;
}

#define FIELD(member, key, report, flags, kind, ...)                                               \
    CameraField {                                                                                  \
#member, key, offsetof(CameraSettings, member), sizeof(CameraSettings::member),            \
            TypeOf(sizeof(CameraSettings::member),                                                 \
                   std::is_array_v <decltype(CameraSettings::member)>),                            \
            Report::report, ((flags)&R) != 0, ((flags)&W) != 0, ((flags)&S) != 0, ValueKind::kind, \
            {__VA_ARGS__ }, static_cast < int>(std::initializer_list <int>{__VA_ARGS__}.size()),   \
             ((flags)&H) == 0, TypedChars(#member)                                                 \
    }

const CameraField kCatalogue[] = {
    FIELD(IPType, "IPType", Network, R | W, Choice, 0, 1, 2),  // DHCP, fixed, PPPoE
    FIELD(IPAddr, "IPAddr", Network, R | W, Address),
    FIELD(Netmask, "Netmask", Network, R | W, Mask),
    FIELD(Gateway, "Gateway", Network, R | W, Address),
    FIELD(DNS1, "DNS1", Network, R | W, Address),
    FIELD(DNS2, "DNS2", Network, R | W, Address),
    // The PPPoE account is written, never read back.
    FIELD(PAccount, "PAccount", None, W, Text),
    FIELD(PPwd, "PPwd", None, W, Text),
    FIELD(PVP, "PVP", None, W, Text),
    FIELD(Wireless, "Wireless", Network, 0, Number),
    FIELD(WireType, "WireType", Network, W, Choice, 0, 1),
    FIELD(SSID, "SSID", Network, W | S, Text),
    FIELD(WireCh, "WireCh", Network, W, Number),
    FIELD(ChType, "ChType", Network, 0, Number),
    FIELD(WireSec, "WireSec", Network, W, Choice, 0, 1, 2, 3),
    FIELD(TxRate, "TxRate", Network, W, Text),
    FIELD(WIPType, "WIPType", Network, W, Choice, 0, 1),
    FIELD(WIPAddr, "WIPAddr", Network, W, Address),
    FIELD(WNetmask, "WNetmask", Network, W, Mask),
    FIELD(WGateway, "WGateway", Network, W, Address),
    FIELD(WDNS1, "WDNS1", Network, W, Address),
    FIELD(WDNS2, "WDNS2", Network, W, Address),
    FIELD(WPAEnc, "WPAEnc", Network, W, Choice, 0, 1),
    FIELD(WPAPSKeyM, "WPAPSKeyM", Network, W, Number),
    FIELD(WPAKey, "WPAKey", Network, W, Text),
    FIELD(WEPAuthM, "WEPAuthM", Network, W, Choice, 0, 1),
    FIELD(WEPMode, "WEPMode", Network, W, Choice, 0, 1),
    FIELD(WEPKeyE0, "WEPKeyE0", Network, W, Choice, 0, 1, 2, 3),
    // The wireless page stores the bits, the access-point page the list position.
    FIELD(WepKeyL, "WepKeyL", Network, W, Choice, 0, 1, 64, 128),
    FIELD(WEPKey0, "WEPKey0", Network, W, Text),
    FIELD(WEPKey1, "WEPKey1", Network, W, Text),
    FIELD(WEPKey2, "WEPKey2", Network, W, Text),
    FIELD(WEPKey3, "WEPKey3", Network, W, Text),
    FIELD(SECUEN, "SECUEN", System, 0, Number),
    FIELD(ModelName, "ModelName", System, 0, Text),
    FIELD(TitleBar, "TitleBar", System, R | W | S, Text),
    FIELD(Desp, "Desp", System, R | W | S, Text),
    FIELD(WPSCap, "WPS", Capability, 0, Number),
    FIELD(WirelessCap, "Wireless", Capability, 0, Number),
    FIELD(Transversal, "Transversal", Capability, 0, Number),
    FIELD(DDNS, "DDNS", Ddns, R | W, Choice, 0, 1),
    FIELD(DDNSSrv, "DDNSSrv", Ddns, R | W, Text),
    FIELD(DDNSHost, "DDNSHost", Ddns, R | W, Text),
    FIELD(DDNSUser, "DDNSUser", Ddns, R | W, Text),
    FIELD(DDNSPwd, "DDNSPwd", Ddns, R | W, Text),
    FIELD(NTPEN, "NTPEN", Time, R | W, Choice, 0, 1),
    FIELD(NTPName, "NTPName", Time, R | W, Text),
    FIELD(Timezone, "Timezone", Time, R | W, Range, 0, kTimeZoneCount - 1),
    FIELD(NTPPoll, "NTPPoll", Time, R | W, Number),
    FIELD(Date, "Date", Time, R | W, Date),
    FIELD(Time, "Time", Time, R | W, Time),
    FIELD(UPnPE, "UPnPE", Network, W, Choice, 0, 1),
    FIELD(HttpPort, "HttpPort", Network, R | W, Port),
    FIELD(SPort, "SPort", Network, W, Port),
    FIELD(RTSPPort, "RTSPPort", Network, W, Port),
    FIELD(Version, "Version", Firmware, 0, Text),
    FIELD(newFeatures, "newFeatures", None, 0, Number),
    FIELD(apScanDone, "apScanDone", None, 0, Number),
    FIELD(apCount, "apCount", None, 0, Number),
    FIELD(NATStat, "NATStat", Nat, H, Number),
    FIELD(ExtIPAddr, "ExtIPAddr", Nat, H, Text),
    FIELD(ExtHttpPort, "ExtHttpPort", Nat, H, Number),
};

#undef FIELD

const char* const kSystemQuery[] = {"TitleBar", "Desp"};
const char* const kDdnsQuery[] = {"DDNSSrv", "DDNS", "DDNSUser", "DDNSPwd", "DDNSHost"};
const char* const kTimeQuery[] = {"NTPEN", "NTPName", "NTPPoll", "Timezone", "Date", "Time"};
const char* const kWiredQuery[] = {"IPType",   "IPAddr", "Netmask",  "Gateway", "DNS1",
                                   "DNS2",     "UPnPE",  "PAccount", "PPwd",    "PVP",
                                   "HttpPort", "SPort",  "RTSPPort"};
const char* const kNetworkQuery[] = {
    "IPType",  "IPAddr",   "Netmask",  "Gateway", "DNS1",      "DNS2",     "WIPType",
    "WIPAddr", "WNetmask", "WGateway", "WDNS1",   "WDNS2",     "WireType", "WireSec",
    "SSID",    "WireCh",   "WEPAuthM", "WEPMode", "WEPKey0",   "WEPKey1",  "WEPKey2",
    "WEPKey3", "WEPKeyE0", "WPAKey",   "WPAEnc",  "WPAPSKeyM", "TxRate",   "WepKeyL",
    "UPnPE",   "PAccount", "PPwd",     "PVP",     "HttpPort",  "SPort",    "RTSPPort"};

}  // namespace

std::span<const CameraField> FieldCatalogue() {
    return kCatalogue;
}

const CameraField* FindField(std::string_view name) {
    for (const CameraField& f : kCatalogue)
        if (name == f.name) return &f;
    return nullptr;
}

Report ReportOf(int page, int sub) {
    switch (page) {
        case 0:
            return sub == 15 ? Report::Time : Report::None;
        case 1:
            return Report::System;
        case 3:
            return Report::Network;
        case 13:
            return Report::Ddns;
        case 23:
            return Report::Firmware;
        case 32:
            return Report::Capability;
        case 34:
            return Report::Nat;
        default:
            return Report::None;
    }
}

std::span<const char* const> QueryFields(WriteQuery query) {
    switch (query) {
        case WriteQuery::System:
            return kSystemQuery;
        case WriteQuery::Ddns:
            return kDdnsQuery;
        case WriteQuery::Time:
            return kTimeQuery;
        case WriteQuery::Network:
            return kNetworkQuery;
        case WriteQuery::NetworkWithoutWireless:
            return kWiredQuery;
    }
    return {};
}

}  // namespace orvanta::camera
