// orvanta2-cli save, wps and server-list: writing to a camera and listing a registration
// server's cameras.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "camera/ServerListing.h"
#include "camera/SettingsFields.h"
#include "camera/SettingsWrite.h"
#include "camera/Wps.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"

namespace orvanta::cli {
namespace {

using camera::CameraSettings;

int Problem(const char* command, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", command, what.c_str());
    return 2;
}

int ReadFailed(const char* command, int code) {
    std::fprintf(stderr, "%s failed: read %d (%s)\n", command, code, camera::ResultName(code));
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
    const char* kUsage =
        "usage: orvanta2-cli save HOST[:PORT] [--user U --password P] [--wps] FIELD=VALUE...";
    std::string target, error;
    Credentials credentials;
    bool wps = false;
    std::vector<std::pair<const camera::SettingsField*, std::string>> assignments;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (TakeCredentialOption(argc, argv, i, credentials, error)) {
            if (!error.empty()) return Problem("save", error);
        } else if (arg == "--wps") {
            wps = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Problem("save", kUsage);
        } else if (target.empty()) {
            target = arg;
        } else {
            assignments.emplace_back();
            if (!ParseAssignment(arg, assignments.back(), error)) return Problem("save", error);
        }
    }
    std::string host, port;
    if (target.empty() || !ParseCameraTarget(target, host, port)) return Problem("save", kUsage);

    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    camera::SettingsReadResult read;
    int code = SelectAndRead(settings, credentials, {}, read);
    if (code != camera::CAM_OK || !read.succeeded) return ReadFailed("save", code);

    for (const auto& [field, value] : assignments)
        camera::SetFieldFromText(settings, *field, value, error);
    if (const char* unsafe = camera::FindUnsafeValue(settings, wps))
        return Problem("save", std::string("refused: ") + unsafe +
                                   " holds a character that would break the request");

    code = camera::RunSave(settings, wps, [wps](camera::SaveStep step, int result) {
        std::printf("%-28s %d (%s)\n", camera::SaveStepName(step, wps), result,
                    camera::ResultName(result));
    });
    if (code != camera::CAM_OK) {
        std::fprintf(stderr, "save failed: %d (%s)\n", code, camera::ResultName(code));
        return 1;
    }
    return 0;
}

int RunWpsCommand(int argc, char** argv) {
    const char* kUsage =
        "usage: orvanta2-cli wps HOST[:PORT] [--user U --password P] [--interval S] "
        "[--timeout S]";
    std::string target, error;
    Credentials credentials;
    double interval = 5, timeout = 150;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (TakeCredentialOption(argc, argv, i, credentials, error)) {
            if (!error.empty()) return Problem("wps", error);
        } else if ((arg == "--interval" || arg == "--timeout") && i + 1 < argc) {
            double value = std::atof(argv[++i]);
            if (!(value > 0 && value <= 3600)) return Problem("wps", arg + " takes seconds");
            (arg == "--interval" ? interval : timeout) = value;
        } else if (target.empty() && !arg.empty() && arg[0] != '-') {
            target = arg;
        } else {
            return Problem("wps", kUsage);
        }
    }
    std::string host, port;
    if (target.empty() || !ParseCameraTarget(target, host, port)) return Problem("wps", kUsage);

    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    // Learns whether it wants credentials.
    int code = camera::SelectCamera(settings, GivenCredentials(credentials)).code;
    if (code != camera::CAM_OK) return ReadFailed("wps", code);

    code = camera::RunWps(settings, host.c_str(), port.c_str(), camera::kWpsStart, 0);
    if (code != camera::CAM_OK) {
        std::fprintf(stderr, "wps failed: start %d (%s)\n", code, camera::ResultName(code));
        return 1;
    }
    std::printf("started; press the router's WPS button\n");
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration<double>(timeout);
    int restarts = 0;
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::duration<double>(interval));
        code = camera::RunWps(settings, host.c_str(), port.c_str(), camera::kWpsStatus, 3);
        if (code != camera::CAM_OK) {
            std::printf("status: %d (%s)\n", code, camera::ResultName(code));
            continue;  // a failed query leaves the state as it was; the run goes on
        }
        if (settings.WPS == 0 && settings.WPS_ACK == 1) {
            std::printf("status: connected\n");
            return 0;
        }
        if (settings.WPS == 1) {
            std::printf("status: in progress\n");
        } else {
            std::printf("status: no run in progress\n");
            // The camera may have missed the start: ask again, a few times at most.
            if (restarts++ < 3)
                camera::RunWps(settings, host.c_str(), port.c_str(), camera::kWpsStart, 0);
        }
    }
    std::fprintf(stderr, "wps failed: no connection within %.0f s\n", timeout);
    return 1;
}

int RunServerListCommand(int argc, char** argv) {
    const char* kUsage =
        "usage: orvanta2-cli server-list --server HOST[:PORT] --id ID --password P "
        "[--user-login] [--json]";
    std::string server = camera::kDefaultRegistrationServer, id, password;
    bool userLogin = false, json = false, haveId = false, havePassword = false;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--user-login") {
            userLogin = true;
        } else if (arg == "--server" && i + 1 < argc) {
            server = argv[++i];
        } else if (arg == "--id" && i + 1 < argc) {
            id = argv[++i];
            haveId = true;
        } else if (arg == "--password" && i + 1 < argc) {
            password = argv[++i];
            havePassword = true;
        } else {
            return Problem("server-list", kUsage);
        }
    }
    std::string host, port;
    if (!haveId || !havePassword || !ParseCameraTarget(server, host, port))
        return Problem("server-list", kUsage);
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
        std::fprintf(stderr, "server-list failed: %d (%s)\n", failure, camera::ResultName(failure));
        return 1;
    }
    if (json) {
        std::printf("[");
        for (size_t i = 0; i < list->size(); ++i) {
            const camera::ServerCamera& c = (*list)[i];
            std::printf(
                "%s\n  {\"ID\": %s, \"IP\": %s, \"Port\": %s, \"Mac_address\": %s, "
                "\"Modelname\": %s}",
                i ? "," : "", JsonString(c.id).c_str(), JsonString(c.address).c_str(),
                JsonString(c.port).c_str(), JsonString(c.mac).c_str(),
                JsonString(c.modelName).c_str());
        }
        std::printf("%s]\n", list->empty() ? "" : "\n");
    } else {
        std::printf("%-20s  %-15s  %5s  %-17s  %s\n", "ID", "IP", "PORT", "MAC", "MODEL");
        for (const camera::ServerCamera& c : *list)
            std::printf("%-20s  %-15s  %5s  %-17s  %s\n", c.id, c.address, c.port, c.mac,
                        c.modelName);
    }
    return 0;
}

}  // namespace orvanta::cli
