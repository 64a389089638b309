// SPDX-License-Identifier: GPL-3.0-or-later
// Reading cameras over a lab link: orvanta2-cli read and apscan against the simulator, and
// the transport's time-outs against peers that do not behave.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "JsonOut.h"
#include "Lab.h"

namespace orvanta::camera {
namespace {

using lab::Lab;
using testing::ParseJson;
using Clock = std::chrono::steady_clock;

// An open wireless camera, a camera with security on, one that never answers.
const char kCameras[] =
    "[camera]\n"
    "ip = 192.168.0.98\nhttp_port = 80\nstream_port = 554\ndescription = Porch, east side\n"
    "ModelName = Mervo-71Z\nVersion = 1.2.3.4\nTitleBar = Front door\n"
    "IPType = 1\nIPAddr = 192.168.0.98\nNetmask = 255.255.255.0\nGateway = 192.168.0.1\n"
    "DNS1 = 192.168.0.1\nDNS2 = 9.9.9.9\nWireless = 1\nWireType = 0\nSSID = Home \"net\"\n"
    "WireCh = 11\nChType = 1\nWireSec = 2\nTxRate = Auto\nWIPType = 0\nWIPAddr = 10.1.1.98\n"
    "WNetmask = 255.0.0.0\nWGateway = 10.0.0.1\nWDNS1 = 10.0.0.2\nWDNS2 = 10.0.0.3\n"
    "WPAEnc = 1\nWPAPSKeyM = 0\nWPAKey = secret phrase\nWEPAuthM = 0\nWEPMode = 1\n"
    "WEPKeyE0 = 1\nWepKeyL = 0\nWEPKey0 = 11111\nWEPKey1 = 22222\nWEPKey2 = 33333\n"
    "WEPKey3 = 44444\nUPnPE = 1\nHttpPort = 80\nSPort = 554\nRTSPPort = 8554\n"
    "DDNSSrv = ddns.example.net:80\nDDNS = 1\nDDNSHost = cam.example.net\nDDNSUser = me\n"
    "DDNSPwd = pw\nNTPEN = 1\nNTPName = ntp.example.org\nTimezone = 8\nNTPPoll = 12\n"
    "Date = 2026/12/08\nTime = 08:09:10\ncap_wireless = 1\ncap_wps = 0\ncap_transversal = 1\n"
    "ap1 = 6|00:11:22:33:44:55|Home net|80|Infra|WPA2-PSK|AES\n"
    "ap2 = 13|00:11:22:33:44:66|Cafe|20|Adhoc|None|None\n"
    "[camera]\n"
    "ip = 192.168.0.99\nhttp_port = 8080\nModelName = Tornel-52\nVersion = 2.0\n"
    "TitleBar = Garage\nsecurity = on\nuser = admin\npassword = open sesame\nline_end = crlf\n"
    "[camera]\n"
    "ip = 192.168.0.97\nhttp_port = 80\nfault = silent\n";

const char kOpenCameraJson[] =
    R"({"IPType": 1, "IPAddr": "192.168.0.98", "Netmask": "255.255.255.0", )"
    R"("Gateway": "192.168.0.1", "DNS1": "192.168.0.1", "DNS2": "9.9.9.9", "PAccount": "", )"
    R"("PPwd": "", "PVP": "", "Wireless": 1, "WireType": 0, "SSID": "Home \"net\"", )"
    R"("WireCh": 11, "ChType": 1, "WireSec": 2, "TxRate": "Auto", "WIPType": 0, )"
    R"("WIPAddr": "10.1.1.98", "WNetmask": "255.0.0.0", "WGateway": "10.0.0.1", )"
    R"("WDNS1": "10.0.0.2", "WDNS2": "10.0.0.3", "WPAEnc": 1, "WPAPSKeyM": 0, )"
    R"("WPAKey": "secret phrase", "WEPAuthM": 0, "WEPMode": 1, "WEPKeyE0": 1, "WepKeyL": 0, )"
    R"("WEPKey0": "11111", "WEPKey1": "22222", "WEPKey2": "33333", "WEPKey3": "44444", )"
    R"("SECUEN": 0, "ModelName": "Mervo-71Z", "TitleBar": "Front door", )"
    R"("Desp": "Porch, east side", "WPSCap": 0, "WirelessCap": 1, "Transversal": 1, )"
    R"("DDNS": 1, "DDNSSrv": "ddns.example.net:80", "DDNSHost": "cam.example.net", )"
    R"("DDNSUser": "me", "DDNSPwd": "pw", "NTPEN": 1, "NTPName": "ntp.example.org", )"
    R"("Timezone": 8, "NTPPoll": 12, "Date": "2026/12/08", "Time": "08:09:10", "UPnPE": 1, )"
    R"("HttpPort": 80, "SPort": 554, "RTSPPort": 8554, "Version": "1.2.3.4", )"
    R"("newFeatures": 1, "apScanDone": 1, "apCount": 2, "accessPoints": [)"
    R"({"channel": 6, "mac": "00:11:22:33:44:55", "ssid": "Home net", "quality": 80, )"
    R"("mode": "Infra", "security": "WPA2-PSK", "algorithm": "AES"}, )"
    R"({"channel": 13, "mac": "00:11:22:33:44:66", "ssid": "Cafe", "quality": 20, )"
    R"("mode": "Adhoc", "security": "None", "algorithm": "None"}]})"
    "\n";

class CameraLab : public ::testing::Test {
protected:
    void SetUp() override {
        LAB_REQUIRED();
        lab = std::make_unique<Lab>();
        char path[] = "/tmp/orvanta-camera-lab-XXXXXX";
        int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        close(fd);
        config = path;
        std::ofstream(config) << kCameras;
        lab->AddAddress("pc", "192.168.0.10/24");
        lab->AddHost("cams", {"192.168.0.97/24", "192.168.0.98/24", "192.168.0.99/24"});
        lab->StartCamsim("cams", {"--config", config});
    }
    void TearDown() override {
        lab.reset();
        if (!config.empty()) std::remove(config.c_str());
    }
    // The tool's stdout and stderr together, and its exit status.
    std::string Cli(const std::string& arguments, int* status) {
        return lab->Output("pc", std::string(ORVANTA_CLI) + " " + arguments + " 2>&1", status);
    }
    std::unique_ptr<Lab> lab;
    std::string config;
};

TEST_F(CameraLab, ReadPrintsEveryFieldOfOpenAndSecuredCameras) {
    int status = -1;
    std::string json = Cli("read 192.168.0.98 --json", &status);
    EXPECT_EQ(ParseJson(json), ParseJson(kOpenCameraJson)) << json;
    EXPECT_EQ(status, 0);

    std::string out = Cli("read 192.168.0.99:8080", &status);
    EXPECT_EQ(out,
              "read failed: -8 (CAM_ERR_UNAUTHORIZED): unauthorized (wrong or missing user and "
              "password)\n");
    EXPECT_EQ(status, 1);
    out = Cli("read 192.168.0.99:8080 --user admin --password wrong", &status);
    EXPECT_EQ(out,
              "read failed: -8 (CAM_ERR_UNAUTHORIZED): unauthorized (wrong or missing user and "
              "password)\n");
    EXPECT_EQ(status, 1);
    out = Cli("read 192.168.0.99:8080 --user admin --password 'open sesame'", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("SECUEN       1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("ModelName    Tornel-52\n"), std::string::npos);
    EXPECT_NE(out.find("TitleBar     Garage\n"), std::string::npos);  // no carriage return
    EXPECT_NE(out.find("IPAddr       192.168.0.99\n"), std::string::npos);
    EXPECT_NE(out.find("Version      2.0\n"), std::string::npos);
    EXPECT_NE(out.find("newFeatures  0\n"), std::string::npos);

    out = Cli("apscan 192.168.0.98 --json", &status);
    EXPECT_EQ(status, 0);
    auto scan = ParseJson(out);
    EXPECT_EQ(scan["apCount"], 2) << out;
    EXPECT_EQ(scan["accessPoints"][0]["channel"], 6) << out;
    out = Cli("apscan 192.168.0.99:8080", &status);  // no credentials: no report
    EXPECT_EQ(status, 1);
}

TEST_F(CameraLab, DeadAndSilentPeersFailWithinTheirTimeOuts) {
    struct Case {
        const char* target;
        const char* message;
        double low, high;
    };
    // Nobody at .50: no answer to the connect at all. Nothing on port 81: refused at once.
    // The system page is read three times, as the wizard reads it: up to three waits each.
    const Case cases[] = {
        {"192.168.0.50",
         "read failed: -1 (CAM_ERR_CONNECT): no connection (no host answered in time, or the "
         "name is unknown)\n",
         1.8, 3 * 3.5},
        {"192.168.0.98:81",
         "read failed: -15 (CAM_ERR_REFUSED): refused (the connection was refused or reset)\n", 0.0,
         1.0},
        {"192.168.0.97", "read failed: -3 (CAM_ERR_NO_ANSWER): no answer\n", 3 * 4.8, 3 * 6.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        int status = -1;
        auto start = Clock::now();
        EXPECT_EQ(Cli(std::string("read ") + c.target, &status), c.message);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        EXPECT_EQ(status, 1);
        EXPECT_GE(seconds, c.low);
        EXPECT_LE(seconds, c.high);
    }
}

}  // namespace
}  // namespace orvanta::camera
