// SPDX-License-Identifier: GPL-3.0-or-later
// ARP probes and the free-address search on a lab network, beside iputils arping in the
// same run: a host that answers, a free address, and two free addresses below two taken;
// in-process and through orvanta2-nethelper, which keeps its ARP socket open.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "Lab.h"
#include "localnet/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/HelperNetwork.h"
#include "platform/LinuxNetwork.h"

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 20;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Figures {
    std::vector<double> samples;
    void Add(double ms) { samples.push_back(ms); }
    void Print(const char* what) {
        std::sort(samples.begin(), samples.end());
        if (samples.empty()) return;
        std::printf("%-44s min %8.3f  median %8.3f  max %8.3f ms  (n=%zu)\n", what, samples.front(),
                    samples[samples.size() / 2], samples.back(), samples.size());
    }
};

// Runs arping and returns its wall time; *replyMs gets the round trip it printed, if any.
double Arping(const std::string& target, int count, int deadlineSeconds, double* replyMs,
              bool* answered) {
    std::string command = "arping -c " + std::to_string(count) + " -w " +
                          std::to_string(deadlineSeconds) + " -f -I eth0 -s 192.168.0.10 " +
                          target + " 2>&1";
    auto start = Clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    char line[512];
    *replyMs = -1;
    *answered = false;
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        size_t at = text.find("reply from");
        if (at == std::string::npos) continue;
        *answered = true;
        size_t ms = text.rfind("ms");
        size_t space = text.rfind(' ', ms);
        if (ms != std::string::npos && space != std::string::npos)
            *replyMs = std::atof(text.substr(space + 1, ms - space - 1).c_str());
    }
    pclose(pipe);
    return Ms(Clock::now() - start);
}

}  // namespace

int main() {
    if (!lab::Lab::Available()) {
        std::fprintf(stderr, "bench_localnet: needs root to build its lab\n");
        return 1;
    }
    lab::Lab lab;
    lab.AddAddress("pc", "192.168.0.10/24");
    lab.AddHost("h253", {"192.168.0.253/24"});
    lab.AddHost("h252", {"192.168.0.252/24"});
    lab.Enter("pc");

    platform::LinuxNetwork net;
    const platform::ArpTiming timing;
    const uint32_t pc = platform::ParseDottedAddressOr("192.168.0.10", 0);
    const uint32_t taken = platform::ParseDottedAddressOr("192.168.0.253", 0);
    const uint32_t free = platform::ParseDottedAddressOr("192.168.0.200", 0);
    std::printf("probe time-out %d ms, %d requests spread over it, %d candidates at once\n",
                timing.timeoutMs, timing.requests, localnet::kProbeBatch);

    // Warm the neighbours' caches the same way for both tools.
    localnet::ProbeAddress(net, taken, pc);

    Figures ours, arpingWall, arpingReply;
    int disagreements = 0;
    for (int i = 0; i < kRounds; ++i) {
        auto start = Clock::now();
        auto result = localnet::ProbeAddress(net, taken, pc);
        ours.Add(Ms(Clock::now() - start));
        double reply;
        bool answered;
        arpingWall.Add(Arping("192.168.0.253", 1, 1, &reply, &answered));
        if (reply >= 0) arpingReply.Add(reply);
        if (answered != (result == localnet::ProbeResult::InUse)) ++disagreements;
    }
    ours.Print("answering host: ProbeAddress");
    arpingWall.Print("answering host: arping -c 1 (process)");
    arpingReply.Print("answering host: arping's reply time");

    Figures oursFree, arpingFree;
    for (int i = 0; i < 3; ++i) {
        auto start = Clock::now();
        auto result = localnet::ProbeAddress(net, free, pc);
        oursFree.Add(Ms(Clock::now() - start));
        double reply;
        bool answered;
        arpingFree.Add(Arping("192.168.0.200", 3, 1, &reply, &answered));
        if (answered != (result == localnet::ProbeResult::InUse)) ++disagreements;
    }
    oursFree.Print("free address: ProbeAddress");
    arpingFree.Print("free address: arping -c 3 -w 1 (process)");

    Figures search;
    bool right = true;
    for (int i = 0; i < 3; ++i) {
        auto start = Clock::now();
        auto found = localnet::FindFreeAddresses(net, pc, pc, 2);
        search.Add(Ms(Clock::now() - start));
        right = right && found.size() == 2 &&
                platform::DottedAddress(found[0]) == "192.168.0.251" &&
                platform::DottedAddress(found[1]) == "192.168.0.250";
    }
    search.Print("FindFreeAddresses n=2, .253 .252 taken");
    std::printf("  median / time-out = %.2f (target <= 1.3); result %s\n",
                search.samples[search.samples.size() / 2] / timing.timeoutMs,
                right ? ".251 .250 as expected" : "WRONG");

    // The same through the helper, as a process without capabilities does it.
    platform::HelperNetworkOptions helperOptions;
    helperOptions.helperPath = ORVANTA_NETHELPER;
    platform::HelperNetwork helper(helperOptions);
    localnet::ProbeAddress(helper, taken, pc);  // starts the helper and opens its socket
    Figures viaHelper, arpingBeside;
    for (int i = 0; i < kRounds; ++i) {
        auto start = Clock::now();
        auto result = localnet::ProbeAddress(helper, taken, pc);
        viaHelper.Add(Ms(Clock::now() - start));
        double reply;
        bool answered;
        Arping("192.168.0.253", 1, 1, &reply, &answered);
        if (reply >= 0) arpingBeside.Add(reply);
        if (answered != (result == localnet::ProbeResult::InUse)) ++disagreements;
    }
    viaHelper.Print("answering host: ProbeAddress via helper");
    arpingBeside.Print("answering host: arping's reply time");
    const double helperMedian = viaHelper.samples.empty() ? -1 : viaHelper.samples[kRounds / 2];
    const double arpingMedian =
        arpingBeside.samples.empty() ? -1 : arpingBeside.samples[arpingBeside.samples.size() / 2];
    std::printf("  median via helper - arping = %.3f ms (target <= 1)\n",
                helperMedian - arpingMedian);

    Figures helperSearch;
    bool helperRight = true;
    for (int i = 0; i < 3; ++i) {
        auto start = Clock::now();
        auto found = localnet::FindFreeAddresses(helper, pc, pc, 2);
        helperSearch.Add(Ms(Clock::now() - start));
        helperRight = helperRight && found.size() == 2 &&
                      platform::DottedAddress(found[0]) == "192.168.0.251" &&
                      platform::DottedAddress(found[1]) == "192.168.0.250";
    }
    helperSearch.Print("FindFreeAddresses n=2 via helper");
    std::printf("  median / time-out = %.2f (target <= 1.05); result %s\n",
                helperSearch.samples[helperSearch.samples.size() / 2] / timing.timeoutMs,
                helperRight ? ".251 .250 as expected" : "WRONG");
    right = right && helperRight;

    std::printf("agreement with arping: %s (%d disagreements)\n",
                disagreements == 0 ? "all" : "NOT all", disagreements);
    lab.Leave();
    return right && disagreements == 0 ? 0 : 1;
}
