// SPDX-License-Identifier: GPL-3.0-or-later
// What a command makes of each kind of answer a peer may give, and that a save never starts
// from a read that was not whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingPeer.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"
#include "cli/Commands.h"

namespace orvanta::camera {
namespace {

using testing::RecordingPeer;

const std::string kSystem = "TitleBar=Gate\nDesp=North side\nSECUEN=0\nModelName=Mervo-71\n";

std::string Http(const std::string& status, const std::string& body, long declared = -1) {
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\n" +
           (declared == 0 ? ""
                          : "Content-Length: " +
                                std::to_string(declared > 0 ? declared : body.size()) + "\r\n") +
           "\r\n" + body;
}

TEST(CameraAnswers, EachAnswerGivesItsOwnCode) {
    struct Case {
        const char* what;
        bool write;
        std::string answer;
        int code;
        int status;  // LastHttpStatus() afterwards, for the status cases
    };
    const Case cases[] = {
        {"whole report", false, Http("200 OK", kSystem), CAM_OK, 200},
        {"report without a status line", false, kSystem, CAM_OK, 0},
        {"report without Content-Length", false, Http("200 OK", kSystem, 0), CAM_OK, 200},
        {"garbage", false, "hello there\n", CAM_ERR_INCOMPLETE, 0},
        {"binary", false, std::string("\x16\x03\x01\x02\x00\x01", 6), CAM_ERR_NOT_HTTP, 0},
        {"broken status line", false, "HTTP/one 200 OK\r\n\r\n" + kSystem, CAM_ERR_NOT_HTTP, 0},
        {"server error", false, Http("500 Internal Server Error", "oops\n"), CAM_ERR_HTTP_STATUS,
         500},
        {"forbidden", false, Http("403 Forbidden", ""), CAM_ERR_HTTP_STATUS, 403},
        {"unauthorized", false, Http("401 Unauthorized", "Unauthorized\n"), CAM_ERR_UNAUTHORIZED,
         401},
        {"cut, shown by Content-Length", false,
         Http("200 OK", kSystem.substr(0, 40), static_cast<long>(kSystem.size())),
         CAM_ERR_CLOSED_EARLY, 200},
        {"cut inside the head", false, "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n",
         CAM_ERR_CLOSED_EARLY, 200},
        {"last value without its line end", false, kSystem.substr(0, kSystem.size() - 1), CAM_OK,
         0},
        {"keys after blanks", false, Http("200 OK", " TitleBar=Gate\n Desp=x\n"),
         CAM_ERR_INCOMPLETE, 200},
        {"flood", false, Http("200 OK", kSystem + std::string(7000, 'z') + "\n", 0),
         CAM_ERR_TOO_LONG, 0},
        {"closed without a byte", false, "", CAM_ERR_NO_ANSWER, 0},

        {"write taken", true, Http("200 OK", "OK\n"), CAM_OK, 200},
        {"write answered in plain text", true, "OK\n", CAM_ERR_NO_STATUS, 0},
        {"write answer cut in its head", true, "HTTP/1.0 200 OK\r\nContent-Ty",
         CAM_ERR_CLOSED_EARLY, 200},
        {"write taken, long answer", true, Http("200 OK", std::string(9000, 'x'), 0), CAM_OK, 200},
        {"write unauthorized", true, Http("401 Unauthorized", "Unauthorized\n"),
         CAM_ERR_UNAUTHORIZED, 401},
        {"write forbidden", true, Http("403 Forbidden", ""), CAM_ERR_HTTP_STATUS, 403},
        {"write server error", true, Http("500 Internal Server Error", ""), CAM_ERR_HTTP_STATUS,
         500},
        {"write sent to a login page", true, "HTTP/1.0 302 Found\r\nLocation: /login.htm\r\n\r\n",
         CAM_ERR_REDIRECTED, 302},
        {"write answered ERROR", true, Http("200 OK", "ERROR\n"), CAM_OK, 200},
        {"write refused the old way", true, "402 Failure\n", CAM_ERR_FAILURE, 0},
        {"write answered with bytes", true, std::string("\x05\x01\x00", 3), CAM_ERR_NOT_HTTP, 0},
    };
    std::vector<std::string> answers;
    for (const Case& c : cases) answers.push_back(c.answer);
    RecordingPeer peer(answers);
    CameraSettings s = NewCameraSettings();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetFieldText(s.TitleBar, "before");
        int code = c.write ? CameraCommand(s, "127.0.0.1", peer.Port(), 2, 1, 0, "&TitleBar=x")
                           : CameraCommand(s, "127.0.0.1", peer.Port(), 1, 1, 0);
        EXPECT_EQ(code, c.code) << ResultName(code);
        if (c.code == CAM_ERR_HTTP_STATUS || c.code == CAM_ERR_REDIRECTED)
            EXPECT_EQ(LastHttpStatus(), c.status);
        // Nothing of an answer that failed is taken into the record.
        if (!c.write) EXPECT_STREQ(s.TitleBar, c.code == CAM_OK ? "Gate" : "before");
    }
}

// The save's read must be whole before anything is written: with the system page or the
// network page broken, the tool stops after the read and the camera sees no write.
TEST(CameraAnswers, SaveSendsNothingAfterAnIncompleteRead) {
    const std::string system = Http("200 OK", kSystem);
    const std::string network =
        "IPType=1\nIPAddr=192.168.0.98\nNetmask=255.255.255.0\nGateway=\nDNS1=\nDNS2=\n"
        "WIPType=0\nWIPAddr=\nWNetmask=\nWGateway=\nWDNS1=\nWDNS2=\nWireless=0\nWireType=0\n"
        "WireSec=0\nSSID=\nWireCh=1\nChType=0\nTxRate=\nWEPAuthM=0\nWepKeyL=0\nWEPMode=0\n"
        "WEPKey0=\nWEPKey1=\nWEPKey2=\nWEPKey3=\nWEPKeyE0=0\nWPAKey=\nWPAEnc=0\nWPAPSKeyM=0\n"
        "UPnPE=0\nHttpPort=80\nSPort=554\nRTSPPort=554\n";
    const std::vector<std::string> brokenSystem = {
        "garbage\n",
        Http("200 OK", kSystem.substr(0, 30), static_cast<long>(kSystem.size())),
        Http("200 OK", kSystem + std::string(7000, 'z'), 0),
        Http("200 OK", kSystem).substr(0, 20),
    };
    std::vector<std::vector<std::string>> scripts;
    for (const std::string& broken : brokenSystem) scripts.push_back({broken, broken, broken});
    // The system page whole, then the network page cut inside its last value (as its
    // Content-Length shows), and cut at a line end before its ports.
    scripts.push_back({system, system, system, Http("200 OK", "Version=1.0\n"), system,
                       Http("200 OK", network).substr(0, Http("200 OK", network).size() - 3)});
    scripts.push_back({system, system, system, Http("200 OK", "Version=1.0\n"), system,
                       network.substr(0, network.find("HttpPort="))});
    for (const std::vector<std::string>& script : scripts) {
        SCOPED_TRACE(script.back().substr(0, 40));
        RecordingPeer peer(script);
        std::string target = std::string("127.0.0.1:") + peer.Port();
        const char* argv[] = {target.c_str(), "TitleBar=New"};
        EXPECT_EQ(cli::RunSaveCommand(2, const_cast<char**>(argv)), 1);
        for (const std::string& request : peer.Requests())
            EXPECT_EQ(request.find("Act=2"), std::string::npos) << request;
    }
}

}  // namespace
}  // namespace orvanta::camera
