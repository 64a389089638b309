// SPDX-License-Identifier: GPL-3.0-or-later
// The discovery engine and the discover command against simulated cameras on a lab network.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "JsonOut.h"
#include "Lab.h"
#include "discovery/CPLipf.h"
#include "discovery/DiscoveryDatagram.h"
#include "discovery/DiscoveryLog.h"
#include "platform/AddressText.h"

namespace orvanta::discovery {
namespace {

using lab::Lab;
using testing::ParseJson;

void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Queries until `expected` cameras are listed or about two seconds pass.
int QueryUntil(CPLipf& engine, int expected, CameraRow** rows, int* count) {
    int capacity = 0, queries = 0;
    for (int i = 0; i < 200 && *count != expected; ++i, ++queries) {
        engine.Query(rows, count, &capacity, 0);
        if (*count != expected) Sleep(10);
    }
    return queries;
}

class DiscoveryLab : public ::testing::Test {
protected:
    void SetUp() override {
        LAB_REQUIRED();
        SetDiscoveryLog(nullptr);
        lab = std::make_unique<Lab>();
    }
    void TearDown() override {
        lab.reset();
        SetDiscoveryLog(stdout);
    }
    // Two cameras in the PC's subnet that answer the PC's address by unicast, and one in
    // another subnet that broadcasts; the PC has a second address, in a third subnet.
    void StartThreeCameras() {
        lab->AddAddress("pc", "192.168.0.10/24");
        lab->AddAddress("pc", "172.16.5.1/24");
        lab->AddHost("cams", {"192.168.0.98/24", "192.168.0.99/24"});
        lab->AddHost("far", {"10.9.9.9/24"});
        lab->StartCamsim("cams", {"--camera",
                                  "mac=00:11:22:33:44:55,ip=192.168.0.98,http_port=80,"
                                  "stream_port=554,description=Front door,serial=SN-A1,"
                                  "interface=eth0,reply_to=sender",
                                  "--camera",
                                  "mac=00:11:22:33:44:56,ip=192.168.0.99,http_port=8080,"
                                  "stream_port=8554,description=Garden,serial=SN-B2,"
                                  "interface=wireless,reply_to=sender"});
        lab->StartCamsim("far", {"--camera",
                                 "mac=AA:BB:CC:00:00:01,ip=10.9.9.9,http_port=81,"
                                 "stream_port=0,description=,serial=SN-C3,interface=eth1,"
                                 "magic=alt"});
    }
    // `count` cameras from 10.20.1.1 up, in the /16 of the PC's 10.20.0.1.
    void StartGeneratedCameras(int count) {
        lab->AddAddress("pc", "10.20.0.1/16");
        lab->AddHost("cams");
        std::string batch;
        for (int i = 0; i < count; ++i)
            batch += "addr add 10.20.1." + std::to_string(i + 1) + "/16 dev eth0\n";
        ASSERT_EQ(0, lab->Run("cams", "printf '" + batch + "' | ip -batch -"));
        lab->StartCamsim("cams", {"--generate", std::to_string(count), "--first-ip", "10.20.1.1"});
    }
    std::unique_ptr<Lab> lab;
};

TEST_F(DiscoveryLab, ThreeCamerasAreListedWithExactFieldsIncludingOneInAnotherSubnet) {
    StartThreeCameras();
    lab->Enter("pc");
    CPLipf engine;
    CameraRow* rows = nullptr;
    int count = 0;
    QueryUntil(engine, 3, &rows, &count);  // the first Query sends; no 30 s wait
    ASSERT_EQ(3, count);

    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        const CameraRow& r = rows[i];
        lines.push_back(std::string(r.mac) + "|" + r.ip + "|" + r.port + "|" + r.descInterface +
                        "|" + r.serial + "|" + r.streamPort);
    }
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ((std::vector<std::string>{
                  "00:11:22:33:44:55|192.168.0.98|80|Front door/eth0|SN-A1|554",
                  "00:11:22:33:44:56|192.168.0.99|8080|Garden/wireless|SN-B2|8554",
                  "AA:BB:CC:00:00:01|10.9.9.9|81|/eth1|SN-C3|0",
              }),
              lines);
}

TEST_F(DiscoveryLab, DiscoverCommandPrintsTheCamerasAsJson) {
    StartThreeCameras();
    int status = -1;
    std::string out =
        lab->Output("pc", std::string(ORVANTA_CLI) + " discover --seconds 1 --json", &status);
    ASSERT_EQ(0, status);
    auto cameras = ParseJson(out);
    ASSERT_TRUE(cameras.is_array()) << out;
    std::vector<std::string> objects;
    for (const auto& camera : cameras) objects.push_back(camera.dump());
    std::sort(objects.begin(), objects.end());
    EXPECT_EQ(
        (std::vector<std::string>{
            R"({"mac":"00:11:22:33:44:55","ip":"192.168.0.98","port":80,"description":"Front door","interface":"eth0","serial":"SN-A1","stream_port":554})",
            R"({"mac":"00:11:22:33:44:56","ip":"192.168.0.99","port":8080,"description":"Garden","interface":"wireless","serial":"SN-B2","stream_port":8554})",
            R"({"mac":"AA:BB:CC:00:00:01","ip":"10.9.9.9","port":81,"description":"","interface":"eth1","serial":"SN-C3","stream_port":0})",
        }),
        objects);
}

TEST_F(DiscoveryLab, APcWithoutAnAddressSendsNothing) {
    lab->AddHost("cams", {"192.168.0.98/24"});
    lab->StartCamsim("cams", {"--camera", "ip=192.168.0.98"});
    lab->Enter("pc");  // eth0 is up but has no IPv4 address
    CPLipf engine;
    CameraRow* rows = nullptr;
    int count = 0, capacity = 0;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(-1, engine.Query(&rows, &count, &capacity, 0));
        Sleep(20);
    }
    EXPECT_TRUE(engine.NoNetwork());
    EXPECT_EQ(nullptr, rows);
}

