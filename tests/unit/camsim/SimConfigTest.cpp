// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "DiscoveryResponder.h"
#include "SimConfig.h"
#include "platform/AddressText.h"

namespace camsim {
namespace {

TEST(SimConfig, ParsesSectionsAndKeepsUnknownKeys) {
    std::vector<SimCamera> cameras;
    std::string error;
    ASSERT_TRUE(
        ParseConfig("# two cameras\n[camera]\nmac = 00:11:22:aa:bb:cc\nip = 10.0.0.7\n"
                    "http_port = 8080\ndescription = Front door\nmagic = alt\n"
                    "ModelName = Mervo-71\n\n[camera]\nip=10.0.0.8\nreply_size=200\n",
                    cameras, error))
        << error;
    ASSERT_EQ(2u, cameras.size());
    EXPECT_EQ(0xCC, cameras[0].mac[5]);
    EXPECT_EQ(orvanta::platform::ParseDottedAddressOr("10.0.0.7", 0), cameras[0].ip);
    EXPECT_EQ(8080, cameras[0].httpPort);
    EXPECT_EQ("Front door", cameras[0].description);
    EXPECT_EQ(0x01156A06u, cameras[0].magic);
    EXPECT_EQ("Mervo-71", cameras[0].extra.at("ModelName"));
    EXPECT_EQ(200, cameras[1].replySize);

    for (const char* bad :
         {"ip = 1.2.3.4\n", "[camera]\nmac = 00:11\n", "[camera]\nip = 300.1.1.1\n",
          "[camera]\nhttp_port = x\n", "[camera]\nno equals sign\n"}) {
        cameras.clear();
        error.clear();
        EXPECT_FALSE(ParseConfig(bad, cameras, error)) << bad;
        EXPECT_NE(std::string::npos, error.find("line")) << error;
    }
}

TEST(SimConfig, GeneratedCamerasAreDistinct) {
    auto cameras = GenerateCameras(300, orvanta::platform::ParseDottedAddressOr("10.20.0.250", 0));
    ASSERT_EQ(300u, cameras.size());
    EXPECT_EQ("10.20.1.0", FormatIp(cameras[6].ip));
    EXPECT_EQ("SIM00300", cameras[299].serial);
    EXPECT_EQ(0x01, cameras[299].mac[4]);
    EXPECT_EQ(0x2C, cameras[299].mac[5]);
}

TEST(CamsimReply, OverlongTextsStayInsideTheTextArea) {
    SimCamera camera;
    camera.description = std::string(300, 'd');
    camera.streamPort = 0x01020304;
    std::vector<uint8_t> reply = EncodeDiscoveryReply(camera);
    ASSERT_EQ(284u, reply.size());
    EXPECT_EQ('d', reply[279]);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4}),
              std::vector<uint8_t>(reply.begin() + 280, reply.end()));
    camera.replySize = 100;
    EXPECT_EQ(100u, EncodeDiscoveryReply(camera).size());
}

}  // namespace
}  // namespace camsim
