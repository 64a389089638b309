// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "FakeNetwork.h"
#include "localnet/LocalNetwork.h"

namespace orvanta::localnet {
namespace {

using camera::CameraSettings;
using testing::FakeNetwork;
using testing::Ip;
using testing::Text;

constexpr uint32_t kUp = platform::kOperStatusUp;
constexpr uint32_t kDown = platform::kOperStatusDown;

CameraSettings Blank() {
    return camera::NewCameraSettings();
}

// ---- The adapter survey -------------------------------------------------------------------

TEST(AdapterSurvey, LastUpWiredOrWirelessIsActiveAndFlagsAccumulate) {
    FakeNetwork net;
    net.interfaces = {{1, platform::kIfTypeLoopback, kUp},
                      {3, platform::kIfTypeWireless, kUp},
                      {4, platform::kIfTypeEthernet, kUp},
                      {5, platform::kIfTypeEthernet, kDown},
                      {6, platform::kIfTypePpp, kUp}};
    CameraSettings s = Blank();
    ScanAdapters(s, net);
    EXPECT_EQ(s.pcInterfaceIndex, 4u);
    EXPECT_EQ(s.pcHasWireless, 1);
    EXPECT_EQ(s.pcHasLan, 1);
    EXPECT_EQ(s.pcHasDialUp, 1);

    // Wireless last: it is the active one. Nothing up: nothing changes.
    net.interfaces = {{4, platform::kIfTypeEthernet, kUp}, {3, platform::kIfTypeWireless, kUp}};
    s = Blank();
    ScanAdapters(s, net);
    EXPECT_EQ(s.pcInterfaceIndex, 3u);
    net.interfaces = {{4, platform::kIfTypeEthernet, kDown}, {6, platform::kIfTypePpp, kDown}};
    s = Blank();
    ScanAdapters(s, net);
    EXPECT_EQ(s.pcInterfaceIndex, 0u);
    EXPECT_EQ(s.pcHasLan + s.pcHasDialUp + s.pcHasWireless, 0);
}

TEST(AdapterSurvey, InterfaceListRetriesWithTheSizeAskedForAtMostThreeTimes) {
    FakeNetwork net;
    net.interfaces = {{2, platform::kIfTypeEthernet, kUp}};
    net.interfaceGrowth = {20000, 40000};  // grows twice, then fits
    CameraSettings s = Blank();
    ScanAdapters(s, net);
    EXPECT_EQ(net.interfaceCalls, 3);
    EXPECT_EQ(s.pcInterfaceIndex, 2u);

    // Still too small on the third answer: give up, say so, leave the fields alone.
    net.interfaceCalls = 0;
    net.interfaceGrowth = {20000, 40000, 60000};
    s = Blank();
    ::testing::internal::CaptureStdout();
    ScanAdapters(s, net);
    std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(net.interfaceCalls, 3);
    EXPECT_EQ(s.pcInterfaceIndex, 0u);
    EXPECT_EQ(out.rfind("\tError: ", 0), 0u) << out;

    // An absurd size is not allocated.
    net.interfaceCalls = 0;
    net.interfaceGrowth = {0x7FFFFFFF};
    ::testing::internal::CaptureStdout();
    ScanAdapters(s, net);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(net.interfaceCalls, 1);
    EXPECT_EQ(s.pcInterfaceIndex, 0u);
}

TEST(AdapterSurvey, NoInterfaceIsSilentOtherErrorsArePrinted) {
    FakeNetwork net;
    CameraSettings s = Blank();
    ::testing::internal::CaptureStdout();
    ScanAdapters(s, net);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

    net.interfaceError = -13;
    ::testing::internal::CaptureStdout();
    ScanAdapters(s, net);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "\tError: Permission denied\n");
}

TEST(AdapterSurvey, AddressesOfTheActiveAdapterAndTheDhcpRule) {
    FakeNetwork net;
    // More adapters than the first 648 bytes hold, the active one last.
    for (uint32_t i = 10; i < 30; ++i) net.AddAdapter(i, "10.9.9.9", "255.0.0.0", "0.0.0.0", 0, "");
    net.AddAdapter(4, "192.168.1.20", "255.255.255.0", "192.168.1.1", 1, "192.168.1.1");
    net.dns = "192.168.1.53";
    CameraSettings s = Blank();
    s.pcInterfaceIndex = 4;
    ReadAdapterAddresses(s, net);
    EXPECT_EQ(net.adapterCalls, 2);
    EXPECT_STREQ(s.pcAddressText, "192.168.1.20");
    EXPECT_EQ(s.pcAddress, Ip("192.168.1.20"));
    EXPECT_STREQ(s.pcNetmaskText, "255.255.255.0");
    EXPECT_STREQ(s.pcGatewayText, "192.168.1.1");
    EXPECT_STREQ(s.pcDnsText, "192.168.1.53");
    EXPECT_EQ(s.pcUsesDhcp, 1);

    // DHCP enabled but no server known is not a lease.
    std::strcpy(net.adapters.back().dhcpServer, "0.0.0.0");
    ReadAdapterAddresses(s, net);
    EXPECT_EQ(s.pcUsesDhcp, 0);

    // A failed query leaves what was there.
    net.adaptersError = -5;
    net.AddAdapter(4, "1.2.3.4", "255.0.0.0", "1.1.1.1", 1, "1.1.1.1");
    ReadAdapterAddresses(s, net);
    EXPECT_STREQ(s.pcAddressText, "192.168.1.20");
}

TEST(AdapterSurvey, PhonebookIsReadOnlyWithADialUpLink) {
    FakeNetwork net;
    net.phonebookUser = "alice@isp";
    net.interfaces = {{2, platform::kIfTypeEthernet, kUp}};
    CameraSettings s = Blank();
    s.pcHasLan = 1;  // stale values are cleared by the survey
    s.pcHasDialUp = 1;
    SurveyPcNetwork(s, net);
    EXPECT_EQ(s.pcHasDialUp, 0);
    EXPECT_STREQ(s.PhonebookUser, "");

    net.interfaces.push_back({7, platform::kIfTypePpp, kUp});
    SurveyPcNetwork(s, net);
    EXPECT_STREQ(s.PhonebookUser, "alice@isp");
}

// ---- Probes and free addresses --------------------------------------------------------------

TEST(FreeAddresses, ProbeAnswersInUseFreeOrFailed) {
    FakeNetwork net;
    net.table = {{Ip("10.0.0.5"), Ip("255.255.255.0"), 2}};
    net.hosts = {Ip("10.0.0.7")};
    const uint32_t from = Ip("10.0.0.5");
    EXPECT_EQ(ProbeAddress(net, Ip("10.0.0.7"), from), ProbeResult::InUse);
    EXPECT_EQ(ProbeAddress(net, Ip("10.0.0.8"), from), ProbeResult::Free);
    // The PC's own address is in use, whatever ARP says, and is not even asked.
    int sent = net.probesSent;
    EXPECT_EQ(ProbeAddress(net, Ip("10.0.0.5"), from), ProbeResult::InUse);
    EXPECT_EQ(net.probesSent, sent);
    // A probe that cannot be sent is no evidence that the address is free.
    net.probeError = -EPERM;
    int error = 0;
    EXPECT_EQ(ProbeAddress(net, Ip("10.0.0.8"), from, &error), ProbeResult::Failed);
    EXPECT_EQ(error, -EPERM);  // what the user is told is missing
    uint32_t found = 0;
    EXPECT_FALSE(FindFreeAddress(net, Ip("10.0.0.8"), from, &found));
    EXPECT_TRUE(FindFreeAddresses(net, Ip("10.0.0.8"), from, 2).empty());
}

TEST(FreeAddresses, HostsAt253And252GiveTheNextTwoBelow) {
    FakeNetwork net;
    net.hosts = {Ip("192.168.0.253"), Ip("192.168.0.252")};
    auto free = FindFreeAddresses(net, Ip("192.168.0.10"), Ip("192.168.0.10"), 2);
    ASSERT_EQ(free.size(), 2u);
    EXPECT_EQ(Text(free[0]), "192.168.0.251");
    EXPECT_EQ(Text(free[1]), "192.168.0.250");
    // Several candidates went out at once, not one call per probe.
    EXPECT_EQ(net.probeCalls, 1);

    net.hosts.insert(Ip("192.168.0.250"));
    free = FindFreeAddresses(net, Ip("192.168.0.10"), Ip("192.168.0.10"), 2);
    ASSERT_EQ(free.size(), 2u);
    EXPECT_EQ(Text(free[1]), "192.168.0.249");
}

TEST(FreeAddresses, GivesUpAfter256ProbesWithWhatItFound) {
    FakeNetwork net;
    for (int b = 0; b < 256; ++b) net.hosts.insert(Ip(("172.16.1." + std::to_string(b)).c_str()));
    uint32_t found = 0;
    EXPECT_FALSE(FindFreeAddress(net, Ip("172.16.1.253"), Ip("172.16.1.2"), &found));
    EXPECT_EQ(net.probesSent, 256);

    net.probesSent = 0;
    net.hosts.erase(Ip("172.16.1.3"));
    auto free = FindFreeAddresses(net, Ip("172.16.1.2"), Ip("172.16.1.2"), 2);
    ASSERT_EQ(free.size(), 1u);
    EXPECT_EQ(Text(free[0]), "172.16.1.3");
    EXPECT_EQ(net.probesSent, 256);
}

TEST(FreeAddresses, SearchWrapsFrom0To255InTheLastByteOnly) {
    FakeNetwork net;
    net.hosts = {Ip("10.1.2.2"), Ip("10.1.2.1"), Ip("10.1.2.0")};
    uint32_t found = 0;
    ASSERT_TRUE(FindFreeAddress(net, Ip("10.1.2.2"), Ip("10.1.2.9"), &found));
    EXPECT_EQ(Text(found), "10.1.2.255");
}

// Probing in batches must give what one probe at a time gives, for any set of hosts.
TEST(FreeAddresses, BatchesGiveTheSameAnswerAsOneByOne) {
    std::mt19937 random(42);
    for (int round = 0; round < 200; ++round) {
        FakeNetwork net;
        std::vector<bool> taken(256);
        int density = static_cast<int>(random() % 100);
        for (int b = 0; b < 256; ++b) {
            taken[b] = static_cast<int>(random() % 100) < density;
            if (taken[b]) net.hosts.insert(htonl(0x0A000000u | b));
        }
        const uint32_t own = 0x0A000000u | (random() % 256);
        net.table = {{htonl(own), Ip("255.255.255.0"), 2}};
        const int count = 1 + static_cast<int>(random() % 5);
        std::vector<uint32_t> expected;
        for (int probe = 0; probe < 256 && static_cast<int>(expected.size()) < count; ++probe) {
            uint32_t b = (253u - probe) & 0xFF;
            if (!taken[b] && (0x0A000000u | b) != own) expected.push_back(htonl(0x0A000000u | b));
        }
        EXPECT_EQ(FindFreeAddresses(net, htonl(own), htonl(own), count), expected)
            << "round " << round;
    }
}

// ---- Temporary addresses --------------------------------------------------------------------

struct SubnetCase {
    FakeNetwork net;
    CameraSettings s = Blank();
    TemporaryAddresses temporary;
    std::vector<std::string> messages;

