// SPDX-License-Identifier: GPL-3.0-or-later
// The PC's own network on a lab: the survey, ARP probes against arping, free addresses, and
// temporary addresses that reach a camera and leave nothing behind, even after kill -9.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <net/if.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "JsonOut.h"
#include "Lab.h"
#include "localnet/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/LinuxNetwork.h"

namespace orvanta::localnet {
namespace {

using lab::Lab;
using testing::ParseJson;

uint32_t Ip(const char* text) {
    return platform::ParseDottedAddressOr(text, 0);
}

class LocalNetLab : public ::testing::Test {
protected:
    void SetUp() override {
        LAB_REQUIRED();
        lab = std::make_unique<Lab>();
    }
    void TearDown() override { lab.reset(); }

    // The IPv4 addresses on a host's eth0 as "a.b.c.d/len", in the kernel's order.
    std::vector<std::string> Addresses(const std::string& host) {
        std::istringstream out(lab->Output(host, "ip -4 -o addr show dev eth0"));
        std::vector<std::string> list;
        std::string line;
        while (std::getline(out, line)) {
            std::istringstream words(line);
            std::string word;
            while (words >> word)
                if (word == "inet" && words >> word) list.push_back(word);
        }
        return list;
    }
    std::string Cli(const std::string& host, const std::string& arguments, int* status) {
        return lab->Output(host, std::string(ORVANTA_CLI) + " " + arguments + " 2>/dev/null",
                           status);
    }
    void Resolv(const std::string& host, const std::string& server) {
        std::string command = std::string("bash ") + ORVANTA_LAB_SCRIPT + " resolv " + lab->Id() +
                              " " + host + " " + server;
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    camera::CameraSettings SurveyedPc() {
        camera::CameraSettings s = camera::NewCameraSettings();
        platform::LinuxNetwork net;
        SurveyPcNetwork(s, net);
        return s;
    }
    std::unique_ptr<Lab> lab;
};

// A TCP listener in `host`, to show that a peer reaches it and hears back.
int ListenIn(Lab& lab, const std::string& host, uint32_t address, uint16_t port) {
    lab.Enter(host);
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = htons(port);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(fd, 4) != 0) {
        close(fd);
        fd = -1;
    }
    lab.Leave();
    return fd;
}

bool ConnectsTo(uint32_t address, uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    timeval limit{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = htons(port);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    close(fd);
    return ok;
}

TEST_F(LocalNetLab, NetinfoReportsAFixedAndALeaseAddress) {
    lab->AddAddress("pc", "192.168.0.10/24");
    ASSERT_EQ(lab->Run("pc", "ip route add default via 192.168.0.1"), 0);
    Resolv("pc", "192.168.0.53");
    int status = -1;
    std::string out = Cli("pc", "netinfo --json", &status);
    ASSERT_EQ(status, 0);
    auto json = ParseJson(out);
    EXPECT_EQ(json["pcAddressText"], "192.168.0.10") << out;
    EXPECT_EQ(json["pcNetmaskText"], "255.255.255.0") << out;
    EXPECT_EQ(json["pcGatewayText"], "192.168.0.1") << out;
    EXPECT_EQ(json["pcDnsText"], "192.168.0.53") << out;
    EXPECT_EQ(json["pcUsesDhcp"], 0) << out;
    EXPECT_EQ(json["pcHasLan"], 1) << out;
    EXPECT_EQ(json["pcHasWireless"], 0) << out;

    // An address the kernel will expire is a lease.
    lab->AddHost("leased");
    lab->AddAddress("leased", "10.7.0.20/16", "valid_lft 300 preferred_lft 300");
    ASSERT_EQ(lab->Run("leased", "ip route add default via 10.7.0.1"), 0);
    Resolv("leased", "10.7.0.2");
    out = Cli("leased", "netinfo --json", &status);
    ASSERT_EQ(status, 0);
    json = ParseJson(out);
    EXPECT_EQ(json["pcAddressText"], "10.7.0.20") << out;
    EXPECT_EQ(json["pcNetmaskText"], "255.255.0.0") << out;
    EXPECT_EQ(json["pcGatewayText"], "10.7.0.1") << out;
    EXPECT_EQ(json["pcDnsText"], "10.7.0.2") << out;
    EXPECT_EQ(json["pcUsesDhcp"], 1) << out;

    // The interface index is the one of eth0 in that namespace.
    lab->Enter("leased");
    camera::CameraSettings s = SurveyedPc();
    EXPECT_EQ(s.pcInterfaceIndex, if_nametoindex("eth0"));
    EXPECT_EQ(s.pcHasDialUp, 0);
    EXPECT_STREQ(s.PhonebookUser, "");
}

TEST_F(LocalNetLab, FreeAddressesAndProbesAgreeWithArping) {
    lab->AddAddress("pc", "192.168.0.10/24");
    lab->AddHost("h253", {"192.168.0.253/24"});
    lab->AddHost("h252", {"192.168.0.252/24"});
    lab->AddHost("h249", {"192.168.0.249/24"});
    int status = -1;
    EXPECT_EQ(Cli("pc", "free-addresses --count 2", &status), "192.168.0.251\n192.168.0.250\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Cli("pc", "free-addresses --count 3 --from 192.168.0.10", &status),
              "192.168.0.251\n192.168.0.250\n192.168.0.248\n");

    for (const char* target :
         {"192.168.0.253", "192.168.0.252", "192.168.0.251", "192.168.0.249", "192.168.0.1"}) {
        std::string ours = Cli("pc", std::string("probe ") + target, &status);
        ASSERT_EQ(status, 0) << target;
        int arping = lab->Run("pc", std::string("arping -q -f -c 3 -w 2 -I eth0 -s "
                                                "192.168.0.10 ") +
                                        target);
        EXPECT_EQ(ours, arping == 0 ? "in use\n" : "free\n") << target;
    }
    // Its own address is never free, and a source nobody holds is an error, not "free".
    EXPECT_EQ(Cli("pc", "probe 192.168.0.10", &status), "in use\n");
    EXPECT_EQ(Cli("pc", "probe 192.168.0.251 --from 192.168.0.77", &status), "");
    EXPECT_EQ(status, 1);
}

TEST_F(LocalNetLab, AProbeWithoutCapNetRawFailsAndSaysWhy) {
    lab->AddAddress("pc", "192.168.0.10/24");
    int status = -1;
    std::string err = lab->Output("pc",
                                  std::string("capsh --drop=cap_net_raw -- -c '") + ORVANTA_CLI +
                                      " probe 192.168.0.251 2>&1'",
                                  &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("CAP_NET_RAW"), std::string::npos) << err;
    EXPECT_EQ(err.find("free"), std::string::npos) << err;
}

TEST_F(LocalNetLab, AProbeOnAnInterfaceThatIsDownFailsRatherThanSayFree) {
    lab->AddAddress("pc", "192.168.0.10/24");
    ASSERT_EQ(lab->Run("pc", "ip link set eth0 down"), 0);
    int status = -1;
    EXPECT_EQ(Cli("pc", "probe 192.168.0.251 --from 192.168.0.10", &status), "");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Cli("pc", "free-addresses --from 192.168.0.10", &status), "");
    EXPECT_EQ(status, 1);
}

TEST_F(LocalNetLab, APcInTheCamerasSubnetAddsNothing) {
    lab->AddAddress("pc", "192.168.0.10/24");
    lab->AddHost("cam", {"192.168.0.98/24"});
    auto before = Addresses("pc");
    lab->Enter("pc");
    camera::CameraSettings s = SurveyedPc();
    s.cameraAddress = Ip("192.168.0.98");
    platform::LinuxNetwork net;
    TemporaryAddresses temporary;
    EXPECT_EQ(EnsureCameraSubnet(s, net, temporary, {}), SubnetResult::AlreadyReachable);
    lab->Leave();
    EXPECT_EQ(temporary.Count(), 0u);
    EXPECT_EQ(Addresses("pc"), before);
}

TEST_F(LocalNetLab, ATemporaryAddressReachesTheCameraAndGoesAway) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->AddHost("cam", {"192.168.0.98/24"});
    lab->AddHost("other", {"192.168.0.253/24"});
    int listener = ListenIn(*lab, "cam", Ip("192.168.0.98"), 8080);
    ASSERT_GE(listener, 0);
    auto before = Addresses("pc");

