// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's side of writes, WPS and the registration server.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "CameraCgi.h"
#include "platform/AddressText.h"

namespace camsim {
namespace {

CgiCamera Load(std::map<std::string, std::string> extra) {
    SimCamera camera;
    camera.ip = orvanta::platform::ParseDottedAddressOr("192.168.0.98", 0);
    camera.extra = std::move(extra);
    CgiCamera cgi;
    std::string problem;
    EXPECT_TRUE(LoadCgiCamera(camera, cgi, problem)) << problem;
    return cgi;
}

std::string Body(const std::string& answer) {
    size_t at = answer.find("\r\n\r\n");
    return at == std::string::npos ? answer : answer.substr(at + 4);
}

TEST(CamsimWrites, ChangeWhatLaterReadsReport) {
    CgiCamera cgi = Load({});
    CgiAnswer a = Answer(cgi,
                         "GET /goform/Parameters?Act=2&Page=1&TitleBar=Front%20door&Desp=a b "
                         "HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n\n");
    EXPECT_EQ(0u, a.bytes.rfind("HTTP/1.0 200 OK", 0));
    EXPECT_FALSE(a.networkWritten);
    EXPECT_EQ("Front door", cgi.values["TitleBar"]);
    EXPECT_EQ("a b", cgi.values["Desp"]) << "a raw blank stays part of the value";

    a = Answer(cgi,
               "GET /cgi-bin/set_time.cgi?Act=2&NTPEN=1&Date=2027/01/02&IPAddr=1.1.1.1 "
               "HTTP/1.0\n\n\n");
    EXPECT_EQ("1", cgi.values["NTPEN"]);
    EXPECT_EQ("2027/01/02", cgi.values["Date"]);
    EXPECT_EQ("192.168.0.98", cgi.values["IPAddr"]) << "a write changes only its own page";

    a = Answer(cgi,
               "GET /goform/Parameters?Act=2&Page=3&IPType=1&IPAddr=10.0.0.9&HttpPort=81 "
               "HTTP/1.0\n\n\n");
    EXPECT_TRUE(a.networkWritten);
    EXPECT_NE(std::string::npos,
              Body(Answer(cgi, "GET /goform/Parameters?Act=1&Page=3 HTTP/1.0\n\n").bytes)
                  .find("\nIPAddr=10.0.0.9\n"));
}

TEST(CamsimWrites, AFailingWriteChangesNothingAndAForgottenKeyStays) {
    CgiCamera cgi = Load({{"fault", "failure"}, {"fault_on", "w13"}});
    CgiAnswer a = Answer(cgi, "GET /goform/Parameters?Act=2&Page=13&DDNS=1 HTTP/1.0\n\n\n");
    EXPECT_NE(std::string::npos, a.bytes.find("402 Failure"));
    EXPECT_EQ("0", cgi.values["DDNS"]);
    CgiCamera forgetful = Load({{"forget", "DDNSHost+NTPName"}});
    a = Answer(forgetful,
               "GET /goform/Parameters?Act=2&Page=13&DDNS=1&DDNSHost=new HTTP/1.0\n\n\n");
    EXPECT_EQ(0u, a.bytes.rfind("HTTP/1.0 200 OK", 0));
    EXPECT_EQ("1", forgetful.values["DDNS"]);
    EXPECT_NE("new", forgetful.values["DDNSHost"]);
    a = Answer(cgi, "GET /goform/Parameters?Act=1&Page=13 HTTP/1.0\n\n");
    EXPECT_EQ(0u, a.bytes.rfind("HTTP/1.0 200 OK", 0)) << "reads of the page still work";
    // A redirect or a plain answer is not a refusal: the write is taken.
    for (const char* fault : {"redirect", "plain"}) {
        CgiCamera other = Load({{"fault", fault}, {"fault_on", "w1"}});
        a = Answer(other, "GET /goform/Parameters?Act=2&Page=1&TitleBar=New HTTP/1.0\n\n\n");
        EXPECT_EQ(0u, a.bytes.find(fault == std::string("plain") ? "OK\n" : "HTTP/1.0 303 "));
        EXPECT_EQ("New", other.values["TitleBar"]) << fault;
    }
}

TEST(CamsimWps, RunsForItsTimeThenEndsAsConfigured) {
    const char* status = "GET /goform/Parameters?Act=3&Page=3&WPS&WPS_ACK HTTP/1.0\n\n";
    CgiCamera cgi = Load({{"wps_ms", "50"}});
    EXPECT_EQ("WPS=0\nWPS_ACK=0\n", Body(Answer(cgi, status).bytes));
    Answer(cgi, "GET /cgi-bin/wps.cgi HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n ");
    EXPECT_EQ("WPS=1\nWPS_ACK=0\n", Body(Answer(cgi, status).bytes));
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    EXPECT_EQ("WPS=0\nWPS_ACK=1\n", Body(Answer(cgi, status).bytes));

    CgiCamera failing = Load({{"wps_ms", "0"}, {"wps_result", "failure"}});
    Answer(failing, "GET /cgi-bin/wps.cgi HTTP/1.0\n\n ");
    EXPECT_EQ("WPS=0\nWPS_ACK=0\n", Body(Answer(failing, status).bytes));
}

TEST(CamsimRegistrationServer, ListsAnAccountsCamerasForItsLogins) {
    CgiCamera server = Load({{"role", "registration_server"},
                             {"account1",
                              "dev1|pw|device|c1/203.0.113.5/80/00:0E:53:00:00:01/"
                              "Mervo-71;c2/203.0.113.6/8080/00:0E:53:00:00:02/Quent-9Z"},
                             {"account2", "user2|pw2|user|"}});
    std::string body =
        Body(Answer(server,
                    "GET /cgi-bin/Parameters?Act=1&Page=3&ID=dev1&Password=pw HTTP/1.0\n"
                    " User-Agent: tavrin-1.0.1\n\n")
                 .bytes);
    EXPECT_EQ(0u, body.rfind("Total Camera=2<br>\n", 0));
    EXPECT_NE(std::string::npos, body.find("ID=c2 IP=203.0.113.6 Port=8080"));
    EXPECT_NE(std::string::npos, Answer(server,
                                        "GET /cgi-bin/Parameters?Act=1&Page=2&ID=dev1&Password=pw "
                                        "HTTP/1.0\n\n")
                                     .bytes.find("Unauthorized"))
        << "a device account is no user login";
    EXPECT_EQ("Total Camera=0<br>\n",
              Body(Answer(server,
                          "GET /cgi-bin/Parameters?Act=1&Page=2&ID=user2&Password=pw2 "
                          "HTTP/1.0\n\n")
                       .bytes));
}

}  // namespace
}  // namespace camsim
