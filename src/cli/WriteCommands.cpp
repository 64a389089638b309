// orvanta2-cli save, wps and server-list: writing to a camera and listing a registration
// server's cameras.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "camera/ServerListing.h"
#include "camera/SettingsFields.h"
#include "camera/SettingsWrite.h"
#include "camera/Transport.h"
#include "camera/Wps.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Options.h"

namespace orvanta::cli {
namespace {

using camera::CameraSettings;

int Problem(const char* command, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", command, what.c_str());
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
    if (!camera::IsSafeQueryValue(value.c_str())) {
        error = std::string(field->name) + " holds a character that would break the request";
        return false;
    }
    CameraSettings scratch = camera::NewCameraSettings();
    if (!camera::SetFieldFromText(scratch, *field, value, error)) return false;
    out = {field, value};
    return true;
}

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
    for (size_t i = 0; i < texts.size(); ++i)
        if (!ParseAssignment(texts[i], assignments[i], error)) return Problem("save", error);

    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    camera::SettingsReadResult read;
    int code = SelectAndRead(settings, credentials, {}, read);
    if (code != camera::CAM_OK || !read.succeeded) return ReadFailed("save", code, &read);

    for (const auto& [field, value] : assignments)
        camera::SetFieldFromText(settings, *field, value, error);
    if (const char* unsafe = camera::FindUnsafeValue(settings, wps))
        return Problem("save", std::string("refused: ") + unsafe +
                                   " holds a character that would break the request");

    Json steps = Json::array();
    std::string failedStep;
    code = camera::RunSave(settings, wps, [&](camera::SaveStep step, int result) {
        const char* name = camera::SaveStepName(step, wps);
        std::string reason = result == camera::CAM_OK ? "" : DescribeResult(result);
        if (result != camera::CAM_OK) failedStep = std::string(name) + ": " + reason;
        if (json) {
            Json entry = {{"step", name}, {"result", result}, {"name", camera::ResultName(result)}};
            if (result != camera::CAM_OK)
                entry["reason"] = camera::ResultReason(result, camera::LastHttpStatus());
            steps.push_back(entry);
        } else if (result == camera::CAM_OK) {
            std::printf("%-28s %d (%s)\n", name, result, camera::ResultName(result));
        } else {
            std::printf("%-28s %s\n", name, reason.c_str());
        }
    });
    if (json) PrintJson({{"saved", code == camera::CAM_OK}, {"steps", steps}});
    if (code != camera::CAM_OK) {
        // The steps after the failing one were not sent.
        std::fprintf(stderr, "save failed: %s\n",
                     failedStep.empty() ? DescribeResult(code).c_str() : failedStep.c_str());
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
    auto finish = [json, &statuses](bool connected) {
        if (json) PrintJson({{"connected", connected}, {"statuses", statuses}});
        return connected ? 0 : 1;
    };

    // The time runs from the start: the run ends within --timeout plus the one request that
    // may be under way when it runs out.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeout);
    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    // Learns whether it wants credentials.
    int code = camera::SelectCamera(settings, GivenCredentials(credentials)).code;
    if (code != camera::CAM_OK) return ReadFailed("wps", code);

    code = camera::RunWps(settings, host.c_str(), port.c_str(), camera::kWpsStart, 0);
    if (code != camera::CAM_OK) {
        std::fprintf(stderr, "wps failed: start %s\n", DescribeResult(code).c_str());
        return 1;
    }
    if (!json) std::printf("started; press the router's WPS button\n");
    int restarts = 0;
    for (;;) {
        const std::chrono::duration<double> left = deadline - Clock::now();
        if (left.count() <= 0) break;
        std::this_thread::sleep_for(std::min(left, std::chrono::duration<double>(interval)));
        code = camera::RunWps(settings, host.c_str(), port.c_str(), camera::kWpsStatus, 3);
        if (code != camera::CAM_OK) {
            report(camera::ResultReason(code, camera::LastHttpStatus()).c_str());
            continue;  // a failed query leaves the state as it was; the run goes on
        }
        if (settings.WPS == 0 && settings.WPS_ACK == 1) {
            report("connected");
            return finish(true);
        }
        if (settings.WPS == 1) {
            report("in progress");
        } else {
            report("no run in progress");
            // The camera may have missed the start: ask again, a few times at most, while
            // there is time for it.
            if (restarts++ < 3 && Clock::now() < deadline)
                camera::RunWps(settings, host.c_str(), port.c_str(), camera::kWpsStart, 0);
        }
    }
    std::fprintf(stderr, "wps failed: no connection within %.0f s\n", timeout);
    return finish(false);
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
        return Problem("server-list", "ID and password take at most 32 characters");
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
        for (const camera::ServerCamera& c : *list)
            std::printf("%-20s  %-15s  %5s  %-17s  %s\n", c.id, c.address, c.port, c.mac,
                        c.modelName);
    }
    return 0;
}

}  // namespace orvanta::cli
