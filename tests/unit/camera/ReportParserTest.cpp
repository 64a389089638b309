// SPDX-License-Identifier: GPL-3.0-or-later
// The key=value report parser and the model table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ExpectFields.h"
#include "camera/commands/SettingsRead.h"
#include "camera/record/ReportParser.h"

namespace orvanta::camera {
namespace {

using testing::ExpectFields;

const char kNetworkReport[] =
    "IPType=1\nIPAddr=192.168.0.98\nNetmask=255.255.255.0\nGateway=192.168.0.1\n"
    "DNS1=8.8.8.8\nDNS2=8.8.4.4\nWIPType=0\nWIPAddr=192.168.1.50\nWNetmask=255.255.0.0\n"
    "WGateway=192.168.1.1\nWDNS1=1.1.1.1\nWDNS2=1.0.0.1\nWireless=1\nWireType=0\nWireSec=3\n"
    "SSID=My \"Home\" <net>\nWireCh=300\nChType=2\nTxRate=Auto\nWEPAuthM=1\nWepKeyL=1\n"
    "WEPMode=0\nWEPKey0=k0\nWEPKey1=k1\nWEPKey2=\nWEPKey3=k3\nWEPKeyE0=2\nWPAKey=secret key\n"
    "WPAEnc=1\nWPAPSKeyM=0\nUPnPE=1\nHttpPort=8080\nSPort=-1\nRTSPPort=554\n";

TEST(CameraReport, NetworkPageFillsEveryField) {
    CameraSettings s = NewCameraSettings();
    ParseReport(s, kNetworkReport, 3, 0);
    ExpectFields(s,
                 "IPType=1|IPAddr=192.168.0.98|Netmask=255.255.255.0|Gateway=192.168.0.1|"
                 "DNS1=8.8.8.8|DNS2=8.8.4.4|WIPType=0|WIPAddr=192.168.1.50|WNetmask=255.255.0.0|"
                 "WGateway=192.168.1.1|WDNS1=1.1.1.1|WDNS2=1.0.0.1|Wireless=1|WireSec=3|"
                 "ChType=2|TxRate=Auto|WEPAuthM=1|WepKeyL=1|WEPKey0=k0|WEPKey2=|WEPKey3=k3|"
                 "WEPKeyE0=2|WPAKey=secret key|WPAEnc=1|UPnPE=1|HttpPort=8080|SPort=-1|"
                 "RTSPPort=554");
    EXPECT_STREQ(s.SSID, "My \"Home\" <net>");  // quotes, blanks and "<" belong to the value
    EXPECT_EQ(s.WireCh, 44);                    // 300 keeps its low byte
}

TEST(CameraReport, LineEndsEmptyAndMissingValues) {
    CameraSettings s = NewCameraSettings();
    s.SECUEN = 1;
    std::strcpy(s.TitleBar, "old title");
    std::strcpy(s.ModelName, "old model");
    ParseReport(s, "TitleBar=\r\nDesp=Back yard\r\nSECUEN=\r\n", 1, 0);
    EXPECT_STREQ(s.TitleBar, "");       // empty text: cleared
    EXPECT_STREQ(s.Desp, "Back yard");  // no carriage return kept
    EXPECT_EQ(s.SECUEN, 1);             // empty number: kept
    EXPECT_STREQ(s.ModelName, "");      // missing text: cleared

    s.HttpPort = 81;
    s.UPnPE = 1;
    ParseReport(s, "HttpPort=8080\r\nUPnPE=x\r\nSPort= 7\r\nRTSPPort= \n5\n", 3, 0);
    EXPECT_EQ(s.HttpPort, 8080);
    EXPECT_EQ(s.UPnPE, 1);     // no digits: kept
    EXPECT_EQ(s.SPort, 7);     // leading blanks are skipped
    EXPECT_EQ(s.RTSPPort, 0);  // a value never continues on the next line

    // The text at the very end, without any line end.
    ParseReport(s, "Version=0.9.6.8", 23, 0);
    EXPECT_STREQ(s.Version, "0.9.6.8");
}

TEST(CameraReport, KeysInsideLongerKeysAreNotTaken) {
    // A camera listing its wireless block first must not give the wired fields its values.
    const char report[] =
        "WIPAddr=10.0.0.2\nWNetmask=255.0.0.0\nWGateway=10.0.0.1\nWDNS1=10.0.0.53\n"
        "WDNS2=10.0.0.54\nWIPType=1\nIPType=0\nIPAddr=192.168.0.98\nNetmask=255.255.255.0\n"
        "Gateway=192.168.0.1\nDNS1=192.168.0.53\nDNS2=192.168.0.54\nWPAPSKeyM=1\n";
    CameraSettings s = NewCameraSettings();
    ParseReport(s, report, 3, 0);
    ExpectFields(s,
                 "IPAddr=192.168.0.98|Netmask=255.255.255.0|Gateway=192.168.0.1|"
                 "DNS1=192.168.0.53|DNS2=192.168.0.54|WIPAddr=10.0.0.2|IPType=0|WIPType=1");

    // A key at the very start or after markup counts; one after a digit, underscore, blank or
    // tab does not: it is part of a value.
    ParseReport(s, "1IPAddr=a\n_IPAddr=b\n IPAddr=c\n\tIPAddr=d\n<td>IPAddr=e\n", 3, 0);
    EXPECT_STREQ(s.IPAddr, "e");
    ParseReport(s, "Desp=gate IPAddr=evil\nIPAddr=d\n", 3, 0);
    EXPECT_STREQ(s.IPAddr, "d");
    // The first good hit wins.
    ParseReport(s, "IPAddr=first\nIPAddr=second\n", 3, 0);
    EXPECT_STREQ(s.IPAddr, "first");
    // Keys are case-sensitive.
    ParseReport(s, "ipaddr=x\n", 3, 0);
    EXPECT_STREQ(s.IPAddr, "");
}

TEST(CameraReport, APageLacksOnlyWhatEveryModelReports) {
    const std::string wired =
        "IPType=1\nIPAddr=a\nNetmask=m\nGateway=g\nDNS1=d\nDNS2=\nHttpPort=80";
    EXPECT_EQ(CheckReport(wired.c_str(), 3, 0), CAM_OK);  // no wireless keys, no last line end
    EXPECT_EQ(CheckReport(wired.substr(9).c_str(), 3, 0), CAM_ERR_INCOMPLETE);  // no IPType
    EXPECT_EQ(CheckReport("TitleBar=t\nDesp=d", 1, 0), CAM_OK);                 // no ModelName
}

TEST(CameraReport, NumbersAndTextsStayInsideTheirFields) {
    CameraSettings s = NewCameraSettings();
    ParseReport(s, "Timezone=4294967297\nNTPPoll=-2147483649\nNTPEN=-1\n", 0, 15);
    EXPECT_EQ(s.Timezone, 1);          // low four bytes
    EXPECT_EQ(s.NTPPoll, 2147483647);  // wraps like the low bytes do
    EXPECT_EQ(s.NTPEN, 255);
    ParseReport(s, "Timezone=99999999999999999999999999\n", 0, 15);  // no overflow trap

    std::string longTitle(200, 't');
    std::string report = "TitleBar=" + longTitle + "\nModelName=" + std::string(40, 'm') + "\n";
    std::memset(s.Desp, 'd', sizeof s.Desp);
    ParseReport(s, report.c_str(), 1, 0);
    EXPECT_EQ(std::string(s.TitleBar), std::string(63, 't'));  // cut to width - 1
    EXPECT_EQ(std::string(s.ModelName), std::string(31, 'm'));
    EXPECT_STREQ(s.Desp, "");  // cleared, though it was full

    // Page 0 is the time only with sub 15; unknown pages fill nothing.
    CameraSettings before = NewCameraSettings();
    CameraSettings after = before;
    ParseReport(after, "NTPEN=1\nNTPName=pool\nVersion=1\n", 0, 0);
    ParseReport(after, "NTPEN=1\nNTPName=pool\nVersion=1\n", 99, 0);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST(CameraReport, SmallPages) {
    CameraSettings s = NewCameraSettings();
    ParseReport(s, "Wireless=1\nWPS=1\nTransversal=1\n", 32, 0);
    EXPECT_EQ(s.WirelessCap, 1);
    EXPECT_EQ(s.WPSCap, 1);
    EXPECT_EQ(s.Transversal, 1);
    EXPECT_EQ(s.Wireless, 0);  // page 3's field is not touched
    EXPECT_EQ(s.WPS, 0);

    ParseReport(s, "WPS_ACK=1\nWPS=0\n", 32, 0);
    EXPECT_EQ(s.WPSCap, 0);  // "WPS=" is not inside "WPS_ACK="

    ParseReport(s, "DDNSSrv=ddns.example:80\nDDNS=1\nDDNSUser=u\nDDNSPwd=p w\nDDNSHost=cam.x\n", 13,
                0);
    EXPECT_STREQ(s.DDNSSrv, "ddns.example:80");
    EXPECT_EQ(s.DDNS, 1);
    EXPECT_STREQ(s.DDNSUser, "u");
    EXPECT_STREQ(s.DDNSPwd, "p w");
    EXPECT_STREQ(s.DDNSHost, "cam.x");

    ParseReport(s,
                "NTPEN=1\nNTPName=pool.ntp.org\nNTPPoll=24\nTimezone=-5\nDate=2026/12/08\n"
                "Time=01:02:03\n",
                0, 15);
    EXPECT_EQ(s.NTPEN, 1);
    EXPECT_STREQ(s.NTPName, "pool.ntp.org");
    EXPECT_EQ(s.NTPPoll, 24);
    EXPECT_EQ(s.Timezone, -5);
    EXPECT_STREQ(s.Date, "2026/12/08");
    EXPECT_STREQ(s.Time, "01:02:03");

    ParseReport(s, "NATStat=2\nExtIPAddr=203.0.113.7\nExtHttpPort=8081\n", 34, 0);
    EXPECT_EQ(s.NATStat, 2);
    EXPECT_STREQ(s.ExtIPAddr, "203.0.113.7");
    EXPECT_EQ(s.ExtHttpPort, 8081);
}

TEST(CameraModelTable, NewFeaturesByModelAndFirmware) {
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71", "0.9.6.8"), 1);
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71", "0.9.7.0"), 1);
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71", "0.9.6.7"), 0);
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71", "0.9.10.1"), 0);  // compared as text
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71", ""), 0);
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71Q", "9.9.9.9"), 0);
    EXPECT_EQ(ModelHasNewFeatures("Dalix-44", "0.9.6.5"), 1);
    EXPECT_EQ(ModelHasNewFeatures("Dalix-44", "0.9.6.4"), 0);
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71Z", ""), 1);
    EXPECT_EQ(ModelHasNewFeatures("Tornel-52", "9"), 0);
    EXPECT_EQ(ModelHasNewFeatures("Quent-9Z", ""), 1);
    EXPECT_EQ(ModelHasNewFeatures("mervo-71z", ""), 0);  // exact names only
    EXPECT_EQ(ModelHasNewFeatures("Mervo-71Z ", ""), 0);
    EXPECT_EQ(ModelHasNewFeatures("", ""), 0);
}

}  // namespace
}  // namespace orvanta::camera
