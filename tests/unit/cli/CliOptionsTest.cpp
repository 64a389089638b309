// SPDX-License-Identifier: GPL-3.0-or-later
// The tool's command lines: help, and wrong lines refused with exit code 2 before anything
// reaches the network.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Options.h"

namespace orvanta::cli {
namespace {

int Invoke(int (*command)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return command(static_cast<int>(argv.size()), argv.data());
}

TEST(CliOptions, HelpForEachCommandAndWrongLinesGiveTwo) {
    for (auto* command : {RunDiscover, RunRead, RunApScan, RunNetinfo, RunProbe, RunFreeAddresses,
                          RunSaveCommand, RunWpsCommand, RunServerListCommand, RunApply})
        EXPECT_EQ(Invoke(command, {"--help"}), 0);
    EXPECT_EQ(Invoke(RunRead, {}), 2);                           // no camera
    EXPECT_EQ(Invoke(RunRead, {"192.168.0.98", "--bogus"}), 2);  // unknown option
    EXPECT_EQ(Invoke(RunRead, {"192.168.0.98", "--user", std::string(64, 'u')}), 2);
    EXPECT_EQ(Invoke(RunSaveCommand, {"192.168.0.98"}), 2);  // nothing to set
    EXPECT_EQ(Invoke(RunSaveCommand, {"192.168.0.98", "NoSuchField=1"}), 2);
    EXPECT_EQ(Invoke(RunSaveCommand, {"192.168.0.98", "TitleBar=a&b"}), 2);
    // The UPnP page's port rules: 81 is no HTTP port, and two services never share one.
    EXPECT_EQ(Invoke(RunSaveCommand, {"192.168.0.98", "HttpPort=81"}), 2);
    EXPECT_EQ(Invoke(RunSaveCommand, {"192.168.0.98", "HttpPort=8000", "SPort=8000"}), 2);
    EXPECT_EQ(Invoke(RunSaveCommand, {"192.168.0.98", "--refind-seconds", "0", "TitleBar=a"}), 2);
    EXPECT_EQ(Invoke(RunProbe, {"0.0.0.0"}), 2);
    EXPECT_EQ(Invoke(RunFreeAddresses, {"--count", "257"}), 2);
    EXPECT_EQ(Invoke(RunDiscover, {"--seconds", "x"}), 2);
    EXPECT_EQ(Invoke(RunWpsCommand, {"192.168.0.98", "--timeout", "0"}), 2);
    EXPECT_EQ(Invoke(RunServerListCommand, {"--id", "a"}), 2);  // no password
    EXPECT_EQ(Invoke(RunApply, {"/nonexistent.csv"}), 2);
}

TEST(CliOptions, ACameraTargetThatIsWrongSaysWhichPart) {
    EXPECT_EQ(CameraTargetProblem("192.168.0.98"), "");
    EXPECT_EQ(CameraTargetProblem("camera.lan:8080"), "");
    EXPECT_EQ(CameraTargetProblem(":80"), "the host before ':' is missing in ':80'");
    EXPECT_EQ(CameraTargetProblem("192.168.0.98:99999"),
              "the port '99999' is not a number from 1 to 65535");
    EXPECT_EQ(CameraTargetProblem("192.168.0.98:"), "the port '' is not a number from 1 to 65535");
    EXPECT_EQ(CameraTargetProblem(""), "the host is missing");
    EXPECT_EQ(CameraTargetProblem("cam era:80"),
              "the host 'cam era' is not a host name or an IPv4 address");
}

// The file is refused before it is parsed, let alone before any camera is looked for: each
// file below is also wrong in its first line, so a bound that gave way could not go on to
// discovery, and the message shows which check refused it.
TEST(CliOptions, ApplyReadsOnlyBoundedRegularFiles) {
    auto refusal = [](const std::string& path) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(Invoke(RunApply, {path}), 2) << path;
        return testing::internal::GetCapturedStderr();
    };
    EXPECT_EQ(refusal("/dev/zero"), "apply: /dev/zero is not a regular file\n");
    const std::string path = testing::TempDir() + "apply-bounds.csv";
    auto write = [&path](const std::string& text) {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    };
    write("bogus,TitleBar\n" + std::string(5 << 20, 'x'));
    EXPECT_EQ(refusal(path), "apply: " + path + " is larger than 4 MiB\n");
    std::string rows = "bogus,TitleBar\n";
    for (int i = 0; i <= 5000; ++i) rows += "SN" + std::to_string(i) + ",x\n";
    write(rows);
    EXPECT_EQ(refusal(path), "apply: more than 5000 cameras in one file\n");
    std::remove(path.c_str());
}

}  // namespace
}  // namespace orvanta::cli
