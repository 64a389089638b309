// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/AddressText.h"
#include "platform/LinuxNetwork.h"

namespace orvanta::platform {
namespace {

namespace fs = std::filesystem;

class NetConfigFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("o2-netconfig-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& text) {
        fs::path p = dir_ / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p) << text;
        return p.string();
    }
    fs::path dir_;
};

TEST_F(NetConfigFiles, FirstIpv4NameServer) {
    EXPECT_EQ(FirstNameServer(Write("a",
                                    "# generated\nsearch lab\nnameserver fe80::1\n"
                                    "nameserver   10.0.0.53  # main\nnameserver 10.0.0.54\n")),
              "10.0.0.53");
    EXPECT_EQ(FirstNameServer(Write("b", "options edns0\nnameserver\n")), "");
    EXPECT_EQ(FirstNameServer((dir_ / "missing").string()), "");
}

TEST_F(NetConfigFiles, FirstPeerFileWithAUserLineInNameOrder) {
    Write("peers/b-isp", "noauth\nuser \"bob smith\" # quoted\n");
    Write("peers/a-dsl", "# user commented\nplugin rp-pppoe.so\n");
    Write("peers/c-isp", "user carol\n");
    Write("peers/.hidden", "user mallory\n");
    EXPECT_EQ(FirstPeerUser((dir_ / "peers").string()), "bob smith");
    Write("peers/a-dsl", "user   alice@isp\n");
    EXPECT_EQ(FirstPeerUser((dir_ / "peers").string()), "alice@isp");
    EXPECT_EQ(FirstPeerUser((dir_ / "none").string()), "");

    LinuxNetworkOptions options;
    options.pppPeers = (dir_ / "peers").string();
    LinuxNetwork net(options);
    char user[6];
    ASSERT_EQ(net.GetPhonebookUser(user, sizeof user), 0);
    EXPECT_STREQ(user, "alice");  // cut to the field
    options.pppPeers = (dir_ / "none").string();
    LinuxNetwork none(options);
    EXPECT_NE(none.GetPhonebookUser(user, sizeof user), 0);
}

TEST_F(NetConfigFiles, WirelessByEitherSysfsMarker) {
    fs::create_directories(dir_ / "net/wlan0/wireless");
    fs::create_directories(dir_ / "net/wlp2s0/phy80211");
    fs::create_directories(dir_ / "net/eth0/device");
    std::string net = (dir_ / "net").string();
    EXPECT_TRUE(IsWirelessInterface(net, "wlan0"));
    EXPECT_TRUE(IsWirelessInterface(net, "wlp2s0"));
    EXPECT_FALSE(IsWirelessInterface(net, "eth0"));
}

TEST(NetConfigMasks, PrefixLengthOfContiguousMasksOnly) {
    auto mask = [](const char* text) { return ParseDottedAddressOr(text, 0); };
    EXPECT_EQ(PrefixLength(mask("255.255.255.0")), 24);
    EXPECT_EQ(PrefixLength(mask("255.255.0.0")), 16);
    EXPECT_EQ(PrefixLength(mask("255.255.255.255")), 32);
    EXPECT_EQ(PrefixLength(mask("0.0.0.0")), 0);
    EXPECT_EQ(PrefixLength(mask("255.0.255.0")), -1);
}

}  // namespace
}  // namespace orvanta::platform
