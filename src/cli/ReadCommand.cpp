// orvanta2-cli read: what the wizard does when a camera is picked, without the pages: the
// system read (with the credentials when the camera asks for them), then the settings read.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "camera/RequestFraming.h"
#include "camera/SettingsFields.h"
#include "camera/SettingsRead.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "discovery/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/NetworkFactory.h"

namespace orvanta::cli {
namespace {

using camera::CameraSettings;

// The field as JSON (`json`) or as plain text.
std::string Value(const CameraSettings& s, const camera::SettingsField& f, bool json) {
    std::string text = camera::FieldValueText(s, f);
    return json && f.type == camera::FieldType::kText ? JsonString(text) : text;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: orvanta2-cli read HOST[:PORT] [--user U] [--password P] [--json]\n"
                 "                         [--free-addresses]\n");
    return 2;
}

int Failed(int code) {
    std::fprintf(stderr, "read failed: %d (%s)\n", code, camera::ResultName(code));
    return 1;
}

}  // namespace

int RunRead(int argc, char** argv) {
    std::string target, error;
    Credentials credentials;
    bool json = false, freeAddresses = false;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (TakeCredentialOption(argc, argv, i, credentials, error)) {
            if (!error.empty()) {
                std::fprintf(stderr, "read: %s\n", error.c_str());
                return 2;
            }
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--free-addresses") {
            freeAddresses = true;
        } else if (target.empty() && !arg.empty() && arg[0] != '-') {
            target = arg;
        } else {
            return Usage();
        }
    }
    std::string host, port;
    if (target.empty() || !ParseCameraTarget(target, host, port)) return Usage();

    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);

    // The free-address search of the read needs the PC's address, as the wizard's start-up
    // survey leaves it.
    auto netPlatform = platform::OpenNetwork();
    platform::NetworkPlatform& net = *netPlatform;
    camera::FreeAddressFinder findFree;
    if (freeAddresses) {
        discovery::SurveyPcNetwork(settings, net);
        findFree = discovery::FreeAddressFinderFor(net);
    }
    camera::SettingsReadResult result;
    int code = SelectAndRead(settings, credentials, findFree, result);
    if (!result.succeeded) {
        if (code == camera::CAM_OK)
            std::fprintf(stderr, "read: the camera gave no access-point report\n");
        return Failed(code);
    }

    if (json) {
        std::printf("{");
        const char* separator = "";
        for (const camera::SettingsField& f : camera::CameraFields()) {
            std::printf("%s\"%s\": %s", separator, f.name, Value(settings, f, true).c_str());
            separator = ", ";
        }
        std::printf(", \"accessPoints\": %s", AccessPointsJson(result.accessPoints).c_str());
        if (freeAddresses) {
            std::printf(", \"freeAddresses\": [");
            for (size_t i = 0; i < result.freeAddresses.size(); ++i)
                std::printf("%s\"%s\"", i ? ", " : "",
                            platform::DottedAddress(result.freeAddresses[i]).c_str());
            std::printf("]");
        }
        std::printf("}\n");
    } else {
        for (const camera::SettingsField& f : camera::CameraFields())
            std::printf("%-12s %s\n", f.name, Value(settings, f, false).c_str());
        if (freeAddresses) {
            std::printf("%-12s", "freeAddresses");
            for (uint32_t a : result.freeAddresses)
                std::printf(" %s", platform::DottedAddress(a).c_str());
            std::printf("\n");
        }
        if (!result.accessPoints.empty()) {
            std::printf("\n");
            PrintAccessPoints(result.accessPoints);
        }
    }
    return 0;
}

}  // namespace orvanta::cli
