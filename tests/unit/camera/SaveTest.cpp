// SPDX-License-Identifier: GPL-3.0-or-later
// The write queries, the save sequence with its read-backs and WPS, checked on the bytes a peer
// receives.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "RecordingPeer.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/commands/Wps.h"
#include "camera/rules/FieldValues.h"
#include "workflow/Save.h"

namespace orvanta::camera {
namespace {

using testing::RecordingPeer;

const char kUa[] = " HTTP/1.0\nUser-Agent: tavrin-1.0.1\n";
const std::string kOk = "HTTP/1.0 200 OK\n\nOK\n";

CameraSettings Camera(const char* port) {
    CameraSettings s = NewCameraSettings();
    SetFieldText(s.cameraAddressText, "127.0.0.1");
    SetFieldText(s.cameraPortText, port);
    SetFieldText(s.TitleBar, "Front door cam");
    SetFieldText(s.Desp, "by the gate");
    SetFieldText(s.DDNSSrv, "dyn.example:80");
    s.DDNS = 1;
    SetFieldText(s.DDNSUser, "john doe");
    SetFieldText(s.DDNSPwd, "pw");
    SetFieldText(s.DDNSHost, "cam.dyn.example");
    s.NTPEN = 1;
    SetFieldText(s.NTPName, "ntp.example");
    s.NTPPoll = 24;
    s.Timezone = -5;
    SetFieldText(s.Date, "2026/12/08");
    SetFieldText(s.Time, "10:11:12");
    s.IPType = 1;
    SetFieldText(s.IPAddr, "192.168.0.98");
    SetFieldText(s.Netmask, "255.255.255.0");
    SetFieldText(s.Gateway, "192.168.0.1");
    SetFieldText(s.DNS1, "192.168.0.1");
    SetFieldText(s.DNS2, "");
    s.WIPType = 0;
    SetFieldText(s.WIPAddr, "192.168.1.98");
    SetFieldText(s.WNetmask, "255.255.255.0");
    s.WireType = 1;
    s.WireSec = 2;
    SetFieldText(s.SSID, "my home");
    s.WireCh = 6;
    SetFieldText(s.WPAKey, "secret123");
    s.WPAEnc = 1;
    SetFieldText(s.TxRate, "Auto");
    s.UPnPE = 1;
    SetFieldText(s.PAccount, "isp user");
    SetFieldText(s.PPwd, "isp pw");
    s.HttpPort = 8080;
    s.SPort = 554;
    s.RTSPPort = 5554;
    return s;
}

// What a camera that kept everything of Camera() reports on the pages read back.
const std::string kSystemKept = "TitleBar=Front door cam\nDesp=by the gate\n";
const std::string kDdnsKept =
    "DDNSSrv=dyn.example:80\nDDNS=1\nDDNSUser=john doe\nDDNSPwd=pw\nDDNSHost=cam.dyn.example\n";
const std::string kTimeKept =
    "NTPEN=1\nNTPName=ntp.example\nNTPPoll=24\nTimezone=-5\nDate=2026/12/09\nTime=07:00:01\n";

std::string Read(const char* target, const std::string& auth = "\n") {
    return std::string("GET ") + target + kUa + auth;
}

TEST(Save, WithoutWpsSendsTheFourWritesByteForByteAndReadsBackBeforeTheNetwork) {
    RecordingPeer peer({kOk, kOk, kOk, kSystemKept, kDdnsKept, kTimeKept, kOk});
    CameraSettings s = Camera(peer.Port());
    std::vector<std::pair<SaveStep, int>> steps;
    workflow::SaveOutcome saved = workflow::RunSave(
        s, false, true, {.onStep = [&](SaveStep st, int r) { steps.emplace_back(st, r); }});
    ASSERT_EQ(CAM_OK, saved.code);
    EXPECT_EQ(4u, steps.size());
    EXPECT_EQ(4u, saved.taken.size());
    ASSERT_EQ(3u, saved.checks.size());
    for (const workflow::PageCheck& check : saved.checks) EXPECT_TRUE(check.Kept());
    std::vector<std::string> r = peer.Requests();
    ASSERT_EQ(7u, r.size());
    EXPECT_EQ(std::string("GET /goform/Parameters?Act=2&Page=1&TitleBar=Front%20door%20cam"
                          "&Desp=by%20the%20gate") +
                  kUa + "\n\n",
              r[0]);
    EXPECT_EQ(std::string("GET /goform/Parameters?Act=2&Page=13&DDNSSrv=dyn.example:80&DDNS=1"
                          "&DDNSUser=john doe&DDNSPwd=pw&DDNSHost=cam.dyn.example") +
                  kUa + "\n\n",
              r[1]);
    EXPECT_EQ(std::string("GET /cgi-bin/set_time.cgi?Act=2&NTPEN=1&NTPName=ntp.example&NTPPoll=24"
                          "&Timezone=-5&Date=2026/12/08&Time=10:11:12") +
                  kUa + "\n\n",
              r[2]);
    EXPECT_EQ(Read("/goform/Parameters?Act=1&Page=1"), r[3]);
    EXPECT_EQ(Read("/goform/Parameters?Act=1&Page=13"), r[4]);
    EXPECT_EQ(Read("/cgi-bin/set_time.cgi?Act=1"), r[5]);
    EXPECT_EQ(std::string("GET /goform/Parameters?Act=2&Page=3&IPType=1&IPAddr=192.168.0.98"
                          "&Netmask=255.255.255.0&Gateway=192.168.0.1&DNS1=192.168.0.1&DNS2="
                          "&WIPType=0&WIPAddr=192.168.1.98&WNetmask=255.255.255.0&WGateway="
                          "&WDNS1=&WDNS2=&WireType=1&WireSec=2&SSID=my%20home&WireCh=6"
                          "&WEPAuthM=0&WEPMode=0&WEPKey0=&WEPKey1=&WEPKey2=&WEPKey3=&WEPKeyE0=0"
                          "&WPAKey=secret123&WPAEnc=1&WPAPSKeyM=0&TxRate=Auto&WepKeyL=0&UPnPE=1"
                          "&PAccount=isp user&PPwd=isp pw&PVP=&HttpPort=8080&SPort=554"
                          "&RTSPPort=5554") +
                  kUa + "\n\n",
              r[6]);
}

TEST(Save, WithWpsReadsTheTimeAndLeavesTheWirelessFieldsOut) {
    RecordingPeer peer(
        {kOk, kOk,
         "NTPEN=0\nNTPName=pool\nNTPPoll=24\nTimezone=8\nDate=2027/01/01\nTime=08:00:00\n",
         kSystemKept, kDdnsKept, kOk});
    CameraSettings s = Camera(peer.Port());
    s.SECUEN = 1;
    SetFieldText(s.userName, "admin");
    SetFieldText(s.userPassword, "x");
    ASSERT_EQ(CAM_OK, workflow::RunSave(s, true, true).code);
    std::vector<std::string> r = peer.Requests();
    ASSERT_EQ(6u, r.size()) << "the time it did not write is not read back";
    const std::string auth = "Authorization: Basic YWRtaW46eA==\n\n";
    EXPECT_EQ(Read("/cgi-bin/set_time.cgi?Act=1", auth), r[2]);
    EXPECT_EQ(std::string("GET /goform/Parameters?Act=2&Page=3&IPType=1&IPAddr=192.168.0.98"
                          "&Netmask=255.255.255.0&Gateway=192.168.0.1&DNS1=192.168.0.1&DNS2="
                          "&UPnPE=1&PAccount=isp user&PPwd=isp pw&PVP=&HttpPort=8080&SPort=554"
                          "&RTSPPort=5554") +
                  kUa + auth + "\n",
              r[5]);
    for (const char* key : {"SSID=", "WireSec=", "WPAKey=", "WEPKey0="})
        EXPECT_EQ(std::string::npos, r[5].find(key)) << key;
    EXPECT_EQ("pool", std::string(FieldText(s.NTPName))) << "the time read is parsed";
}

// A refusal ends the save at its step. Answers that do not say whether a write was taken, and
// cameras that do not keep it: the read-back decides, and a difference is told field by field.
TEST(Save, StopsAtARefusalAndLetsTheReadBackDecideWhatTheAnswersLeaveOpen) {
    const std::string redirect = "HTTP/1.0 303 See Other\r\nLocation: /setting.htm\r\n\r\n";
    const std::string systemOld = "TitleBar=Old\nDesp=by the gate\n";
    const std::string ddnsForgot =
        "DDNSSrv=dyn.example:80\nDDNS=1\nDDNSUser=john doe\n"
        "DDNSPwd=pw\nDDNSHost=old.dyn.example\n";
    struct Case {
        const char* what;
        bool verify;
        std::vector<std::string> answers;
        int code;
        size_t requests;
        size_t taken;         // steps the camera took
        const char* differs;  // "field=reported value", or nullptr when all was kept
    };
    // clang-format off
    const Case cases[] = {
        {"DDNS write refused", true, {kOk, "HTTP/1.0 402 Failure\n\n", kOk}, CAM_ERR_FAILURE,
         2, 1, nullptr},
        {"writes unauthorized", true, {"401 Unauthorized\n", kOk}, CAM_ERR_UNAUTHORIZED, 1, 0,
         nullptr},
        {"redirect, kept", true, {redirect, kOk, kOk, kSystemKept, kDdnsKept, kTimeKept, kOk},
         CAM_OK, 7, 4, nullptr},
        {"plain answer, kept", true, {"OK\n", kOk, kOk, kSystemKept, kDdnsKept, kTimeKept, kOk},
         CAM_OK, 7, 4, nullptr},
        {"redirect, nothing kept", true, {redirect, kOk, kOk, systemOld, kDdnsKept, kTimeKept},
         CAM_ERR_REDIRECTED, 6, 2, "TitleBar=Old"},
        {"head cut, not read back", true,
         {"HTTP/1.0 200 OK\r\nConte", kOk, kOk, "hello\n", kDdnsKept, kTimeKept},
         CAM_ERR_CLOSED_EARLY, 6, 2, nullptr},
        {"taken, DDNS host forgotten", true,
         {kOk, kOk, kOk, kSystemKept, ddnsForgot, kTimeKept, kOk}, CAM_OK, 7, 4,
         "DDNSHost=old.dyn.example"},
        {"no read-back: a plain answer is taken", false, {"OK\n", kOk, kOk, kOk}, CAM_OK, 4, 4,
         nullptr},
        {"no read-back: a redirect is not", false, {redirect}, CAM_ERR_REDIRECTED, 1, 0, nullptr},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPeer peer(c.answers);
        CameraSettings s = Camera(peer.Port());
        workflow::SaveOutcome saved = workflow::RunSave(s, false, c.verify);
        EXPECT_EQ(c.code, saved.code) << ResultName(saved.code);
        EXPECT_EQ(c.requests, peer.Requests().size());
        EXPECT_EQ(c.taken, saved.taken.size());
        EXPECT_EQ(c.code == CAM_OK, saved.Took(SaveStep::Network));
        EXPECT_EQ(c.differs == nullptr, saved.AllKept());
        for (const workflow::PageCheck& check : saved.checks)
            for (const workflow::FieldDifference& d : check.differences) {
                EXPECT_EQ(c.differs, d.field + "=" + d.reported);
                EXPECT_NE(d.written, d.reported);
            }
    }
}

TEST(Save, ThePcClockIsTakenWhenTheTimeIsWrittenNotWhenItWasChosen) {
    RecordingPeer peer({kOk});
    CameraSettings s = Camera(peer.Port());
    s.clockFromPc = 1;
    SetFieldText(s.Date, "2000/01/01");  // the clock as the system page was left
    ASSERT_EQ(CAM_OK, RunSaveStep(s, SaveStep::Time, false));
    const std::string sent = peer.Requests().at(0);
    EXPECT_TRUE(IsCalendarDate(sent.substr(sent.find("&Date=") + 6, 10))) << sent;
    EXPECT_EQ(std::string::npos, sent.find("2000/01/01")) << sent;
}

TEST(Save, RefusesValuesThatWouldBreakTheRequestBeforeSendingAnything) {
    RecordingPeer peer({});
    const std::tuple<void (*)(CameraSettings&), std::string, SaveStep> cases[] = {
        {[](CameraSettings& s) { SetFieldText(s.TitleBar, "a&b"); }, "TitleBar", SaveStep::System},
        {[](CameraSettings& s) { SetFieldText(s.DDNSPwd, "x=y"); }, "DDNSPwd", SaveStep::Ddns},
        {[](CameraSettings& s) { SetFieldText(s.PAccount, "line\nbreak"); }, "PAccount",
         SaveStep::Network},
        {[](CameraSettings& s) { SetFieldText(s.WPAKey, "cr\r"); }, "WPAKey", SaveStep::Network},
    };
    for (const auto& [set, field, step] : cases) {
        CameraSettings s = Camera(peer.Port());
        set(s);
        const workflow::SaveOutcome outcome = workflow::RunSave(s, false, true);
        EXPECT_EQ(CAM_ERR_UNSAFE_VALUE, outcome.code);
        EXPECT_EQ(field, outcome.unsafeField);  // named, with the step that sends it
        EXPECT_EQ(step, outcome.stoppedAt);
    }
    EXPECT_TRUE(peer.Requests().empty());

    // Fields a WPS save does not send do not stop it.
    CameraSettings s = Camera("1");
    SetFieldText(s.SSID, "a&b");
    SetFieldText(s.NTPName, "n=1");
    EXPECT_STREQ("NTPName", FindUnsafeValue(s, false));
    EXPECT_EQ(nullptr, FindUnsafeValue(s, true));
}

TEST(Save, QueriesThatWouldNotFitAreRefusedNotCut) {
    CameraSettings s = Camera("1");
    std::string key(255, 'k');
    SetFieldText(s.WEPKey0, key);
    SetFieldText(s.WEPKey1, key);
    SetFieldText(s.WEPKey2, key);
    SetFieldText(s.WEPKey3, key);
    SetFieldText(s.WPAKey, key);
    SetFieldText(s.SSID, std::string(63, ' '));  // 189 bytes once encoded
    char query[kWriteQueryCapacity];
    int n = BuildNetworkQuery(s, true, query, sizeof query);
    ASSERT_GT(n, 0) << "the largest values the pages allow still fit";
    EXPECT_EQ(std::string(query).size(), static_cast<size_t>(n));
    char small[64];
    EXPECT_EQ(CAM_ERR_REQUEST_TOO_LONG, BuildNetworkQuery(s, true, small, sizeof small));
    EXPECT_STREQ("", small);
}

TEST(Wps, StartIsSentWithoutWaitingForAnAnswerAndForgetsAnEarlierRun) {
    RecordingPeer silent({""});
    CameraSettings s = Camera(silent.Port());
    s.WPS_ACK = 1;  // an earlier camera's success
    EXPECT_EQ(CAM_OK, RunWps(s, "127.0.0.1", silent.Port(), kWpsStart, 0));
    EXPECT_EQ(0, s.WPS_ACK);
    EXPECT_EQ(std::vector<std::string>{std::string("GET /cgi-bin/wps.cgi") + kUa + "\n "},
              silent.Requests());
}

TEST(Wps, StatusParsesBothFlagsAndKeepsAMissingOne) {
    RecordingPeer peer({"WPS=1\nWPS_ACK=0\n", "WPS=0\n", "HTTP/1.0 404 Not Found\n"});
    CameraSettings s = Camera(peer.Port());
    ASSERT_EQ(CAM_OK, RunWps(s, "127.0.0.1", peer.Port(), kWpsStatus, 3));
    EXPECT_EQ(1, s.WPS);
    EXPECT_EQ(0, s.WPS_ACK);
    s.WPS_ACK = 1;
    ASSERT_EQ(CAM_OK, RunWps(s, "127.0.0.1", peer.Port(), kWpsStatus, 3));
    EXPECT_EQ(0, s.WPS);
    EXPECT_EQ(1, s.WPS_ACK) << "no WPS_ACK= in the answer keeps the old value";
    EXPECT_EQ(CAM_ERR_HTTP_NOT_FOUND, RunWps(s, "127.0.0.1", peer.Port(), kWpsStatus, 3));
    EXPECT_EQ(std::string("GET /goform/Parameters?Act=3&Page=3&WPS&WPS_ACK") + kUa + "\n",
              peer.Requests()[0]);
}

}  // namespace
}  // namespace orvanta::camera
