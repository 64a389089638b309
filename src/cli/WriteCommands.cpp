// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-cli save, wps and server-list: writing to a camera and listing a registration
// server's cameras.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "camera/commands/ServerListing.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/record/SettingsFields.h"
#include "camera/rules/FieldValues.h"
#include "camera/rules/WirelessKeys.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Options.h"
#include "cli/SaveReport.h"
#include "workflow/FindAgain.h"
#include "workflow/ReadCamera.h"
#include "workflow/Save.h"
#include "workflow/Wps.h"

namespace orvanta::cli {
namespace {

using camera::CameraSettings;

int Problem(const char* command, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", command, TerminalText(what).c_str());
    return 2;
}

int ReadFailed(const char* command, int code, const camera::SettingsReadResult* read = nullptr) {
    std::string what = code == camera::CAM_OK && read
                           ? "access-point scan " + DescribeResult(read->scanError)
                           : DescribeResult(code);
    std::fprintf(stderr, "%s failed: read %s; nothing was written\n", command, what.c_str());
    return 1;
}

// FIELD=VALUE, checked against the record before anything is sent.
bool ParseAssignment(const std::string& text,
                     std::pair<const camera::SettingsField*, std::string>& out,
                     std::string& error) {
    size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
        error = "expected FIELD=VALUE: " + text;
        return false;
    }
    const camera::SettingsField* field = camera::FindCameraField(text.substr(0, eq));
    if (!field || !field->written) {
        error = "not a field the save writes: " + text.substr(0, eq);
        return false;
    }
    std::string value = text.substr(eq + 1);
    CameraSettings scratch = camera::NewCameraSettings();
    if (!camera::SetFieldFromText(scratch, *field, value, error)) return false;
    out = {field, value};
    return true;
}

using Clock = std::chrono::steady_clock;

// A camera is read once a second while it is waited for after a save.
constexpr auto kPace = std::chrono::seconds(1);
// A camera that answers throughout this long took its network without a restart.
constexpr auto kSteadyAnswer = std::chrono::seconds(10);

struct SaveLine {
    std::string host, port;
    Credentials credentials;
    bool wps = false, json = false, noVerify = false;
    double refindSeconds = 120;
};

// Whether the camera `aimed` at answers its system page at all: a refusal or silence is not
// an answer, a refused password is.
bool Answers(const CameraSettings& aimed) {
    const std::string host(camera::FieldText(aimed.cameraAddressText));
    const std::string port(camera::FieldText(aimed.cameraPortText));
    const camera::ReportPage page = camera::StepReport(camera::SaveStep::System);
    char answer[camera::kAnswerCapacity];
    const int code = camera::ReadReportAnswer(aimed, host.c_str(), port.c_str(), page.page,
                                              page.sub, answer, sizeof answer);
    return code != camera::CAM_ERR_CONNECT && code != camera::CAM_ERR_REFUSED &&
           code != camera::CAM_ERR_NO_ANSWER && code != camera::CAM_ERR_SEND;
}

// Waits up to `seconds` for the camera at the address `aimed` gives after its network was
// written. Until it restarts it may still answer there with its old settings when that is
// where it was saved (`moved` false): an answer counts once it was seen gone, or after
// kSteadyAnswer of answering throughout.
bool WaitForCamera(const CameraSettings& aimed, bool moved, double seconds) {
    const auto start = Clock::now();
    const auto deadline =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    bool seenGone = moved;
    // One read a second at most, so bounded in count as in time.
    for (int i = 0, most = static_cast<int>(seconds) + 2; i < most && Clock::now() < deadline;
         ++i) {
        const auto asked = Clock::now();
        const bool answers = Answers(aimed);
        if (answers && (seenGone || asked - start >= kSteadyAnswer)) return true;
        seenGone = seenGone || !answers;
        std::this_thread::sleep_until(std::min(asked + kPace, deadline));
    }
    return false;
}

// Whether the save leaves the camera's wired address and HTTP port as the camera reported
// them: then it stays where it was reached, which may be through a router's port forward.
bool StaysWhereReached(const CameraSettings& read, const CameraSettings& saved) {
    return read.IPType == saved.IPType && read.HttpPort == saved.HttpPort &&
           camera::FieldText(read.IPAddr) == camera::FieldText(saved.IPAddr);
}

// The network page read back where the save left the camera, once it answers there. A write
// whose answer left it open and that cannot be read back is not taken.
void VerifySavedNetwork(const CameraSettings& settings, bool stays, const SaveLine& line,
                        SaveReport& report, workflow::SaveOutcome& outcome) {
    CameraSettings aimed = settings;
    if (!stays) {
        const discovery::CameraRow at = workflow::AddressAfterSave(settings);
        AimAt(aimed, at.ip, at.port);
    }
    const std::string where = std::string(camera::FieldText(aimed.cameraAddressText)) + ":" +
                              std::string(camera::FieldText(aimed.cameraPortText));
    if (!stays && workflow::ExpectAfterSave(settings, 0).addresses.empty()) {
        report.NotReadBack(camera::SaveStep::Network,
                           "the camera takes its address by DHCP or PPPoE: its new one is unknown");
    } else {
        CommandReach reach("save", aimed);  // the new address may be in another subnet
        if (!line.json)
            std::printf("waiting for the camera at %s (at most %.0f s)\n",
                        TerminalText(where).c_str(), line.refindSeconds);
        // A host name may name the new address too: only two addresses tell a move.
        const bool moved =
            settings.cameraAddress != 0 &&
            (aimed.cameraAddress != settings.cameraAddress ||
             camera::FieldText(aimed.cameraPortText) != camera::FieldText(settings.cameraPortText));
        if (WaitForCamera(aimed, moved, line.refindSeconds)) {
            report.OnCheck(workflow::VerifyNetwork(aimed, line.wps, outcome));
            return;
        }
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.0f s", line.refindSeconds);
        report.NotReadBack(camera::SaveStep::Network,
                           "no answer at " + where + " within " + seconds);
    }
    workflow::NetworkNotReadBack(outcome);
}

// The save of the read `settings`, its pages read back unless --no-verify, its outcome told;
// the exit status.
int SaveAndTell(CameraSettings& settings, bool stays, const SaveLine& line,
                const CommandReach& reach) {
    SaveReport report(line.wps, !line.noVerify,
                      [json = line.json](const std::string& what, const std::string& text) {
                          if (!json) std::printf("%-28s %s\n", what.c_str(), text.c_str());
                      });
    auto retry = [&line](std::string& user, std::string& password) {
        if (!line.credentials.given) return false;
        std::fprintf(stderr, "save: the camera wants credentials for its writes; saving again\n");
        return GivenCredentials(line.credentials)(user, password);
    };
    workflow::SaveOutcome outcome =
        workflow::SaveCamera(settings, line.wps, !line.noVerify, retry, report.Hooks());
    if (outcome.Succeeded() && !line.noVerify)
        VerifySavedNetwork(settings, stays, line, report, outcome);
    if (line.json) {
        Json out = {{"saved", outcome.Succeeded()},
                    {"kept", outcome.AllKept()},
                    {"steps", report.Steps()},
                    {"verified", report.Verified()},
                    {"taken", report.Pages(outcome, true)},
                    {"notTaken", report.Pages(outcome, false)}};
        if (!reach.TemporaryAddress().empty()) out["temporaryAddress"] = reach.TemporaryAddress();
        PrintJson(out);
    }
    if (!outcome.Succeeded()) {
        // The steps after the failing one were not sent.
        std::fprintf(stderr, "save failed: %s\nsave: %s\n", report.Failure(outcome).c_str(),
                     report.TakenText(outcome).c_str());
        return 1;
    }
    if (!outcome.AllKept()) {
        std::fprintf(stderr, "save: the camera did not keep %s\n",
                     NotKeptText(outcome.checks).c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int RunSaveCommand(int argc, char** argv) {
    SaveLine line;
    std::string error;
    std::vector<std::string> texts;
    Command command("save", "Read a camera, set the named fields, save and print each step.");
    AddCameraTarget(command, line.host, line.port);
    AddCredentials(command, line.credentials);
    command.add_flag("--wps", line.wps, "the save of a camera joined by WPS");
    command.add_flag("--json", line.json, "print the steps as JSON");
    command.add_flag("--no-verify", line.noVerify,
                     "do not read the written pages back (for a camera known to hide values, "
                     "such as one that reports keys as blanks)");
    command
        .add_option("--refind-seconds", line.refindSeconds,
                    "how long to wait for the camera at its new address (default 120)")
        ->check(CLI::Range(0.001, 3600.0));
    command.add_option("FIELD=VALUE", texts, "the fields to set, by their wire names")->required();
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    std::vector<std::pair<const camera::SettingsField*, std::string>> assignments(texts.size());
    camera::GivenPorts ports;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (!ParseAssignment(texts[i], assignments[i], error)) return Problem("save", error);
        ports.Take(*assignments[i].first, assignments[i].second);
    }
    if (std::string clash = ports.Problem(); !clash.empty()) return Problem("save", clash);

    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, line.host, line.port);
    CommandReach reach("save", settings);
    camera::SettingsReadResult read;
    int code = workflow::SelectAndRead(settings, GivenCredentials(line.credentials), {}, read);
    if (code != camera::CAM_OK || !read.succeeded) return ReadFailed("save", code, &read);

    const CameraSettings reported = settings;
    for (const auto& [field, value] : assignments)
        camera::SetFieldFromText(settings, *field, value, error);
    if (const char* unsafe = camera::FindUnsafeValue(settings, line.wps))
        return Problem("save", std::string("refused: ") + unsafe +
                                   " holds a character that would break the request");
    std::string refused = camera::CameraAddressProblem(settings, reported);
    if (refused.empty()) refused = camera::WirelessKeyProblem(settings, reported);
    if (!refused.empty()) return Problem("save", "refused: " + refused + "; nothing was written");
    // With the camera's own ports the set must still hold three different ones.
    if (std::string clash = ports.ProblemWith(settings); !clash.empty())
        return Problem("save", clash + " (with the camera's own); nothing was written");
    return SaveAndTell(settings, StaysWhereReached(reported, settings), line, reach);
}

int RunWpsCommand(int argc, char** argv) {
    std::string host, port;
    Credentials credentials;
    double interval = 5, timeout = 150;
    bool json = false;
    Command command("wps", "Start push-button WPS on a camera and follow it until it ends.");
    AddCameraTarget(command, host, port);
    AddCredentials(command, credentials);
    command.add_option("--interval", interval, "seconds between status queries (default 5)")
        ->check(CLI::Range(0.001, 3600.0));
    command.add_option("--timeout", timeout, "seconds until it gives up (default 150)")
        ->check(CLI::Range(0.001, 3600.0));
    command.add_flag("--json", json, "print the status queries and the outcome as JSON");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    Json statuses = Json::array();
    // A line of progress, or a JSON entry printed with the outcome.
    auto report = [json, &statuses](const char* status) {
        if (json)
            statuses.push_back(status);
        else
            std::printf("status: %s\n", status);
    };
    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    CommandReach reach("wps", settings);
    auto finish = [json, &statuses, &reach](bool connected) {
        Json out = {{"connected", connected}, {"statuses", statuses}};
        if (!reach.TemporaryAddress().empty()) out["temporaryAddress"] = reach.TemporaryAddress();
        if (json) PrintJson(out);
        return connected ? 0 : 1;
    };
    // Learns whether it wants credentials.
    int code = camera::SelectCamera(settings, GivenCredentials(credentials)).code;
    if (code != camera::CAM_OK) return ReadFailed("wps", code);

    // The time runs from the start: the run ends within --timeout plus the one request that
    // may be under way when it runs out.
    workflow::WpsFollow follow;
    follow.intervalSeconds = interval;
    follow.timeoutSeconds = timeout;
    follow.onQuery = [&report](int result, workflow::WpsState state) {
        if (result != camera::CAM_OK)
            report(camera::ResultReason(result, camera::LastHttpStatus()).c_str());
        else
            report(state == workflow::WpsState::Connected ? "connected"
                   : state == workflow::WpsState::Running ? "in progress"
                                                          : "no run in progress");
    };
    if (!json) follow.onStarted = [] { std::printf("started; press the router's WPS button\n"); };
    bool connected = false;
    code = workflow::RunWpsToEnd(settings, follow, connected);
    if (code != camera::CAM_OK) {
        std::fprintf(stderr, "wps failed: start %s\n", DescribeResult(code).c_str());
        return 1;
    }
    if (!connected) std::fprintf(stderr, "wps failed: no connection within %.0f s\n", timeout);
    return finish(connected);
}

int RunServerListCommand(int argc, char** argv) {
    std::string server = camera::kDefaultRegistrationServer, id, password;
    bool userLogin = false, json = false;
    Command command("server-list", "List the cameras registered on a registration server.");
    command.add_option("--server", server, "the registration server, HOST[:PORT]")
        ->check(CLI::Validator([](std::string& text) { return CameraTargetProblem(text); }, ""));
    command.add_option("--id", id, "the account's ID")->required();
    command.add_option("--password", password, "the account's password")->required();
    command.add_flag("--user-login", userLogin, "a user login instead of a device login");
    command.add_flag("--json", json, "print JSON");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    std::string host, port;
    ParseCameraTarget(server, host, port);
    if (id.size() > 32 || password.size() > 32)
        return Problem("server-list", "ID and password take at most 32 bytes");
    if (!camera::IsSafeQueryValue(id.c_str()) || !camera::IsSafeQueryValue(password.c_str()))
        return Problem("server-list",
                       "ID or password holds a character that would break the request");

    camera::ServerLogin login{};
    std::snprintf(login.id, sizeof login.id, "%s", id.c_str());
    std::snprintf(login.password, sizeof login.password, "%s", password.c_str());
    int count = 0;
    int failure = camera::CAM_OK;
    auto list = camera::ListServerCameras(
        login, count, host.c_str(), port.c_str(), 1,
        userLogin ? camera::kUserLoginPage : camera::kDeviceLoginPage, &failure);
    if (!list) {
        std::fprintf(stderr, "server-list failed: %s\n", DescribeResult(failure).c_str());
        return 1;
    }
    if (json) {
        Json out = Json::array();
        for (const camera::ServerCamera& c : *list) {
            out.push_back({{"ID", Utf8Text(camera::FieldText(c.id))},
                           {"IP", Utf8Text(camera::FieldText(c.address))},
                           {"Port", Utf8Text(camera::FieldText(c.port))},
                           {"Mac_address", Utf8Text(camera::FieldText(c.mac))},
                           {"Modelname", Utf8Text(camera::FieldText(c.modelName))}});
        }
        PrintJson(out);
    } else {
        std::printf("%-20s  %-15s  %5s  %-17s  %s\n", "ID", "IP", "PORT", "MAC", "MODEL");
        auto text = [](const auto& field) { return TerminalText(camera::FieldText(field)); };
        for (const camera::ServerCamera& c : *list)
            std::printf("%-20s  %-15s  %5s  %-17s  %s\n", text(c.id).c_str(),
                        text(c.address).c_str(), text(c.port).c_str(), text(c.mac).c_str(),
                        text(c.modelName).c_str());
    }
    return 0;
}

}  // namespace orvanta::cli