    lab->Enter("pc");
    camera::CameraSettings s = SurveyedPc();
    ASSERT_STREQ(s.pcAddressText, "10.1.1.5");
    s.cameraAddress = Ip("192.168.0.98");
    platform::LinuxNetwork net;
    TemporaryAddresses temporary;
    std::vector<std::string> messages;
    EXPECT_EQ(
        EnsureCameraSubnet(s, net, temporary, [&](const char* text) { messages.push_back(text); }),
        SubnetResult::Added);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(temporary.Count(), 1u);
    EXPECT_TRUE(ConnectsTo(Ip("192.168.0.98"), 8080));
    lab->Leave();

    // One address in the camera's /24, held by no other host: .253 is taken, .252 was the
    // first free one and the PC's own while it probed again, so .251 is kept.
    auto during = Addresses("pc");
    ASSERT_EQ(during.size(), before.size() + 1);
    EXPECT_EQ(during.back(), "192.168.0.251/24");
    for (const char* host : {"cam", "other"})
        EXPECT_EQ(lab->Run(host, "ip -4 addr show | grep -q 'inet 192.168.0.251/'"), 1);

    lab->Enter("pc");
    RemoveTemporaryAddresses(net, temporary);
    lab->Leave();
    EXPECT_EQ(Addresses("pc"), before);
    close(listener);
}

// A host that only answers ARP from its own subnet is missed from the PC's address and caught
// by the probe from the temporary address.
TEST_F(LocalNetLab, TheSecondProbeFindsAHostThatIgnoresForeignSubnets) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->AddHost("cam", {"192.168.0.98/24"});
    lab->AddHost("shy", {"192.168.0.252/24"});
    ASSERT_EQ(lab->Run("shy", "sysctl -qw net.ipv4.conf.all.arp_ignore=2"), 0);
    int status = -1;
    EXPECT_EQ(Cli("pc", "probe 192.168.0.252 --from 10.1.1.5", &status), "free\n");

