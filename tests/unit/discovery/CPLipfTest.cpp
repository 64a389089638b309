// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakeUdp.h"
#include "ReplyBuilder.h"
#include "discovery/CPLipf.h"
#include "discovery/DiscoveryLog.h"
#include "platform/AddressText.h"

namespace orvanta::discovery {
namespace {

using test::FakeUdp;
using test::Reply;

uint32_t Addr(const char* dotted) {
    return platform::ParseDottedAddressOr(dotted, 0);
}

class CPLipfTest : public ::testing::Test {
protected:
    void SetUp() override { SetDiscoveryLog(nullptr); }
    void TearDown() override { SetDiscoveryLog(stdout); }

    std::unique_ptr<CPLipf> NewEngine() {
        return std::make_unique<CPLipf>(
            udp,
            [this](std::vector<uint32_t>& out) {
                out = hosts;
                return true;
            },
            [this] { return now; });
    }
    CPLipf& Engine() {
        if (!engine_) engine_ = NewEngine();
        return *engine_;
    }
    int Query(int mode = 0) { return Engine().Query(&rows, &count, &capacity, mode); }
    std::string RowText(int i, char (CameraRow::*field)[260]) { return rows[i].*field; }

    FakeUdp udp;
    std::vector<uint32_t> hosts{Addr("10.0.0.5")};
    uint32_t now = 1000;
    CameraRow* rows = nullptr;
    int count = -7, capacity = -7;
    std::unique_ptr<CPLipf> engine_;
};

TEST_F(CPLipfTest, FirstQuerySendsAtOnceThenEveryThirtySeconds) {
    EXPECT_EQ(-1, Query());  // nothing waiting yet
    EXPECT_EQ(nullptr, rows);
    EXPECT_EQ(-7, count);
    ASSERT_EQ(1u, udp.sent.size());
    const FakeUdp::Sent& s = udp.sent[0];
    EXPECT_EQ(Addr("10.0.0.5"), s.from);
    EXPECT_EQ(Addr("255.255.255.255"), s.to);
    EXPECT_EQ(49160, s.port);
    EXPECT_TRUE(s.broadcast);
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0xF6, 0xD9, 0xA4, 0, 0, 0, 1}), s.bytes);
    EXPECT_TRUE(udp.closed.count(s.fd)) << "the send socket is closed after the send";
    auto listening = udp.ReceiveSockets();
    ASSERT_EQ(1u, listening.size());
    EXPECT_TRUE(udp.sockets[listening[0]].reuse);
    EXPECT_EQ(0u, udp.sockets[listening[0]].address);

    now += 30000;
    Query();
    EXPECT_EQ(1u, udp.sent.size());
    now += 1;
    Query();
    EXPECT_EQ(2u, udp.sent.size());

    // A cycle asked for goes out at once, not again with the next Query, and restarts the 30 s.
    now += 1000;
    Engine().RequestCycle();
    EXPECT_EQ(3u, udp.sent.size());
    Query();
    EXPECT_EQ(3u, udp.sent.size());
    now += 29500;
    Query();
    EXPECT_EQ(3u, udp.sent.size());
}

TEST_F(CPLipfTest, LoopbackOnlyMeansNoNetworkUntilAnAddressAppears) {
    hosts = {Addr("127.0.0.1")};
    EXPECT_EQ(-1, Query());
    EXPECT_EQ(-1, Query());
    EXPECT_TRUE(udp.sent.empty());
    EXPECT_TRUE(udp.sockets.empty());

    hosts = {Addr("192.168.7.2"), Addr("10.0.0.5")};
    EXPECT_EQ(-1, Query());  // this one only finds the addresses
    EXPECT_TRUE(udp.sent.empty());
    EXPECT_EQ(-1, Query());
    ASSERT_EQ(2u, udp.sent.size());
    EXPECT_EQ(Addr("192.168.7.2"), udp.sent[0].from);
    EXPECT_EQ(Addr("10.0.0.5"), udp.sent[1].from);
}