    SubnetCase(const char* pc, const char* camera) {
        std::strcpy(s.pcAddressText, pc);
        s.pcAddress = Ip(pc);
        s.pcInterfaceIndex = 2;
        s.cameraAddress = Ip(camera);
        net.table = {{Ip("127.0.0.1"), Ip("255.0.0.0"), 1}, {Ip(pc), Ip("255.255.255.0"), 2}};
    }
    SubnetResult Run() {
        return EnsureCameraSubnet(s, net, temporary,
                                  [this](const char* text) { messages.push_back(text); });
    }
};

TEST(TemporaryAddress, NothingIsAddedWhenThePcIsInTheCamerasSubnetOrHasARouteThere) {
    // The default route and an on-link route lead nowhere in particular; a gateway's route
    // to 10.20.0.0/16 leads to the camera behind that router.
    const char* routes =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t00000000\t0100A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
        "eth0\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
        "eth0\t0000140A\t0100A8C0\t0003\t0\t0\t0\t0000FFFF\t0\t0\t0\n";
    for (const char* camera : {"192.168.0.98", "10.20.7.5"}) {
        SubnetCase c("192.168.0.10", camera);
        c.net.routeTable = routes;
        EXPECT_EQ(c.Run(), SubnetResult::AlreadyReachable) << camera;
        EXPECT_TRUE(c.net.log.empty());
        EXPECT_EQ(c.net.probesSent, 0);
        EXPECT_EQ(c.temporary.Count(), 0u);
    }
    SubnetCase beside("192.168.0.10", "10.21.0.5");
    beside.net.routeTable = routes;
    EXPECT_EQ(beside.Run(), SubnetResult::Added);
}

TEST(TemporaryAddress, AddsWaitsReprobesFromTheNewAddressAndKeepsTheSecond) {
    SubnetCase c("10.1.1.5", "192.168.0.98");
    c.net.table.push_back({Ip("192.168.1.7"), Ip("255.255.255.0"), 2});  // another /24
    EXPECT_EQ(c.Run(), SubnetResult::Added);
    // .253 is free seen from the PC; from .253 itself, .253 is the PC's own, so .252.
    EXPECT_EQ(c.net.log, (std::vector<std::string>{"add 192.168.0.253 255.255.255.0 if2",
                                                   "sleep 5000", "delete 192.168.0.253",
                                                   "add 192.168.0.252 255.255.255.0 if2"}));
    EXPECT_EQ(c.net.probeSources.front(), Ip("10.1.1.5"));
    EXPECT_EQ(c.net.probeSources.back(), Ip("192.168.0.253"));
    ASSERT_EQ(c.temporary.Count(), 1u);
    EXPECT_TRUE(c.messages.empty());

    RemoveTemporaryAddresses(c.net, c.temporary);
    EXPECT_EQ(c.net.log.back(), "delete 192.168.0.252");
    EXPECT_EQ(c.temporary.Count(), 0u);
    EXPECT_EQ(c.net.table.size(), 3u);  // as it was
    RemoveTemporaryAddresses(c.net, c.temporary);
    EXPECT_EQ(c.net.log.back(), "delete 192.168.0.252");
}

TEST(TemporaryAddress, AHostThatOnlyAnswersItsOwnSubnetIsFoundByTheSecondProbe) {
    SubnetCase c("10.1.1.5", "192.168.0.98");
    c.net.shyHosts = {Ip("192.168.0.252")};
    c.net.hosts = {Ip("192.168.0.98")};
    EXPECT_EQ(c.Run(), SubnetResult::Added);
    EXPECT_EQ(c.net.log.back(), "add 192.168.0.251 255.255.255.0 if2");
}

TEST(TemporaryAddress, MaskByFirstByteAndFirstCandidate253) {
    struct Row {
        const char* camera;
        const char* mask;
        const char* first;
    } rows[] = {{"172.16.5.9", "255.255.0.0", "172.16.5.253"},
                {"10.0.0.9", "255.255.255.255", "10.0.0.253"},
                {"192.168.0.98", "255.255.255.0", "192.168.0.253"},
                {"223.1.1.1", "255.255.255.0", "223.1.1.253"},
                {"128.0.0.1", "255.255.0.0", "128.0.0.253"}};
    for (const Row& r : rows) {
        SubnetCase c("10.1.1.5", r.camera);
        EXPECT_EQ(c.Run(), SubnetResult::Added) << r.camera;
        EXPECT_EQ(c.net.log.front(), std::string("add ") + r.first + " " + r.mask + " if2");
    }
    EXPECT_EQ(Text(TemporaryMask(Ip("191.255.0.1"))), "255.255.0.0");
    EXPECT_EQ(Text(TemporaryMask(Ip("224.0.0.1"))), "255.255.255.255");
}

TEST(TemporaryAddress, FirstAddFailingSaysErrorAndKeepsNothing) {
    SubnetCase c("10.1.1.5", "192.168.0.98");
    c.net.failingAdds = {1};
    EXPECT_EQ(c.Run(), SubnetResult::FirstAddFailed);
    EXPECT_EQ(c.messages, std::vector<std::string>{"error"});
    EXPECT_TRUE(c.net.sleeps.empty());
    EXPECT_EQ(c.temporary.Count(), 0u);
}

TEST(TemporaryAddress, SecondAddFailingIsSilentAndLeavesNothingBehind) {
    SubnetCase c("10.1.1.5", "192.168.0.98");
    auto before = c.net.table.size();
    c.net.failingAdds = {2};
    EXPECT_EQ(c.Run(), SubnetResult::SecondAddFailed);
    EXPECT_TRUE(c.messages.empty());
    EXPECT_EQ(c.temporary.Count(), 0u);
    EXPECT_EQ(c.net.table.size(), before);
}

TEST(TemporaryAddress, NoFreeAddressOrNoTableAddsNothing) {
    SubnetCase full("10.1.1.5", "192.168.0.98");
    for (int b = 0; b < 256; ++b)
        full.net.hosts.insert(Ip(("192.168.0." + std::to_string(b)).c_str()));
    EXPECT_EQ(full.Run(), SubnetResult::NoFreeAddress);
    EXPECT_EQ(full.net.addCalls, 0);

    SubnetCase broken("10.1.1.5", "192.168.0.98");
    broken.net.tableError = -1;
    EXPECT_EQ(broken.Run(), SubnetResult::TableFailed);
    EXPECT_EQ(broken.net.addCalls, 0);

    SubnetCase unsendable("10.1.1.5", "192.168.0.98");
    unsendable.net.probeError = -1;
    EXPECT_EQ(unsendable.Run(), SubnetResult::NoFreeAddress);
    EXPECT_EQ(unsendable.net.addCalls, 0);

    for (const char* camera : {"0.0.0.0", "127.0.0.9", "239.1.1.1"}) {
        SubnetCase odd("10.1.1.5", camera);
        EXPECT_EQ(odd.Run(), SubnetResult::NotAHostAddress) << camera;
    }
}

TEST(TemporaryAddress, TableIsReadAgainWithTheSizeAskedForAndCamerasAccumulate) {
    SubnetCase c("10.1.1.5", "192.168.0.98");
    c.net.tableTooSmallTimes = 1;
    EXPECT_EQ(c.Run(), SubnetResult::Added);
    c.s.cameraAddress = Ip("192.168.5.98");
    EXPECT_EQ(c.Run(), SubnetResult::Added);
    // The first camera's subnet now has our address.
    c.s.cameraAddress = Ip("192.168.0.99");
    EXPECT_EQ(c.Run(), SubnetResult::AlreadyReachable);
    EXPECT_EQ(c.temporary.Count(), 2u);
}

}  // namespace
}  // namespace orvanta::localnet