    lab->Enter("pc");
    camera::CameraSettings s = SurveyedPc();
    s.cameraAddress = Ip("192.168.0.98");
    platform::LinuxNetwork net;
    TemporaryAddresses temporary;
    EXPECT_EQ(EnsureCameraSubnet(s, net, temporary, {}), SubnetResult::Added);
    lab->Leave();
    EXPECT_EQ(Addresses("pc"), (std::vector<std::string>{"10.1.1.5/24", "192.168.0.251/24"}));
    lab->Enter("pc");
    RemoveTemporaryAddresses(net, temporary);
    lab->Leave();
}

// The settings read of a capable camera ends with two free addresses of the PC's subnet.
TEST_F(LocalNetLab, TheSettingsReadFindsTwoFreeAddresses) {
    lab->AddAddress("pc", "192.168.0.10/24");
    lab->AddHost("cam", {"192.168.0.98/24", "192.168.0.99/24"});
    lab->AddHost("h253", {"192.168.0.253/24"});
    lab->StartCamsim("cam", {"--camera",
                             "mac=00:11:22:33:44:55,ip=192.168.0.98,http_port=80,serial=SN1,"
                             "model=Quent-9Z,cap_wireless=0",
                             "--camera",
                             "mac=00:11:22:33:44:56,ip=192.168.0.99,http_port=80,serial=SN2,"
                             "model=Tornel-52"});
    int status = -1;
    std::string out = Cli("pc", "read 192.168.0.98:80 --json --free-addresses", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(ParseJson(out)["freeAddresses"], ParseJson(R"(["192.168.0.252", "192.168.0.251"])"))
        << out;
    // A model without the new features skips the search.
    out = Cli("pc", "read 192.168.0.99:80 --json --free-addresses", &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(ParseJson(out)["freeAddresses"], ParseJson("[]")) << out;
}

// Without CAP_NET_ADMIN the first add fails: "error" for the user, the reason on stderr.
TEST_F(LocalNetLab, WithoutCapNetAdminTheAddFailsAndSaysWhy) {
    lab->AddAddress("pc", "10.1.1.5/24");
    auto before = Addresses("pc");
    int output[2];
    ASSERT_EQ(pipe2(output, O_CLOEXEC), 0);
    lab->Enter("pc");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], 2);
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2] = {};
        syscall(SYS_capget, &header, data);
        data[CAP_NET_ADMIN / 32].effective &= ~(1u << (CAP_NET_ADMIN % 32));
        data[CAP_NET_ADMIN / 32].permitted &= ~(1u << (CAP_NET_ADMIN % 32));
        if (syscall(SYS_capset, &header, data) != 0) _exit(100);
        camera::CameraSettings s = SurveyedPc();
        s.cameraAddress = Ip("192.168.0.98");
        platform::LinuxNetwork net;
        TemporaryAddresses temporary;
        auto result = EnsureCameraSubnet(s, net, temporary, [](const char* text) {
            std::fprintf(stderr, "message: %s\n", text);
        });
        _exit(static_cast<int>(result));
    }
    lab->Leave();
    close(output[1]);
    std::string err;
    char buffer[512];
    ssize_t n;
    while ((n = read(output[0], buffer, sizeof buffer)) > 0) err.append(buffer, n);
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(SubnetResult::FirstAddFailed)) << err;
    EXPECT_NE(err.find("CAP_NET_ADMIN"), std::string::npos) << err;
    EXPECT_NE(err.find("message: error\n"), std::string::npos) << err;
    EXPECT_EQ(Addresses("pc"), before);
}

