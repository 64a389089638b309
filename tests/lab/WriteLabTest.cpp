// SPDX-License-Identifier: GPL-3.0-or-later
// Saving, WPS, the registration server and apply against simulated cameras on a lab network.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "JsonOut.h"
#include "Lab.h"
#include "discovery/CPLipf.h"
#include "discovery/DiscoveryLog.h"

namespace orvanta {
namespace {

using lab::Lab;
using testing::ParseJson;

std::string Cli(const std::string& arguments) {
    return std::string(ORVANTA_CLI) + " " + arguments;
}

// The camera's discovery entry (ip:port), polled with fresh engines for up to `seconds`.
std::string FindBySerial(Lab& lab, const std::string& serial, const std::string& wanted,
                         int seconds) {
    lab.Enter("pc");
    discovery::SetDiscoveryLog(nullptr);
    std::string seen;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline && seen != wanted) {
        discovery::CPLipf engine;
        discovery::CameraRow* rows = nullptr;
        int count = 0, capacity = 0;
        for (int i = 0; i < 10 && seen != wanted; ++i) {
            engine.Query(&rows, &count, &capacity, 0);
            for (int r = 0; r < count; ++r)
                if (serial == rows[r].serial) seen = std::string(rows[r].ip) + ":" + rows[r].port;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    lab.Leave();
    discovery::SetDiscoveryLog(stdout);
    return seen;
}

class WriteLab : public ::testing::Test {
protected:
    void SetUp() override {
        LAB_REQUIRED();
        lab = std::make_unique<Lab>();
        lab->AddAddress("pc", "192.168.0.10/24");
    }
    std::unique_ptr<Lab> lab;
};

TEST_F(WriteLab, SavedFixedAddressIsWhereTheCameraAnswersAfterItsRestart) {
    lab->AddHost("cams", {"192.168.0.98/24"});
    lab->StartCamsim("cams", {"--own-addresses", "--camera",
                              "mac=00:0E:53:00:00:98,ip=192.168.0.98,serial=SN-98,restart_ms=500"});
    int status = -1;
    std::string out = lab->Output("pc",
                                  Cli("save 192.168.0.98 IPAddr=192.168.0.77 HttpPort=8081 "
                                      "\"TitleBar=Side gate\""),
                                  &status);
    ASSERT_EQ(0, status) << out;
    EXPECT_NE(std::string::npos, out.find("network write                0 (CAM_OK)")) << out;
    // Every page read back holds what was written, the network page at the new address.
    for (const char* page : {"system  ", "DDNS    ", "time    ", "network "})
        EXPECT_NE(std::string::npos, out.find("verify " + (page + std::string(14, ' ')) + "kept\n"))
            << out;

    EXPECT_EQ("192.168.0.77:8081", FindBySerial(*lab, "SN-98", "192.168.0.77:8081", 10));
    out = lab->Output("pc", Cli("read 192.168.0.77:8081"), &status);
    ASSERT_EQ(0, status) << out;
    EXPECT_NE(std::string::npos, out.find("TitleBar     Side gate")) << out;
    EXPECT_NE(0, lab->Run("pc", "ping -c1 -W1 192.168.0.98 >/dev/null 2>&1"))
        << "the old address is gone";
}

TEST_F(WriteLab, WpsRunsUntilTheCameraReportsTheOutcome) {
    lab->AddHost("cams", {"192.168.0.98/24", "192.168.0.99/24"});
    lab->StartCamsim("cams", {"--camera", "ip=192.168.0.98,wps_ms=800", "--camera",
                              "ip=192.168.0.99,wps_ms=0,wps_result=failure"});
    int status = -1;
    std::string out = lab->Output("pc", Cli("wps 192.168.0.98 --interval 0.3"), &status);
    EXPECT_EQ(0, status) << out;
    EXPECT_NE(std::string::npos, out.find("status: in progress")) << out;
    EXPECT_NE(std::string::npos, out.find("status: connected")) << out;

    out = lab->Output("pc", Cli("wps 192.168.0.99 --interval 0.2 --timeout 1.5 2>&1"), &status);
    EXPECT_EQ(1, status) << out;
    EXPECT_NE(std::string::npos, out.find("no connection within")) << out;
}

TEST_F(WriteLab, RegistrationServerListsTheAccountsCameras) {
    lab->AddHost("reg", {"192.168.0.50/24"});
    lab->StartCamsim("reg",
                     {"--camera",
                      "ip=192.168.0.50,http_port=80,role=registration_server,"
                      "account1=dev1|pw|device|cam-1/203.0.113.5/80/00:0E:53:00:00:01/Mervo-71;"
                      "cam-2/203.0.113.6/8080/00:0E:53:00:00:02/Quent-9Z"});
    int status = -1;
    std::string out = lab->Output(
        "pc", Cli("server-list --server 192.168.0.50 --id dev1 --password pw --json"), &status);
    ASSERT_EQ(0, status) << out;
    EXPECT_EQ(
        ParseJson(
            R"([{"ID": "cam-1", "IP": "203.0.113.5", "Port": "80", "Mac_address": "00:0E:53:00:00:01", "Modelname": "Mervo-71"},)"
            R"( {"ID": "cam-2", "IP": "203.0.113.6", "Port": "8080", "Mac_address": "00:0E:53:00:00:02", "Modelname": "Quent-9Z"}])"),
        ParseJson(out))
        << out;
    lab->Output("pc", Cli("server-list --server 192.168.0.50 --id dev1 --password nope"), &status);
    EXPECT_EQ(1, status);
}

TEST_F(WriteLab, ApplyConfiguresManyCamerasAndOneFailureStopsNoOther) {
    lab->AddHost("cams", {"192.168.0.93/24", "192.168.0.94/24", "192.168.0.95/24",
                          "192.168.0.96/24", "192.168.0.97/24", "192.168.0.98/24"});
    lab->StartCamsim("cams",
                     {"--own-addresses", "--camera",
                      "mac=00:0E:53:00:01:01,ip=192.168.0.96,serial=A1,restart_ms=300", "--camera",
                      "mac=00:0E:53:00:01:02,ip=192.168.0.97,serial=B2,restart_ms=300", "--camera",
                      "mac=00:0E:53:00:01:03,ip=192.168.0.98,serial=C3,restart_ms=300,"
                      "fault=failure,fault_on=w13",
                      "--camera", "mac=00:0E:53:00:01:04,ip=192.168.0.94,serial=D4", "--camera",
                      "mac=00:0E:53:00:01:05,ip=192.168.0.95,serial=D4", "--camera",
                      "mac=00:0E:53:00:01:06,ip=192.168.0.93,serial=E5,restart_ms=300,"
                      "forget=TitleBar"});
    std::string csv = "/tmp/o2-apply-" + lab->Id() + ".csv";
    std::ofstream(csv) << "serial,IPAddr,TitleBar\n"
                          "A1,192.168.0.61,Gate A\n"
                          "B2,192.168.0.62,\"Gate B, north\"\n"
                          "C3,192.168.0.63,Gate C\n"
                          "ZZ9,192.168.0.64,Nowhere\n"
                          "D4,192.168.0.65,Twice\n"
                          "E5,192.168.0.66,Gate E\n";
    int status = -1;
    std::string out = lab->Output(
        "pc", Cli("apply " + csv + " --json --seconds 1 --refind-seconds 15 2>/dev/null"), &status);
    std::remove(csv.c_str());
    EXPECT_EQ(1, status);
    auto jobs = ParseJson(out);
    ASSERT_EQ(6u, jobs.size()) << out;
    EXPECT_EQ(ParseJson(R"({"system": {"kept": true}, "DDNS": {"kept": true},)"
                        R"( "time": {"kept": true}, "network": {"kept": true}})"),
              jobs[0]["verified"]);
    EXPECT_EQ(ParseJson(R"(["system"])"), jobs[2]["taken"]) << "C3 took its system page";
    EXPECT_EQ(ParseJson(R"({"kept": false, "differences": [{"field": "TitleBar", )"
                        R"("written": "Gate E", "reported": "Camera"}]})"),
              jobs[5]["verified"]["system"]);
    for (auto& job : jobs) job.erase("verified"), job.erase("taken");
    EXPECT_EQ(
        ParseJson(
            R"([{"key": "A1", "status": "done", "detail": "", "ip": "192.168.0.61", "port": 80},)"
            R"( {"key": "B2", "status": "done", "detail": "", "ip": "192.168.0.62", "port": 80},)"
            R"( {"key": "C3", "status": "failed", "detail": )"
            R"("save, DDNS write: -6 (CAM_ERR_FAILURE): the camera reported a failure",)"
            R"( "ip": "", "port": null},)"
            R"( {"key": "ZZ9", "status": "not found", "detail": "", "ip": "", "port": null},)"
            R"( {"key": "D4", "status": "failed", "detail": )"
            R"("two cameras answer with this serial number", "ip": "", "port": null},)"
            R"( {"key": "E5", "status": "not kept", "detail": )"
            R"("TitleBar written \"Gate E\", reported \"Camera\"", "ip": "192.168.0.66", "port": 80}])"),
        jobs)
        << out;
    out = lab->Output("pc", Cli("read 192.168.0.62"), &status);
    EXPECT_NE(std::string::npos, out.find("TitleBar     Gate B, north")) << out;
}

}  // namespace
}  // namespace orvanta