TEST_F(CPLipfTest, OnlyNewMacChangedAddressOrRemovalRebuildsTheRows) {
    Query();
    udp.Deliver(0, Reply().Mac(1).Ip(192, 168, 0, 98).Bytes());
    ASSERT_EQ(1, Query());
    ASSERT_EQ(1, count);
    EXPECT_EQ("00:0E:53:00:00:01", RowText(0, &CameraRow::mac));
    EXPECT_EQ("192.168.0.98", RowText(0, &CameraRow::ip));
    EXPECT_EQ("80", RowText(0, &CameraRow::port));
    EXPECT_EQ("SN1", RowText(0, &CameraRow::serial));
    EXPECT_EQ("554", RowText(0, &CameraRow::streamPort));
    EXPECT_STREQ("Cam/eth0", rows[0].descInterface);

    udp.Deliver(0, Reply().Mac(1).Ip(192, 168, 0, 98).Port(8080).Bytes());
    EXPECT_EQ(0, Query());
    EXPECT_EQ("80", RowText(0, &CameraRow::port)) << "a port change alone is not a change";
    EXPECT_EQ(8080, PayloadInt(Engine().Cameras()[0].payload, kPayloadHttpPort));

    udp.Deliver(0, Reply().Mac(1).Ip(192, 168, 0, 77).Port(8080).Bytes());
    EXPECT_EQ(1, Query());
    ASSERT_EQ(1, count);
    EXPECT_EQ("192.168.0.77", RowText(0, &CameraRow::ip));
    EXPECT_EQ("8080", RowText(0, &CameraRow::port));

    udp.Deliver(0, Reply().Mac(2).Bytes());
    EXPECT_EQ(1, Query());
    ASSERT_EQ(2, count);
    EXPECT_EQ("00:0E:53:00:00:02", RowText(1, &CameraRow::mac));
    EXPECT_EQ(2, Engine().Cameras()[1].position);
    // A long description is cut in the row only.
    Reply r = Reply().Mac(3);
    r.description = std::string(40, 'D');
    r.serial = "SERIAL-123";
    udp.Deliver(0, r.Bytes());
    ASSERT_EQ(1, Query());
    EXPECT_EQ(std::string(31, 'D'), std::string(rows[2].descInterface));
    EXPECT_EQ("SERIAL-123", RowText(2, &CameraRow::serial));
    EXPECT_EQ(std::string(40, 'D'), SplitTextArea(Engine().Cameras()[2].payload).description);
}

TEST_F(CPLipfTest, SilentCamerasAgeOutWhenTheNextDatagramIsRead) {
    Query();
    udp.Deliver(0, Reply().Mac(1).Bytes());
    ASSERT_EQ(1, Query());
    now += 60000;
    udp.Deliver(0, Reply().Mac(2).Bytes());
    ASSERT_EQ(1, Query());
    EXPECT_EQ(2, count) << "60 s is not yet too old";

    now += 1001;  // camera 1 silent for 61 s, camera 2 for 1 s
    EXPECT_EQ(-1, Query()) << "nothing is purged while nothing arrives";
    EXPECT_EQ(2u, Engine().Cameras().size());

    udp.Deliver(0, Reply().Mac(2).Bytes());
    ASSERT_EQ(1, Query());
    ASSERT_EQ(1, count);
    EXPECT_EQ("00:0E:53:00:00:02", RowText(0, &CameraRow::mac));

    // A datagram that is not a reply purges too.
    now += 61000;
    Reply request;
    request.type = 1;
    udp.Deliver(0, request.Bytes());
    EXPECT_EQ(1, Query());
    EXPECT_EQ(0, count);
}

TEST_F(CPLipfTest, CamerasHeardOverAChannelWhoseSendFailedAreDropped) {
    hosts = {Addr("10.0.0.5"), Addr("192.168.0.10")};
    Query();
    udp.Deliver(0, Reply().Mac(1).Bytes());
    udp.Deliver(1, Reply().Mac(2).Bytes());
    ASSERT_EQ(1, Query());
    ASSERT_EQ(2, count);

    udp.failSendFrom.insert(Addr("192.168.0.10"));
    now += 30001;
    udp.Deliver(0, Reply().Mac(1).Bytes());
    udp.Deliver(1, Reply().Mac(2).Bytes());  // heard again, but over the failed channel
    ASSERT_EQ(1, Query());
    ASSERT_EQ(1, count);
    EXPECT_EQ("00:0E:53:00:00:01", RowText(0, &CameraRow::mac));
}

