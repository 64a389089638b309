// SPDX-License-Identifier: GPL-3.0-or-later
// The summary page's texts and the DDNS provider table behind its provider line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "camera/rules/ClockChoices.h"
#include "camera/rules/DdnsProviders.h"
#include "camera/rules/SettingsSummary.h"
#include "camera/rules/WirelessKeys.h"
#include "camera/rules/WirelessLists.h"

namespace orvanta::camera {
namespace {

const SummaryLabels kLabels{.hostname = "Name",
                            .description = "Info",
                            .pppoeUser = "User",
                            .pppoePassword = "Password",
                            .dhcp = "DHCP",
                            .ipAddress = "IP",
                            .mask = "Mask",
                            .gateway = "Gateway",
                            .dns = "DNS",
                            .noWirelessSupport = "no wireless",
                            .wirelessNotUsed = "wireless unused",
                            .useWps = "WPS",
                            .wpsSucceeded = "WPS ok",
                            .wpsFailed = "WPS failed",
                            .ssid = "SSID",
                            .security = "Security",
                            .noSecurity = "open",
                            .upnpOn = "UPnP on",
                            .upnpOff = "UPnP off",
                            .httpPort = "HTTP",
                            .streamPort = "Stream",
                            .rtspPort = "RTSP",
                            .ddnsOn = "DDNS on",
                            .ddnsOff = "DDNS off",
                            .provider = "Provider",
                            .ddnsHost = "Host",
                            .ddnsUser = "Login"};

SettingsSummary Build(const CameraSettings& s, SettingsSummary before = {}) {
    BuildSettingsSummary(s, kLabels, before);
    return before;
}

const SettingsSummary kEarlier{"", "earlier", "earlier", "", ""};

TEST(SettingsSummary, SystemShowsUtf8WidensOtherBytesAndStaysInsideItsFields) {
    CameraSettings s = NewCameraSettings();
    SetFieldText(s.TitleBar, "Caf\xE9");
    SetFieldText(s.Desp, "\xC3\x84rger");
    EXPECT_EQ("Name: Caf\xC3\xA9\nInfo: \xC3\x84rger", Build(s).system);

    // A full field without a NUL ends at its width, not in the next field.
    std::memset(s.TitleBar, 'x', sizeof s.TitleBar);
    EXPECT_EQ("Name: " + std::string(sizeof s.TitleBar, 'x') + "\nInfo: \xC3\x84rger",
              Build(s).system);
}

TEST(SettingsSummary, EveryLabelEndsInOneSeparator) {
    CameraSettings s = NewCameraSettings();
    SetFieldText(s.TitleBar, "Cam");
    const std::pair<const char*, const char*> cases[] = {
        {"H\xC3\xB4te", "H\xC3\xB4te: Cam"},  // UTF-8 label, not widened again
        {"Host:", "Host: Cam"},
        {"Host :  ", "Host : Cam"},
        {"\xE5\x90\x8D\xE7\xA7\xB0",
         "\xE5\x90\x8D\xE7\xA7\xB0\xEF\xBC\x9A"
         "Cam"},  // CJK: full width
        {"\xE5\x90\x8D\xEF\xBC\x9A",
         "\xE5\x90\x8D\xEF\xBC\x9A"
         "Cam"},
        {"", ": Cam"},
    };
    for (const auto& [label, expected] : cases) {
        SummaryLabels labels = kLabels;
        labels.hostname = label;
        SettingsSummary out;
        BuildSettingsSummary(s, labels, out);
        EXPECT_EQ(expected, out.system.substr(0, out.system.find('\n'))) << label;
    }
}

TEST(SettingsSummary, NetworkByAddressType) {
    CameraSettings s = NewCameraSettings();
    SetFieldText(s.IPAddr, "192.0.2.20");
    SetFieldText(s.Netmask, "255.255.255.0");
    SetFieldText(s.Gateway, "192.0.2.1");
    SetFieldText(s.DNS1, "192.0.2.53");
    SetFieldText(s.pcGatewayText, "198.51.100.1");
    SetFieldText(s.PAccount, "dsl-user");
    SetFieldText(s.PPwd, "s3cr\xC3\xA9t");

    s.IPType = 0;  // the PC's gateway, not the camera's
    EXPECT_EQ("DHCP\nGateway: 198.51.100.1", Build(s).network);
    s.IPType = 1;
    EXPECT_EQ("IP: 192.0.2.20\nMask: 255.255.255.0\nGateway: 192.0.2.1\nDNS: 192.0.2.53",
              Build(s).network);
    s.IPType = 2;  // one asterisk per character, not per byte
    EXPECT_EQ("PPPoE\nUser: dsl-user\nPassword: ******", Build(s).network);
    s.IPType = 7;
    EXPECT_EQ("earlier", Build(s, kEarlier).network);
}

TEST(SettingsSummary, WirelessVariants) {
    CameraSettings s = NewCameraSettings();
    SetFieldText(s.SSID, "Caf\xE9Net");
    s.useWireless = 1;
    s.WirelessCap = 2;
    EXPECT_EQ("no wireless", Build(s).wireless) << "asked for, but no capability";
    s.WirelessCap = 1;
    s.useWireless = 0;
    EXPECT_EQ("wireless unused", Build(s).wireless);

    s.useWireless = 1;
    s.useWps = 1;
    s.WPS_ACK = 1;
    EXPECT_EQ("WPS\nWPS ok", Build(s).wireless);
    s.WPS_ACK = 0;
    EXPECT_EQ("WPS\nWPS failed", Build(s).wireless);

    s.useWps = 0;
    const char* kSecurity[] = {"open", "WEP", "WPA-PSK", "WPA2-PSK"};
    for (uint8_t sec = 0; sec < 4; ++sec) {
        s.WireSec = sec;
        EXPECT_EQ(std::string("SSID: Caf\xC3\xA9Net\nSecurity: ") + kSecurity[sec],
                  Build(s).wireless);
    }
    s.WireSec = 4;
    EXPECT_EQ("earlier", Build(s, kEarlier).wireless);
}

TEST(SettingsSummary, UpnpPortsEachAfterTheirLabel) {
    CameraSettings s = NewCameraSettings();
    s.HttpPort = 8080;
    s.SPort = 8081;
    s.RTSPPort = 554;
    s.UPnPE = 1;
    EXPECT_EQ("UPnP on\nHTTP: 8080\nStream: 8081\nRTSP: 554", Build(s).upnp);
    s.UPnPE = 0;
    EXPECT_EQ("UPnP off\nHTTP: 8080\nStream: 8081\nRTSP: 554", Build(s).upnp);
}

TEST(SettingsSummary, DdnsNamesTheProvider) {
    CameraSettings s = NewCameraSettings();
    SetFieldText(s.DDNSHost, "cam.example.net");
    SetFieldText(s.DDNSUser, "Jos\xE9");
    EXPECT_EQ("DDNS off", Build(s).ddns);

    s.DDNS = 1;
    SetFieldText(s.DDNSSrv, DdnsProviders()[0].stored);
    EXPECT_EQ(std::string("DDNS on\nProvider: ") + DdnsProviders()[0].label +
                  "\nHost: cam.example.net\nLogin: Jos\xC3\xA9\n",
              Build(s).ddns);
    SetFieldText(s.DDNSSrv, "dyn.\xE9xample:80");
    EXPECT_EQ(
        "DDNS on\nProvider: dyn.\xC3\xA9xample:80\nHost: cam.example.net\nLogin: Jos\xC3\xA9\n",
        Build(s).ddns);
}

TEST(DdnsProviders, ListAndPositionByModel) {
    const auto all = DdnsProviders();
    ASSERT_EQ(8u, all.size());
    EXPECT_EQ(8, DdnsProviderCount("Mervo-71Z"));
    EXPECT_EQ(8, DdnsProviderCount("Quent-9Z"));
    EXPECT_EQ(2, DdnsProviderCount("mervo-71z"));
    EXPECT_STRNE(all[0].stored, all[1].stored);
    EXPECT_EQ(all[1].label, DdnsProviderDisplay(all[1].stored));
    for (size_t i = 2; i < all.size(); ++i) EXPECT_STREQ(all[i].label, all[i].stored);

    // Two-entry models know only the addresses.
    EXPECT_EQ(0, DdnsProviderPosition("Mervo-71", all[1].label));
    EXPECT_EQ(1, DdnsProviderPosition("Mervo-71", all[1].stored));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(i, DdnsProviderPosition("Quent-9Z", all[i].label));
    EXPECT_EQ(1, DdnsProviderPosition("Mervo-71Z", all[1].stored));
    // Exact and case-sensitive; no match leaves the first entry.
    EXPECT_EQ(0, DdnsProviderPosition("Mervo-71Z", "zoneedit"));
    EXPECT_EQ(0, DdnsProviderPosition("Mervo-71Z", "ZoneEdit "));
}

TEST(WirelessKeys, KeysAndNamesFollow80211) {
    // HEX 10 or 26 digits, ASCII 5 or 13 printable characters: exactly.
    for (int hex : {0, 1}) {
        for (int bits128 : {0, 1}) {
            const std::string key(hex ? (bits128 ? 26 : 10) : (bits128 ? 13 : 5), hex ? 'a' : ' ');
            EXPECT_TRUE(IsWepKey(key, hex, bits128));
            const std::string cut = key.substr(1);
            for (const std::string& bad : {key + "0", cut, cut + (hex ? "g" : "\t"), cut + "\x80"})
                EXPECT_FALSE(IsWepKey(bad, hex, bits128)) << bad;
        }
    }
    const std::string h64(64, 'F'), p63(63, 'x');
    const std::pair<std::string, bool> psk[] = {
        {"1234567", 0},          {"12345678", 1},    {p63, 1},
        {p63 + "x", 0},          {h64, 1},           {h64.substr(1) + "g", 0},
        {"pass\xC3\xA9word", 0}, {"with space ~", 1}};
    for (const auto& [key, ok] : psk) EXPECT_EQ(ok, IsPreSharedKey(key)) << key;
    EXPECT_TRUE(IsSsid(std::string(32, 'n')) && !IsSsid(std::string(33, 'n')) && !IsSsid(""));

    // Key slots 0 to 3; a slot outside them stores nothing and reads as key 3.
    CameraSettings s = NewCameraSettings();
    for (int slot : {0, 3, 4, -1}) SetWepKeySlot(s, slot, "k" + std::to_string(slot));
    std::string slots;
    for (int slot : {0, 1, 2, 3, 9}) slots += std::string(WepKeySlot(s, slot)) + "|";
    EXPECT_EQ("k0|||k3|k3|", slots);
}

TEST(WirelessKeys, ASaveIsRefusedOnlyTheKeysItNewlyGivesForTheSecurityInUse) {
    CameraSettings read = NewCameraSettings();
    SetFieldText(read.SSID, "home");
    SetFieldText(read.WPAKey, "short");  // the camera's own, however it came by it
    read.WireSec = 2;
    CameraSettings s = read;
    EXPECT_EQ("", WirelessKeyProblem(s, read));
    SetFieldText(s.WPAKey, "still7!");
    EXPECT_NE(std::string::npos, WirelessKeyProblem(s, read).find("WPAKey"));
    SetFieldText(s.SSID, std::string(33, 's'));
    EXPECT_NE(std::string::npos, WirelessKeyProblem(s, read).find("SSID"));

    // WEP: the chosen slot, by the key length (64/128 or 0/1) and the format (0: HEX).
    s = read;
    s.WireSec = 1;
    s.WEPKeyE0 = 2;
    s.WepKeyL = 1;
    SetFieldText(s.WEPKey2, "0123456789");
    EXPECT_NE(std::string::npos, WirelessKeyProblem(s, read).find("WEPKey2"));
    s.WepKeyL = 64;
    EXPECT_EQ("", WirelessKeyProblem(s, read));
    s.WEPMode = 1;
    EXPECT_NE(std::string::npos, WirelessKeyProblem(s, read).find("ASCII"));
    s.WireSec = 0;  // no security: no key is looked at
    EXPECT_EQ("", WirelessKeyProblem(s, read));
}

TEST(ClockChoices, PositionsAreTheCamerasNumbers) {
    const auto& zones = TimeZoneEntries();
    EXPECT_STREQ("(GMT-12) Eniwetok", zones[0]);
    EXPECT_STREQ("(GMT) Greenwich Mean Time,Greenwich", zones[12]);
    EXPECT_STREQ("(GMT+8) Taipei,Hongkong,Beijing", zones[kInitialTimeZone]);
    EXPECT_STREQ("(GMT+12)Fiji,Wellington,Aucklan", zones[24]);
    std::vector<std::string> intervals = UpdateIntervalEntries();
    ASSERT_EQ(24u, intervals.size());
    EXPECT_EQ("0 hour", intervals[0]);
    EXPECT_EQ("12 hour", intervals[kInitialUpdateInterval]);
    EXPECT_EQ("23 hour", intervals[23]);
}

TEST(WirelessLists, ChannelsByRegionAndTheStoredChannelsEntry) {
    EXPECT_EQ(12u, ChannelEntries(0).size());
    EXPECT_EQ("14", ChannelEntries(2).back());
    EXPECT_EQ((std::vector<std::string>{"Auto", "10", "11"}), ChannelEntries(4));
    EXPECT_EQ("5", ChannelEntries(5)[1]);
    EXPECT_TRUE(ChannelEntries(6).empty());
    EXPECT_TRUE(ChannelEntries(-1).empty());
    // A prefix match from the second entry on: channel 1 is "10" where there is no "1".
    EXPECT_EQ(1, ChannelPosition(ChannelEntries(3), 1));
    EXPECT_EQ(1, ChannelPosition(ChannelEntries(0), 1));
    EXPECT_EQ(13, ChannelPosition(ChannelEntries(1), 13));
    EXPECT_EQ(-1, ChannelPosition(ChannelEntries(0), 0));
    EXPECT_EQ(-1, ChannelPosition(ChannelEntries(0), 12));
    EXPECT_EQ(-1, ChannelPosition({}, 1));
    EXPECT_EQ(0, ChannelValue("Auto"));
    EXPECT_EQ(0, ChannelValue(""));
    EXPECT_EQ(13, ChannelValue("13"));
    EXPECT_EQ(4, TxRatePosition("11M"));
    EXPECT_EQ(-1, TxRatePosition("11m"));
}

TEST(WirelessLists, ScannedTextsMapExactlyOrNotAtAll) {
    EXPECT_EQ(1, ScannedWireType("Infra"));
    EXPECT_EQ(0, ScannedWireType("Adhoc"));
    EXPECT_FALSE(ScannedWireType("adhoc"));
    EXPECT_EQ(3, ScannedWireSec("WPA-PSK/WPA2-PSK"));
    EXPECT_EQ(1, ScannedWireSec("WEP"));
    EXPECT_FALSE(ScannedWireSec("WPA3-SAE"));
    EXPECT_EQ(0, ScannedWpaEnc("TKIP/AES"));
    EXPECT_EQ(1, ScannedWpaEnc("TKIP"));
    EXPECT_FALSE(ScannedWpaEnc(""));
}

}  // namespace
}  // namespace orvanta::camera
