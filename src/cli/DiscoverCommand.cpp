#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "cli/Commands.h"
#include "cli/Json.h"
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

void PrintJson(const CPLipf& engine) {
    std::printf("[");
    const char* separator = "";
    for (const FoundCamera& camera : engine.Cameras()) {
        CameraFields f = Describe(camera);
        std::printf(
            "%s\n  {\"mac\": %s, \"ip\": %s, \"port\": %d, \"description\": %s, "
            "\"interface\": %s, \"serial\": %s, \"stream_port\": %d}",
            separator, JsonString(f.mac).c_str(), JsonString(f.ip).c_str(), f.port,
            JsonString(f.description).c_str(), JsonString(f.interfaceName).c_str(),
            JsonString(f.serial).c_str(), f.streamPort);
        separator = ",";
    }
    std::printf("%s]\n", engine.Cameras().empty() ? "" : "\n");
}

void PrintText(const CPLipf& engine) {
    std::printf("%-17s  %-15s  %5s  %-32s  %-20s  %s\n", "MAC", "IP", "PORT", "DESC / INTERFACE",
                "SERIAL", "SPORT");
    for (const FoundCamera& camera : engine.Cameras()) {
        CameraFields f = Describe(camera);
        std::string descInterface = f.description + "/" + f.interfaceName;
        std::printf("%-17s  %-15s  %5d  %-32s  %-20s  %d\n", f.mac.c_str(), f.ip.c_str(), f.port,
                    descInterface.c_str(), f.serial.c_str(), f.streamPort);
    }
}

}  // namespace

int RunDiscover(int argc, char** argv) {
    double seconds = 3;
    bool json = false;
    bool verbose = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (std::strcmp(argv[i], "--verbose") == 0) {
            verbose = true;
        } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            char* end = nullptr;
            seconds = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(seconds > 0 && seconds <= 3600)) {
                std::fprintf(stderr, "discover: --seconds takes a number from 0 to 3600\n");
                return 2;
            }
        } else {
            std::fprintf(stderr,
                         "usage: orvanta2-cli discover [--seconds N] [--json] [--verbose]\n");
            return 2;
        }
    }
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
        PrintJson(engine);
    else
        PrintText(engine);
    return 0;
}

}  // namespace orvanta::cli