// Both engines and every PC address share one socket. Each engine gets what arrives while it
// is polled, and nothing from before it polls again after a pause.
TEST_F(CPLipfTest, EveryEngineHearsEveryReplyThatArrivesWhileItIsPolled) {
    hosts = {Addr("10.0.0.5"), Addr("192.168.0.10")};
    std::unique_ptr<CPLipf> other = NewEngine();
    auto otherQuery = [&] { return other->Query(&rows, &count, &capacity, 0); };
    udp.failReceiveBind = true;  // the port is held
    EXPECT_EQ(-1, Query());
    EXPECT_EQ(2u, udp.sent.size()) << "the requests still go out";
    udp.failReceiveBind = false;  // tried again at every Query
    Query(), otherQuery();
    EXPECT_EQ(1u, udp.ReceiveSockets().size());
    udp.Deliver(1, Reply().Mac(1).Bytes());  // on the second address alone
    ASSERT_EQ(1, Query());
    ASSERT_EQ(1, otherQuery()) << "the engine that did not read the socket gets its copy";
    now += 3000, Query(), now += 3000;  // the other engine is idle
    udp.Deliver(0, Reply().Mac(2).Bytes(), 500);
    ASSERT_EQ(1, Query());
    EXPECT_EQ(now - 500, Engine().Cameras()[1].lastSeen) << "aged from its arrival, not its read";
    EXPECT_EQ(-1, otherQuery()) << "what arrived while it was idle is not its";
    now += 6000;  // both idle; the system had it queued before either polled again
    udp.Deliver(0, Reply().Mac(3).Bytes(), 10);
    EXPECT_EQ(-1, Query());
    other.reset();
    engine_.reset();
    EXPECT_TRUE(udp.ReceiveSockets().empty()) << "the last engine closes the socket";
}

TEST_F(CPLipfTest, RowsGrowInStepsOf25AndKeepEveryCamera) {
    Query();
    for (int i = 1; i <= 24; ++i) udp.Deliver(0, Reply().Mac(static_cast<uint8_t>(i)).Bytes());
    ASSERT_EQ(1, Query());
    EXPECT_EQ(24, count);
    EXPECT_EQ(25, capacity);
    for (int i = 25; i <= 26; ++i) udp.Deliver(0, Reply().Mac(static_cast<uint8_t>(i)).Bytes());
    ASSERT_EQ(1, Query());
    EXPECT_EQ(26, count);
    EXPECT_EQ(50, capacity);
    EXPECT_EQ("00:0E:53:00:00:1A", RowText(25, &CameraRow::mac));

    // Many at once (one burst read in a single call) grows by as many steps as needed.
    for (int i = 27; i <= 120; ++i) udp.Deliver(0, Reply().Mac(static_cast<uint8_t>(i)).Bytes());
    ASSERT_EQ(1, Query());
    EXPECT_EQ(120, count);
    EXPECT_EQ(125, capacity);
    EXPECT_EQ("00:0E:53:00:00:78", RowText(119, &CameraRow::mac));
}

TEST_F(CPLipfTest, OneQueryReadsTheWholeQueueUpToItsBound) {
    Query();
    const int total = CPLipf::kMaxRepliesPerQuery + 40;
    for (int i = 0; i < total; ++i) {
        Reply r;
        r.mac[4] = static_cast<uint8_t>(i >> 8);
        r.mac[5] = static_cast<uint8_t>(i);
        udp.Deliver(0, r.Bytes());
    }
    ASSERT_EQ(1, Query());
    EXPECT_EQ(CPLipf::kMaxRepliesPerQuery, count);
    ASSERT_EQ(1, Query());
    EXPECT_EQ(total, count);
}

TEST_F(CPLipfTest, ModeOneForgetsEverythingAndOtherModesDoNothing) {
    Query();
    udp.Deliver(0, Reply().Mac(1).Bytes());
    ASSERT_EQ(1, Query());
    EXPECT_EQ(-1, Query(1));
    EXPECT_TRUE(Engine().Cameras().empty());

    udp.Deliver(0, Reply().Mac(2).Bytes());
    EXPECT_EQ(0, Query(2));
    EXPECT_EQ(0, Query(-1));
    ASSERT_EQ(1, Query(1));
    ASSERT_EQ(1, count);
    EXPECT_EQ("00:0E:53:00:00:02", RowText(0, &CameraRow::mac));
}

}  // namespace
}  // namespace orvanta::discovery
