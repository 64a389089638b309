// SPDX-License-Identifier: GPL-3.0-or-later
// The privileged helper on a lab: a process without any capability reaches a camera in
// another subnet through a copy of orvanta2-nethelper that holds the two it needs; the helper
// refuses what it must, cleans up when its parent goes, and a kill -9 of both leaves nothing
// once the address's lifetime has run out.
#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <net/if.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "JsonOut.h"
#include "Lab.h"
#include "localnet/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/HelperNetwork.h"

namespace orvanta::localnet {
namespace {

namespace fs = std::filesystem;
using lab::Lab;

constexpr const char* kNobody =
    "setpriv --reuid=65534 --regid=65534 --clear-groups --inh-caps=-all ";

uint32_t Ip(const char* text) {
    return platform::ParseDottedAddressOr(text, 0);
}

// Becomes "nobody" without a capability left; false when any survived.
bool BecomeNobody() {
    if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
        setresuid(65534, 65534, 65534) != 0)
        return false;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    return syscall(SYS_capget, &header, data) == 0 && data[0].effective == 0 &&
           data[0].permitted == 0 && data[1].effective == 0 && data[1].permitted == 0;
}

class NetHelperLab : public ::testing::Test {
protected:
    void SetUp() override {
        LAB_REQUIRED();
        lab = std::make_unique<Lab>();
        // Copies that "nobody" may run: the helper with file capabilities, beside the CLI.
        char pattern[] = "/tmp/orvanta-nethelper-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        chmod(dir.c_str(), 0755);
        helper = dir + "/orvanta2-nethelper";
        cli = dir + "/orvanta2-cli";
        fs::copy_file(ORVANTA_NETHELPER, helper);
        fs::copy_file(ORVANTA_CLI, cli);
        ASSERT_EQ(std::system(("setcap cap_net_admin,cap_net_raw+ep " + helper).c_str()), 0);
    }
    void TearDown() override {
        lab.reset();
        if (!dir.empty()) fs::remove_all(dir);
    }

    std::vector<std::string> Addresses(const std::string& host) {
        std::istringstream out(lab->Output(host, "ip -4 -o addr show dev eth0"));
        std::vector<std::string> list;
        std::string line, word;
        while (std::getline(out, line)) {
            std::istringstream words(line);
            while (words >> word)
                if (word == "inet" && words >> word) list.push_back(word);
        }
        return list;
    }
    bool Has(const std::string& host, const std::string& cidr) {
        auto list = Addresses(host);
        return std::find(list.begin(), list.end(), cidr) != list.end();
    }

    std::unique_ptr<Lab> lab;
    std::string dir, helper, cli;
};

TEST_F(NetHelperLab, AProcessWithoutCapabilitiesReachesACameraInAnotherSubnet) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->AddHost("cam", {"192.168.0.98/24"});
    lab->AddHost("other", {"192.168.0.253/24"});
    lab->AddHost("near", {"10.1.1.253/24"});
    lab->StartCamsim("cam", {"--camera",
                             "mac=00:11:22:33:44:55,ip=192.168.0.98,http_port=80,serial=SN1,"
                             "model=Quent-9Z,cap_wireless=0"});
    auto before = Addresses("pc");

    // read, apscan and save each reach the camera through a temporary address of their own,
    // unprivileged through the helper as well as with the capabilities of root, and say which;
    // the address is gone when they end.
    const std::string commands[] = {
        kNobody + cli + " read 192.168.0.98:80 --json --free-addresses",
        kNobody + cli + " apscan 192.168.0.98 --json",
        kNobody + cli + " save 192.168.0.98 TitleBar=Gate --json",
        std::string(ORVANTA_CLI) + " read 192.168.0.98 --json",
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        int status = -1;
        std::string out = lab->Output("pc", command + " 2>/dev/null", &status);
        EXPECT_EQ(status, 0) << out;
        auto json = testing::ParseJson(out);
        EXPECT_EQ(json["temporaryAddress"].get<std::string>().rfind("192.168.0.", 0), 0u) << out;
        if (json.contains("freeAddresses"))  // the PC's own subnet, as the wizard's read finds
            EXPECT_EQ(json["freeAddresses"], testing::ParseJson(R"(["10.1.1.252", "10.1.1.251"])"));
        EXPECT_EQ(Addresses("pc"), before);
    }
    int status = -1;
    std::string said =
        lab->Output("pc", kNobody + cli + " read 192.168.0.98 2>&1 >/dev/null", &status);
    EXPECT_EQ(said.rfind("read: reached 192.168.0.98 through the temporary address 192.168.0.", 0),
              0u)
        << said;

