// orvanta2-cli save, wps and server-list: writing to a camera and listing a registration
// server's cameras.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "camera/commands/ServerListing.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/record/SettingsFields.h"
#include "camera/rules/FieldValues.h"
#include "camera/wire/Transport.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Options.h"
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

// The save's steps as lines or JSON entries.
class StepPrinter {
public:
    explicit StepPrinter(bool json) : json_(json) {}
    void operator()(camera::SaveStep step, int result, bool wps) {
        const char* name = camera::SaveStepName(step, wps);
        std::string reason = result == camera::CAM_OK ? "" : DescribeResult(result);
        if (result != camera::CAM_OK) failedStep_ = std::string(name) + ": " + reason;
        if (json_) {
            Json entry = {{"step", name}, {"result", result}, {"name", camera::ResultName(result)}};
            if (result != camera::CAM_OK)
                entry["reason"] = camera::ResultReason(result, camera::LastHttpStatus());
            steps_.push_back(entry);
        } else if (result == camera::CAM_OK) {
            std::printf("%-28s %d (%s)\n", name, result, camera::ResultName(result));
        } else {
            std::printf("%-28s %s\n", name, reason.c_str());
        }
    }
    const std::string& FailedStep() const { return failedStep_; }
    const Json& Steps() const { return steps_; }

private:
    bool json_;
    Json steps_ = Json::array();
    std::string failedStep_;
};

}  // namespace

int RunSaveCommand(int argc, char** argv) {
    std::string host, port, error;
    Credentials credentials;
    bool wps = false, json = false;
    std::vector<std::string> texts;
    Command command("save", "Read a camera, set the named fields, save and print each step.");
    AddCameraTarget(command, host, port);
    AddCredentials(command, credentials);
    command.add_flag("--wps", wps, "the save of a camera joined by WPS");
    command.add_flag("--json", json, "print the steps as JSON");
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
    AimAt(settings, host, port);
    CommandReach reach("save", settings);
    camera::SettingsReadResult read;
    int code = workflow::SelectAndRead(settings, GivenCredentials(credentials), {}, read);
    if (code != camera::CAM_OK || !read.succeeded) return ReadFailed("save", code, &read);

    for (const auto& [field, value] : assignments)
        camera::SetFieldFromText(settings, *field, value, error);
    if (const char* unsafe = camera::FindUnsafeValue(settings, wps))
        return Problem("save", std::string("refused: ") + unsafe +
                                   " holds a character that would break the request");
    // With the camera's own ports the set must still hold three different ones.
    if (std::string clash = ports.ProblemWith(settings); !clash.empty())
        return Problem("save", clash + " (with the camera's own); nothing was written");

    StepPrinter printer(json);
    auto retry = [&](std::string& user, std::string& password) {
        if (!credentials.given) return false;
        std::fprintf(stderr, "save: the camera wants credentials for its writes; saving again\n");
        return GivenCredentials(credentials)(user, password);
    };
    code = workflow::SaveCamera(
               settings, wps, true, retry,
               {.onStep = [&](camera::SaveStep step, int result) { printer(step, result, wps); }})
               .code;
    if (json) {
        Json out = {{"saved", code == camera::CAM_OK}, {"steps", printer.Steps()}};
        if (!reach.TemporaryAddress().empty()) out["temporaryAddress"] = reach.TemporaryAddress();
        PrintJson(out);
    }
    if (code != camera::CAM_OK) {
        // The steps after the failing one were not sent.
        std::fprintf(stderr, "save failed: %s\n",
                     printer.FailedStep().empty() ? DescribeResult(code).c_str()
                                                  : printer.FailedStep().c_str());
        return 1;
    }
    return 0;
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