TEST_F(DiscoveryLab, TwoHundredFiftyCamerasAreAllListedByOneQuery) {
    StartGeneratedCameras(250);

    lab->Enter("pc");
    CPLipf engine;
    CameraRow* rows = nullptr;
    int count = 0, capacity = 0;
    engine.Query(&rows, &count, &capacity, 0);  // sends
    Sleep(500);                                 // every reply has arrived
    ASSERT_EQ(1, engine.Query(&rows, &count, &capacity, 0));
    EXPECT_EQ(250, count);
    EXPECT_EQ(275, capacity);
    std::vector<std::string> serials;
    for (int i = 0; i < count; ++i) serials.push_back(rows[i].serial);
    std::sort(serials.begin(), serials.end());
    EXPECT_EQ("SIM00001", serials.front());
    EXPECT_EQ("SIM00250", serials.back());
    EXPECT_EQ(serials.end(), std::adjacent_find(serials.begin(), serials.end()));
}

// The simulator hears its own broadcast replies: a burst of them must not crowd out the
// requests that come after it. Each request, sent while the last burst is still queued, gets
// a reply from every camera; noise among them is skipped.
TEST_F(DiscoveryLab, EveryRequestIsAnsweredRightAfterABurstOfReplies) {
    constexpr int kCameras = 250, kRequests = 4;
    StartGeneratedCameras(kCameras);
    lab->Enter("pc");
    // As the engine does it: listen on the discovery port, send from the PC's address.
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    int out = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    ASSERT_GE(out, 0);
    int one = 1, bytes = 8 << 20;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes);  // room for every reply
    setsockopt(out, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(DISCOVERY_PORT);
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    ASSERT_EQ(0, bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at));
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = platform::ParseDottedAddressOr("10.20.0.1", 0);
    ASSERT_EQ(0, bind(out, reinterpret_cast<sockaddr*>(&from), sizeof from));
    at.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    auto send = [&](const void* data, size_t length) {
        return sendto(out, data, length, 0, reinterpret_cast<sockaddr*>(&at), sizeof at);
    };
    uint8_t request[kRequestSize];
    BuildDiscoveryRequest(request);
    const uint8_t noise[3] = {0x00, 0xF6, 0xD9};
    ASSERT_EQ(3, send(noise, sizeof noise));
    for (int i = 0; i < kRequests; ++i) {
        ASSERT_EQ(static_cast<ssize_t>(kRequestSize), send(request, sizeof request));
        Sleep(i + 1);  // lands at a different point of the previous burst each time
    }

    std::map<std::string, int> replies;
    int total = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int reads = 0; reads < 4 * kCameras * kRequests && total < kCameras * kRequests &&
                        std::chrono::steady_clock::now() < deadline;
         ++reads) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        uint8_t datagram[kReplySize];
        uint8_t payload[kPayloadSize];
        ssize_t n = recv(fd, datagram, sizeof datagram, 0);
        if (AcceptReply(datagram, static_cast<int>(n), payload) != 0) continue;
        ++replies[platform::MacText(payload + kPayloadMac)];
        ++total;
    }
    close(fd);
    close(out);
    EXPECT_EQ(kCameras * kRequests, total);
    EXPECT_EQ(static_cast<size_t>(kCameras), replies.size());
    for (const auto& [mac, count] : replies) EXPECT_EQ(kRequests, count) << mac;
}

}  // namespace
}  // namespace orvanta::discovery