    // The probes through the helper agree with the network.
    EXPECT_EQ(lab->Output("pc", kNobody + cli + " probe 192.168.0.253 --from 10.1.1.5", &status),
              "in use\n");
    EXPECT_EQ(lab->Output("pc", kNobody + cli + " probe 192.168.0.200 --from 10.1.1.5", &status),
              "free\n");
    EXPECT_EQ(lab->Output("pc", kNobody + cli + " free-addresses --count 2", &status),
              "10.1.1.252\n10.1.1.251\n");
}

TEST_F(NetHelperLab, AMissingHelperOrOneWithoutCapabilitiesIsAnErrorThatSaysHowToGrant) {
    lab->AddAddress("pc", "10.1.1.5/24");
    // A helper copy without capabilities.
    ASSERT_EQ(std::system(("setcap -r " + helper).c_str()), 0);
    int status = -1;
    std::string err =
        lab->Output("pc", kNobody + cli + " probe 10.1.1.200 --from 10.1.1.5 2>&1", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("orvanta2-nethelper (" + helper + ")"), std::string::npos) << err;
    EXPECT_NE(err.find("sudo setcap cap_net_admin,cap_net_raw+ep " + helper), std::string::npos)
        << err;
    EXPECT_EQ(err.find("free"), std::string::npos) << err;

    // No helper at all: the installed path is named.
    fs::remove(helper);
    err = lab->Output("pc", kNobody + cli + " probe 10.1.1.200 --from 10.1.1.5 2>&1", &status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("orvanta2-nethelper: not found at /"), std::string::npos) << err;
    EXPECT_NE(err.find("sudo setcap cap_net_admin,cap_net_raw+ep /"), std::string::npos) << err;
    EXPECT_EQ(err.find("free"), std::string::npos) << err;
}

// Talks the line protocol to a helper started here.
class RawHelper {
public:
    explicit RawHelper(const std::string& path) {
        int pair[2];
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair);
        int childEnd = fcntl(pair[1], F_DUPFD_CLOEXEC, 10);
        close(pair[1]);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, childEnd, 3);
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        char* envp[] = {nullptr};
        posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, envp);
        posix_spawn_file_actions_destroy(&actions);
        close(childEnd);
        fd_ = pair[0];
        hello = Line();
    }
    ~RawHelper() { Close(); }
    std::string Ask(const std::string& request) {
        (void)!write(fd_, request.data(), request.size());
        return Line();
    }
    // Closes our end and waits for the helper to finish.
    int Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
        int status = -1;
        if (pid_ > 0) waitpid(pid_, &status, 0);
        pid_ = 0;
        return status;
    }
    std::string hello;

private:
    std::string Line() {
        std::string line;
        char c;
        pollfd p{fd_, POLLIN, 0};
        while (line.size() < 512 && poll(&p, 1, 5000) == 1 && read(fd_, &c, 1) == 1) {
            if (c == '\n') return line;
            line += c;
        }
        return line + "<no newline>";
    }
    int fd_ = -1;
    pid_t pid_ = 0;
};

TEST_F(NetHelperLab, TheHelperRefusesWhatItMustAndCleansUpWhenItsParentGoes) {
    lab->AddAddress("pc", "10.1.1.5/24");
    auto before = Addresses("pc");
    lab->Enter("pc");
    const std::string eth0 = std::to_string(if_nametoindex("eth0"));
    const std::string lo = std::to_string(if_nametoindex("lo"));
    RawHelper raw(helper);
    lab->Leave();
    ASSERT_EQ(raw.hello, "READY");

    EXPECT_EQ(raw.Ask("DEL 1\n"), "ERR 2 not an address this helper added");
    EXPECT_EQ(raw.Ask("ADD " + lo + " 192.168.0.251/24\n"), "ERR 22 loopback interface refused");
    EXPECT_EQ(raw.Ask("ADD 9999 192.168.0.251/24\n"), "ERR 19 no such interface");
    EXPECT_EQ(raw.Ask("ADD " + eth0 + " 192.168.0.251/16\n").substr(0, 7), "ERR 22 ");
    EXPECT_EQ(raw.Ask(std::string(300, 'A') + "\n"), "ERR 90 request too long");
    EXPECT_EQ(raw.Ask("ARP 10.1.1.5 10.1.1.1\n"), "OK 0");  // still serving after all that
    ASSERT_EQ(lab->Run("pc", "ip link set eth0 down"), 0);
    EXPECT_EQ(raw.Ask("ADD " + eth0 + " 192.168.0.251/24\n"), "ERR 100 interface is down");
    ASSERT_EQ(lab->Run("pc", "ip link set eth0 up"), 0);

    // A subnet the PC already has an address in needs no temporary one.
    lab->AddAddress("pc", "192.168.0.77/24");
    EXPECT_EQ(raw.Ask("ADD " + eth0 + " 192.168.0.251/24\n"),
              "ERR 17 the PC already has an address in this /24");
    ASSERT_EQ(lab->Run("pc", "ip addr del 192.168.0.77/24 dev eth0"), 0);

    std::string added = raw.Ask("ADD " + eth0 + " 192.168.0.251/24\n");
    ASSERT_EQ(added.substr(0, 3), "OK ") << added;
    EXPECT_TRUE(Has("pc", "192.168.0.251/24"));
    EXPECT_EQ(raw.Ask("DEL " + std::to_string(std::stoul(added.substr(3)) + 1) + "\n"),
              "ERR 2 not an address this helper added");
    EXPECT_EQ(raw.Ask("DEL " + added.substr(3) + "\n"), "OK");
    EXPECT_FALSE(Has("pc", "192.168.0.251/24"));
    EXPECT_EQ(raw.Ask("DEL " + added.substr(3) + "\n"), "ERR 2 not an address this helper added");

    ASSERT_EQ(raw.Ask("ADD " + eth0 + " 192.168.0.250/24\n").substr(0, 3), "OK ");
    EXPECT_TRUE(Has("pc", "192.168.0.250/24"));
    int status = raw.Close();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(Has("pc", "192.168.0.250/24"));
    EXPECT_EQ(Addresses("pc"), before);
}

