// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "cli/CameraOutput.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Options.h"
#include "discovery/CPLipf.h"
#include "discovery/DiscoveryLog.h"
#include "platform/AddressText.h"

namespace orvanta::cli {
namespace {

using discovery::CPLipf;
using discovery::FoundCamera;

constexpr int kPollIntervalMs = 50;

struct CameraFields {
    std::string mac, ip, description, interfaceName, serial;
    int32_t port, streamPort;
};

CameraFields Describe(const FoundCamera& camera) {
    const uint8_t* p = camera.payload;
    discovery::ReplyTexts texts = discovery::SplitTextArea(p);
    return {platform::MacText(p + discovery::kPayloadMac),
            platform::DottedAddress(p + discovery::kPayloadIp),
            texts.description,
            texts.interfaceName,
            texts.serial,
            discovery::PayloadInt(p, discovery::kPayloadHttpPort),
            discovery::PayloadInt(p, discovery::kPayloadStreamPort)};
}

void PrintCamerasJson(const CPLipf& engine) {
    Json list = Json::array();
    for (const FoundCamera& camera : engine.Cameras()) {
        CameraFields f = Describe(camera);
        list.push_back({{"mac", f.mac},
                        {"ip", f.ip},
                        {"port", f.port},
                        {"description", Utf8Text(f.description)},
                        {"interface", Utf8Text(f.interfaceName)},
                        {"serial", Utf8Text(f.serial)},
                        {"stream_port", f.streamPort}});
    }
    PrintJson(list);
}

void PrintText(const CPLipf& engine) {
    std::printf("%-17s  %-15s  %5s  %-32s  %-20s  %s\n", "MAC", "IP", "PORT", "DESC / INTERFACE",
                "SERIAL", "SPORT");
    for (const FoundCamera& camera : engine.Cameras()) {
        CameraFields f = Describe(camera);
        std::string descInterface = TerminalText(f.description + "/" + f.interfaceName);
        std::printf("%-17s  %-15s  %5d  %-32s  %-20s  %d\n", f.mac.c_str(), f.ip.c_str(), f.port,
                    descInterface.c_str(), TerminalText(f.serial).c_str(), f.streamPort);
    }
}

}  // namespace

int RunDiscover(int argc, char** argv) {
    double seconds = 3;
    bool json = false;
    bool verbose = false;
    Command command("discover", "List the cameras that answer on the local network.");
    command.add_option("--seconds", seconds, "how long to listen (default 3)")
        ->check(CLI::Range(0.001, 3600.0));
    command.add_flag("--json", json, "print JSON");
    command.add_flag("--verbose", verbose, "the engine's diagnostics on stderr");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    // The engine's diagnostics would mix with the listing on stdout.
    discovery::SetDiscoveryLog(verbose ? stderr : nullptr);

    CPLipf engine;
    auto deadline = std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
    discovery::CameraRow* rows = nullptr;
    int count = 0, capacity = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        engine.Query(&rows, &count, &capacity, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollIntervalMs));
    }
    engine.Query(&rows, &count, &capacity, 0);
    if (engine.NoNetwork()) std::fprintf(stderr, "discover: the PC has no network address\n");

    if (json)
        PrintCamerasJson(engine);
    else
        PrintText(engine);
    return 0;
}

}  // namespace orvanta::cli
