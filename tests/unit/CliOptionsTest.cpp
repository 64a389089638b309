// The tool's command lines: help, and wrong lines refused with exit code 2 before anything
// reaches the network.
#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace orvanta::cli