// Whoever drives it, the helper sends no more than 200 probe targets a second.
TEST_F(NetHelperLab, ProbesInATightLoopArePaced) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->AddHost("near", {"10.1.1.253/24"});
    lab->Enter("pc");
    RawHelper raw(helper);
    lab->Leave();
    ASSERT_EQ(raw.hello, "READY");
    std::string eight = "ARP 10.1.1.5";
    for (int i = 0; i < 8; ++i) eight += " 10.1.1.253";
    const auto start = std::chrono::steady_clock::now();
    int answered = 0;
    for (int i = 0; i < 60; ++i) answered += raw.Ask(eight + "\n") == "OK 11111111";
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(answered, 60);
    // 480 targets: the first 200 at once, the other 280 at 200 a second.
    EXPECT_GE(seconds, 1.3);
}

// The helper's ARP socket stays open between probes; what it heard meanwhile is not an answer.
TEST_F(NetHelperLab, FramesHeardBetweenProbesDoNotCount) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->AddHost("ghost", {"10.1.1.200/24"});
    lab->Enter("pc");
    RawHelper raw(helper);
    lab->Leave();
    ASSERT_EQ(raw.Ask("ARP 10.1.1.5 10.1.1.200\n"), "OK 1");
    // It announces itself while no probe runs, then leaves.
    ASSERT_EQ(lab->Run("ghost", "arping -q -U -c 2 -I eth0 10.1.1.200"), 0);
    ASSERT_EQ(lab->Run("ghost", "ip addr del 10.1.1.200/24 dev eth0"), 0);
    EXPECT_EQ(raw.Ask("ARP 10.1.1.5 10.1.1.200\n"), "OK 0");
}

TEST_F(NetHelperLab, AfterKillNineOfClientAndHelperTheAddressExpires) {
    lab->AddAddress("pc", "10.1.1.5/24");
    lab->Enter("pc");
    const uint32_t index = if_nametoindex("eth0");
    int ready[2];
    ASSERT_EQ(pipe2(ready, O_CLOEXEC), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!BecomeNobody()) _exit(100);
        platform::HelperNetworkOptions options;
        options.helperPath = helper;
        options.temporaryLifetimeSeconds = 4;
        platform::HelperNetwork net(options);
        uint32_t context = 0;
        pid_t helperPid = 0;
        if (net.AddAddress(Ip("192.168.0.200"), Ip("255.255.255.0"), index, &context) == 0)
            helperPid = net.HelperPid();
        (void)!write(ready[1], &helperPid, sizeof helperPid);
        for (int i = 0; i < 600; ++i) usleep(100 * 1000);
        _exit(0);
    }
    lab->Leave();
    close(ready[1]);
    pid_t helperPid = 0;
    ASSERT_EQ(read(ready[0], &helperPid, sizeof helperPid), static_cast<ssize_t>(sizeof helperPid));
    close(ready[0]);
    ASSERT_GT(helperPid, 0);
    EXPECT_TRUE(Has("pc", "192.168.0.200/24"));
    // Past its lifetime it is still there: the helper renews it.
    std::this_thread::sleep_for(std::chrono::seconds(6));
    EXPECT_TRUE(Has("pc", "192.168.0.200/24"));

    kill(helperPid, SIGKILL);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    bool gone = false;
    for (int i = 0; i < 60 && !gone; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        gone = !Has("pc", "192.168.0.200/24");
    }
    EXPECT_TRUE(gone);
}

}  // namespace
}  // namespace orvanta::localnet