// Addresses are ours only when we made them: an existing one is never taken over, and one
// deleted by hand is not brought back by the renewal.
TEST_F(LocalNetLab, OnlyOurOwnAddressesAreAddedRenewedAndDeleted) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->AddAddress("pc", "192.168.0.50/24");
    lab->Enter("pc");
    const uint32_t index = if_nametoindex("eth0");
    platform::LinuxNetworkOptions options;
    options.temporaryLifetimeSeconds = 3;
    platform::LinuxNetwork net(options);
    uint32_t context = 0;
    EXPECT_EQ(net.AddAddress(Ip("192.168.0.50"), Ip("255.255.255.0"), index, &context), -EEXIST);
    ASSERT_EQ(net.AddAddress(Ip("192.168.0.60"), Ip("255.255.255.0"), index, &context), 0);
    lab->Leave();
    ASSERT_EQ(lab->Run("pc", "ip addr del 192.168.0.60/24 dev eth0"), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));  // two renewal periods
    auto list = Addresses("pc");
    EXPECT_EQ(list, (std::vector<std::string>{"10.1.1.5/24", "192.168.0.50/24"}));
    EXPECT_EQ(net.DeleteAddress(context), 0);  // gone already: nothing to do, not an error
    EXPECT_EQ(net.DeleteAddress(context), -ENOENT);
    EXPECT_EQ(Addresses("pc"), list);
}

// The program renews its temporary address; killed, it stops, and the kernel removes it.
TEST_F(LocalNetLab, AfterKillNineTheAddressExpiresByItself) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->Enter("pc");
    const uint32_t index = if_nametoindex("eth0");
    int ready[2];
    ASSERT_EQ(pipe2(ready, O_CLOEXEC), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::LinuxNetworkOptions options;
        options.temporaryLifetimeSeconds = 4;
        platform::LinuxNetwork net(options);
        uint32_t context = 0;
        char rc = net.AddAddress(Ip("192.168.0.200"), Ip("255.255.255.0"), index, &context) == 0
                      ? 'y'
                      : 'n';
        (void)!write(ready[1], &rc, 1);
        for (int i = 0; i < 600; ++i) usleep(100 * 1000);
        _exit(0);
    }
    lab->Leave();
    close(ready[1]);
    char rc = 0;
    ASSERT_EQ(read(ready[0], &rc, 1), 1);
    close(ready[0]);
    ASSERT_EQ(rc, 'y');
    auto has = [&] {
        auto list = Addresses("pc");
        return std::find(list.begin(), list.end(), "192.168.0.200/24") != list.end();
    };
    EXPECT_TRUE(has());
    // Twice its lifetime later it is still there: the running program renews it.
    std::this_thread::sleep_for(std::chrono::seconds(8));
    EXPECT_TRUE(has());

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    bool gone = false;
    for (int i = 0; i < 100 && !gone; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        gone = !has();
    }
    EXPECT_TRUE(gone);
}

}  // namespace
}  // namespace orvanta::localnet
