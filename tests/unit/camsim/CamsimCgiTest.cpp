// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's CGI on its own: what it answers to exact request bytes, and its settings.
#include <gtest/gtest.h>

#include <string>

#include "CameraCgi.h"
#include "platform/AddressText.h"

namespace camsim {
namespace {

CgiCamera Load(std::map<std::string, std::string> extra, std::string* error = nullptr) {
    SimCamera camera;
    camera.ip = orvanta::platform::ParseDottedAddressOr("192.168.0.98", 0);
    camera.extra = std::move(extra);
    CgiCamera cgi;
    std::string problem;
    bool ok = LoadCgiCamera(camera, cgi, problem);
    if (error) *error = ok ? "" : problem;
    return cgi;
}

std::string Body(const std::string& answer) {
    size_t at = answer.find("\r\n\r\n");
    return at == std::string::npos ? "" : answer.substr(at + 4);
}

TEST(CamsimCgi, AnswersReadsScansAndUnknownPaths) {
    CgiCamera cgi = Load({{"ModelName", "Dalix-44"}, {"TitleBar", "Gate"}, {"line_end", "crlf"}});
    CgiAnswer a = Answer(cgi, "GET /goform/Parameters?Act=1&Page=1 HTTP/1.0\nUser-Agent: x\n\n");
    EXPECT_EQ(a.bytes.rfind("HTTP/1.0 200 OK\r\n", 0), 0u);
    EXPECT_EQ(Body(a.bytes),
              "TitleBar=Gate\r\nDesp=Network Camera\r\nSECUEN=0\r\nModelName=Dalix-44\r\n");
    EXPECT_EQ(a.delivery, Delivery::kWhole);

    // Page 3 lists the wired block first unless told otherwise.
    std::string page3 =
        Body(Answer(cgi, "GET /goform/Parameters?Act=1&Page=3 HTTP/1.1\r\nHost: h\r\n\r\n").bytes);
    EXPECT_LT(page3.find("\nIPAddr=192.168.0.98\r\n"), page3.find("WIPAddr="));
    EXPECT_NE(page3.find("WPAPSKeyM=0\r\n"), std::string::npos);
    cgi = Load({{"fault", "wireless_first+no_wpapskeym"}});
    page3 = Body(Answer(cgi, "GET /goform/Parameters?Act=1&Page=3 HTTP/1.0\n\n").bytes);
    EXPECT_EQ(page3.rfind("WIPType=", 0), 0u);
    EXPECT_EQ(page3.find("WPAPSKeyM"), std::string::npos);

    for (const char* head :
         {"GET /goform/Parameters?Act=1&Page=99 HTTP/1.0\n\n",
          "GET /goform/Parameters?Act=2&Page=99 HTTP/1.0\n\n", "GET /index.html HTTP/1.0\n\n"}) {
        EXPECT_EQ(Answer(cgi, head).bytes.rfind("HTTP/1.0 404 Not Found\r\n", 0), 0u) << head;
    }

    cgi = Load({{"ap2", "3|aa:bb|Two words|50|Infra|WPA|TKIP"}, {"ap1", "1|cc:dd|x|1|m|s|a"}});
    std::string scan =
        Body(Answer(cgi, "GET /cgi-bin/ap_scan.cgi HTTP/1.0\nUser-Agent: x\n\n ").bytes);
    EXPECT_NE(scan.find("scan AP sum = 2</td>"), std::string::npos);
    EXPECT_LT(scan.find("Mac_address=cc:dd"), scan.find("SSID=\"Two words\" Quality=50"));
}

TEST(CamsimCgi, BasicAuthorizationWhenSecurityIsOn) {
    CgiCamera cgi = Load({{"security", "on"}, {"user", "root"}, {"password", ""}});
    const std::string read = "GET /goform/Parameters?Act=1&Page=1 HTTP/1.0\nUser-Agent: x\n";
    EXPECT_NE(Answer(cgi, read + "\n").bytes.find("Unauthorized"), std::string::npos);
    EXPECT_NE(Answer(cgi, read + "Authorization: Basic cm9vdDp4\n\n").bytes.find("401"),
              std::string::npos);                                                     // root:x
    std::string ok = Answer(cgi, read + "authorization:  basic cm9vdDo=\n\n").bytes;  // root:
    EXPECT_NE(ok.find("SECUEN=1\n"), std::string::npos);

    std::string out;
    EXPECT_TRUE(DecodeBase64("YWRtaW46c2VjcmV0", out));
    EXPECT_EQ(out, "admin:secret");
    EXPECT_TRUE(DecodeBase64("Zm9vYg==", out));
    EXPECT_EQ(out, "foob");
    EXPECT_FALSE(DecodeBase64("Zm9v!", out));
    EXPECT_FALSE(DecodeBase64("Zg==Zg", out));
}

TEST(CamsimCgi, BadSettingsAreRefused) {
    std::string error;
    Load({{"fault", "sometimes"}}, &error);
    EXPECT_NE(error.find("unknown fault"), std::string::npos);
    Load({{"ap1", "6|mac|ssid"}}, &error);
    EXPECT_NE(error.find("ap1"), std::string::npos);
    Load({{"line_end", "cr"}}, &error);
    EXPECT_FALSE(error.empty());
    Load({{"pause_ms", "-1"}}, &error);
    EXPECT_FALSE(error.empty());
    Load({{"some_other_service_key", "1"}}, &error);  // left to the other services
    EXPECT_EQ(error, "");
}

}  // namespace
}  // namespace camsim
