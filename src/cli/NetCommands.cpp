// SPDX-License-Identifier: GPL-3.0-or-later
// netinfo, probe and free-addresses: the PC's own network from the command line.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Options.h"
#include "localnet/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/NetworkFactory.h"

namespace orvanta::cli {
namespace {

// The source of a probe when none is given: the PC's address on its active adapter.
bool DefaultSource(const char* command, platform::NetworkPlatform& net, uint32_t* out) {
    camera::CameraSettings settings = camera::NewCameraSettings();
    localnet::SurveyPcNetwork(settings, net);
    *out = settings.pcAddress;
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
    Command command("netinfo", "The PC's active adapter, its addresses and links.");
    command.add_flag("--json", json, "print JSON");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    auto netPlatform = platform::OpenNetwork();
    platform::NetworkPlatform& net = *netPlatform;
    camera::CameraSettings s = camera::NewCameraSettings();
    localnet::SurveyPcNetwork(s, net);
    if (json) {
        PrintJson({{"pcAddressText", Utf8Text(camera::FieldText(s.pcAddressText))},
                   {"pcNetmaskText", Utf8Text(camera::FieldText(s.pcNetmaskText))},
                   {"pcGatewayText", Utf8Text(camera::FieldText(s.pcGatewayText))},
                   {"pcDnsText", Utf8Text(camera::FieldText(s.pcDnsText))},
                   {"pcInterfaceIndex", s.pcInterfaceIndex},
                   {"pcHasDialUp", s.pcHasDialUp},
                   {"pcHasLan", s.pcHasLan},
                   {"pcHasWireless", s.pcHasWireless},
                   {"pcUsesDhcp", s.pcUsesDhcp},
                   {"PhonebookUser", Utf8Text(camera::FieldText(s.PhonebookUser))}});
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
    std::string targetText, sourceText;
    bool json = false;
    Command command("probe", "Ask by ARP whether a host holds an address.");
    command.add_option("TARGET", targetText, "the address asked for")
        ->required()
        ->check(Ipv4Address());
    command.add_option("--from", sourceText, "the PC's address to ask from (default: its own)")
        ->check(Ipv4Address());
    command.add_flag("--json", json, "print JSON");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    const uint32_t target = platform::ParseDottedAddressOr(targetText, 0);
    uint32_t source = platform::ParseDottedAddressOr(sourceText, 0);
    auto netPlatform = platform::OpenNetwork();
    platform::NetworkPlatform& net = *netPlatform;
    if (sourceText.empty() && !DefaultSource("probe", net, &source)) return 1;
    const localnet::ProbeResult result = localnet::ProbeAddress(net, target, source);
    if (result == localnet::ProbeResult::Failed) {
        std::fprintf(stderr, "probe: no ARP request could be sent\n");
        return 1;
    }
    const char* answer = result == localnet::ProbeResult::InUse ? "in use" : "free";
    if (json)
        PrintJson({{"target", targetText},
                   {"source", platform::DottedAddress(source)},
                   {"result", answer}});
    else
        std::printf("%s\n", answer);
    return 0;
}

int RunFreeAddresses(int argc, char** argv) {
    std::string fromText;
    int count = 2;
    bool json = false;
    Command command("free-addresses", "Addresses in the PC's subnet that no host holds.");
    command.add_option("--from", fromText, "an address of the subnet (default: the PC's own)")
        ->check(Ipv4Address());
    command.add_option("--count", count, "how many (default 2)")->check(CLI::Range(1, 256));
    command.add_flag("--json", json, "print JSON");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    uint32_t from = platform::ParseDottedAddressOr(fromText, 0);
    auto netPlatform = platform::OpenNetwork();
    platform::NetworkPlatform& net = *netPlatform;
    if (fromText.empty() && !DefaultSource("free-addresses", net, &from)) return 1;
    std::vector<uint32_t> free = localnet::FindFreeAddresses(net, from, from, count);
    if (json) {
        Json list = Json::array();
        for (uint32_t a : free) list.push_back(platform::DottedAddress(a));
        PrintJson(list);
    } else {
        for (uint32_t a : free) std::printf("%s\n", platform::DottedAddress(a).c_str());
    }
    if (static_cast<int>(free.size()) < count) {
        std::fprintf(stderr, "free-addresses: found %zu of %d\n", free.size(), count);
        return 1;
    }
    return 0;
}

}  // namespace orvanta::cli
