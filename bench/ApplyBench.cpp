// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-cli apply on 1 and on 50 simulated cameras in the lab, each moving to a new
// address: the restarts overlap, so 50 cameras should take little longer than one.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "Lab.h"

using namespace orvanta;

namespace {

struct Outcome {
    double seconds = 0;
    int done = 0;
};

Outcome Run(int cameras) {
    lab::Lab lab;
    lab.AddAddress("pc", "192.168.0.10/24");
    lab.AddHost("cams");
    std::string batch, csv = "serial,IPAddr\n";
    for (int i = 0; i < cameras; ++i) {
        batch += "addr add 192.168.0." + std::to_string(100 + i) + "/24 dev eth0\n";
        char serial[16];
        std::snprintf(serial, sizeof serial, "SIM%05d", i + 1);
        csv += std::string(serial) + ",192.168.0." + std::to_string(150 + i) + "\n";
    }
    lab.Run("cams", "printf '" + batch + "' | ip -batch -");
    lab.StartCamsim("cams", {"--own-addresses", "--generate", std::to_string(cameras), "--first-ip",
                             "192.168.0.100"});
    std::string file = "/tmp/o2-apply-bench-" + lab.Id() + ".csv";
    std::ofstream(file) << csv;

    auto start = std::chrono::steady_clock::now();
    std::string out = lab.Output("pc", std::string(ORVANTA_CLI) + " apply " + file +
                                           " --seconds 1 --refind-seconds 60 2>/dev/null");
    Outcome outcome;
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::remove(file.c_str());
    std::sscanf(out.substr(out.rfind("summary:")).c_str(), "summary: %d done", &outcome.done);
    return outcome;
}

}  // namespace

int main() {
    if (!lab::Lab::Available()) {
        std::fprintf(stderr, "bench_apply: needs root to build its lab\n");
        return 77;
    }
    Outcome one = Run(1);
    std::printf("apply  1 camera : %6.2f s, %d of 1 found again at its new address\n", one.seconds,
                one.done);
    Outcome many = Run(50);
    std::printf("apply 50 cameras: %6.2f s, %d of 50 found again at their new addresses\n",
                many.seconds, many.done);
    std::printf("ratio %.2f (target: under 1.1, every camera found again)\n",
                many.seconds / one.seconds);
    return 0;
}
