// netinfo, probe and free-addresses: the PC's own network from the command line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/Commands.h"
#include "cli/Json.h"
#include "discovery/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/NetworkFactory.h"

namespace orvanta::cli {
namespace {

// 0.0.0.0 is refused too: no probe or search can start from it.
bool ParseAddress(const char* command, const char* text, uint32_t* out) {
    *out = platform::ParseDottedAddressOr(text, 0);
    if (*out == 0) {
        std::fprintf(stderr, "%s: '%s' is not an IPv4 address\n", command, text);
        return false;
    }
    return true;
}

// The source of a probe when none is given: the PC's address on its active adapter.
bool DefaultSource(const char* command, platform::NetworkPlatform& net, uint32_t* out) {
    camera::CameraSettings settings = camera::NewCameraSettings();
    discovery::SurveyPcNetwork(settings, net);
    *out = platform::ParseDottedAddressOr(camera::FieldText(settings.pcAddressText), 0);
    if (*out == 0) {
        std::fprintf(stderr, "%s: the PC has no address on an active adapter; use --from\n",
                     command);
        return false;
    }
    return true;
}

}  // namespace

int RunNetinfo(int argc, char** argv) {
    bool json = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else {
            std::fprintf(stderr, "usage: orvanta2-cli netinfo [--json]\n");
            return 2;
        }
    }
    auto netPlatform = platform::OpenNetwork();
    platform::NetworkPlatform& net = *netPlatform;
    camera::CameraSettings s = camera::NewCameraSettings();
    discovery::SurveyPcNetwork(s, net);
    if (json) {
        std::printf(
            "{\"pcAddressText\": %s, \"pcNetmaskText\": %s, \"pcGatewayText\": %s, "
            "\"pcDnsText\": %s, \"pcInterfaceIndex\": %u, \"pcHasDialUp\": %d, "
            "\"pcHasLan\": %d, \"pcHasWireless\": %d, \"pcUsesDhcp\": %d, "
            "\"PhonebookUser\": %s}\n",
            JsonString(s.pcAddressText).c_str(), JsonString(s.pcNetmaskText).c_str(),
            JsonString(s.pcGatewayText).c_str(), JsonString(s.pcDnsText).c_str(),
            s.pcInterfaceIndex, s.pcHasDialUp, s.pcHasLan, s.pcHasWireless, s.pcUsesDhcp,
            JsonString(s.PhonebookUser).c_str());
        return 0;
    }
    std::printf("pcAddressText     %s\n", s.pcAddressText);
    std::printf("pcNetmaskText     %s\n", s.pcNetmaskText);
    std::printf("pcGatewayText     %s\n", s.pcGatewayText);
    std::printf("pcDnsText         %s\n", s.pcDnsText);
    std::printf("pcInterfaceIndex  %u\n", s.pcInterfaceIndex);
    std::printf("pcHasDialUp       %d\n", s.pcHasDialUp);
    std::printf("pcHasLan          %d\n", s.pcHasLan);
    std::printf("pcHasWireless     %d\n", s.pcHasWireless);
    std::printf("pcUsesDhcp        %d\n", s.pcUsesDhcp);
    std::printf("PhonebookUser     %s\n", s.PhonebookUser);
    return 0;
}

int RunProbe(int argc, char** argv) {
    const char* usage = "usage: orvanta2-cli probe TARGET [--from SOURCE]\n";
    const char* targetText = nullptr;
    const char* sourceText = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--from") == 0 && i + 1 < argc) {
            sourceText = argv[++i];
        } else if (argv[i][0] != '-' && targetText == nullptr) {
            targetText = argv[i];
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (targetText == nullptr) {
        std::fputs(usage, stderr);
        return 2;
    }
    uint32_t target = 0, source = 0;
    if (!ParseAddress("probe", targetText, &target)) return 2;
    if (sourceText && !ParseAddress("probe", sourceText, &source)) return 2;
    auto netPlatform = platform::OpenNetwork();
    platform::NetworkPlatform& net = *netPlatform;
    if (!sourceText && !DefaultSource("probe", net, &source)) return 1;
    switch (discovery::ProbeAddress(net, target, source)) {
        case discovery::ProbeResult::InUse:
            std::printf("in use\n");
            return 0;
        case discovery::ProbeResult::Free:
            std::printf("free\n");
            return 0;
        case discovery::ProbeResult::Failed:
            break;
    }
    std::fprintf(stderr, "probe: no ARP request could be sent\n");
    return 1;
}

int RunFreeAddresses(int argc, char** argv) {
    const char* usage = "usage: orvanta2-cli free-addresses [--from ADDRESS] [--count N]\n";
    const char* fromText = nullptr;
    int count = 2;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--from") == 0 && i + 1 < argc) {
            fromText = argv[++i];
        } else if (std::strcmp(argv[i], "--count") == 0 && i + 1 < argc) {
            char* end = nullptr;
            long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 1 || n > 256) {
                std::fprintf(stderr, "free-addresses: --count takes a number from 1 to 256\n");
                return 2;
            }
            count = static_cast<int>(n);
        } else {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    uint32_t from = 0;
    if (fromText && !ParseAddress("free-addresses", fromText, &from)) return 2;
    auto netPlatform = platform::OpenNetwork();
    platform::NetworkPlatform& net = *netPlatform;
    if (!fromText && !DefaultSource("free-addresses", net, &from)) return 1;
    std::vector<uint32_t> free = discovery::FindFreeAddresses(net, from, from, count);
    for (uint32_t a : free) std::printf("%s\n", platform::DottedAddress(a).c_str());
    if (static_cast<int>(free.size()) < count) {
        std::fprintf(stderr, "free-addresses: found %zu of %d\n", free.size(), count);
        return 1;
    }
    return 0;
}

}  // namespace orvanta::cli
