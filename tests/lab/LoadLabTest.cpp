// SPDX-License-Identifier: GPL-3.0-or-later
// Many at once: reads that crowd one slow camera, and apply over a few hundred cameras of
// which some misbehave. Bounds are generous; the figures are printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "JsonOut.h"
#include "Lab.h"
#include "LabRun.h"

namespace orvanta {
namespace {

using lab::Lab;
using testing::ParseJson;

TEST(LoadLab, TwoHundredReadsOfOneSlowCameraEachEndWithinTheirBound) {
    LAB_REQUIRED();
    Lab lab;
    lab.AddAddress("pc", "192.168.0.10/24");
    lab.AddHost("cams", {"192.168.0.98/24"});
    lab.StartCamsim("cams",
                    {"--camera", "ip=192.168.0.98,fault=pieces,pause_ms=300,piece_bytes=64"});

    constexpr int kReads = 200;
    std::vector<lab::WatchedRun> runs(kReads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kReads; ++i)
        threads.emplace_back([&, i] {
            runs[i] = lab::RunWatched(lab, "pc", {ORVANTA_CLI, "read", "192.168.0.98"});
        });
    for (std::thread& t : threads) t.join();

    double slowest = 0;
    long peakRss = 0;
    for (const lab::WatchedRun& run : runs) {
        EXPECT_EQ(0, run.status) << run.output;
        EXPECT_NE(std::string::npos, run.output.find("ModelName    Mervo-71Z")) << run.output;
        slowest = std::max(slowest, run.seconds);
        peakRss = std::max(peakRss, run.peakRssKb);
    }
    // One read alone takes about 10 s at this pace.
    EXPECT_LE(slowest, 90.0);
    std::printf("%d concurrent reads: slowest %.1f s, largest peak RSS %ld KiB\n", kReads, slowest,
                peakRss);
}

TEST(LoadLab, ApplyOnTwoHundredFiftyCamerasFinishesTheGoodAndNamesTheFaulty) {
    LAB_REQUIRED();
    Lab lab;
    lab.AddAddress("pc", "192.168.0.254/24");
    lab.AddHost("cams");
    constexpr int kCameras = 250;
    // Every tenth camera misbehaves: silent, refusing the DDNS write, or gone after the save.
    const char* const kFaults[] = {"fault = silent\n", "fault = http403\nfault_on = w13\n",
                                   "restart_ms = 10000000\n"};
    const char* const kDetails[] = {"read: CAM_ERR_NO_ANSWER: no answer",
                                    "DDNS write: -12 (CAM_ERR_HTTP_STATUS): HTTP status 403",
                                    "not found again after the save"};
    std::string config, csv = "serial,TitleBar\n", addresses;
    for (int i = 1; i <= kCameras; ++i) {
        char serial[16];
        std::snprintf(serial, sizeof serial, "SIM%05d", i);
        const std::string ip = "192.168.0." + std::to_string(1 + i);
        char mac[32];
        std::snprintf(mac, sizeof mac, "00:0E:53:00:%02X:%02X", i >> 8, i & 0xFF);
        config += "[camera]\nip = " + ip + "\nmac = " + mac + "\nserial = " + serial +
                  "\nrestart_ms = 500\n";
        if (i % 10 == 0) config += kFaults[(i / 10) % 3];
        csv += std::string(serial) + ",Load " + std::to_string(i) + "\n";
        addresses += "ip addr add " + ip + "/24 dev eth0; ";
    }
    ASSERT_EQ(0, lab.Run("cams", addresses));
    const std::string base = "/tmp/o2-load-" + lab.Id();
    std::ofstream(base + ".ini") << config;
    std::ofstream(base + ".csv") << csv;
    lab.StartCamsim("cams", {"--config", base + ".ini"});

    lab::WatchedRun run = lab::RunWatched(
        lab, "pc",
        {ORVANTA_CLI, "apply", base + ".csv", "--json", "--seconds", "5", "--refind-seconds", "20"},
        false);
    std::remove((base + ".ini").c_str());
    std::remove((base + ".csv").c_str());
    EXPECT_EQ(1, run.status);
    EXPECT_LE(run.seconds, 180.0);
    // A fixed bound far above what the tool needs, far below what a leak per camera would take.
    EXPECT_LE(run.peakRssKb, 200 * 1024);
    auto out = ParseJson(run.output);
    ASSERT_TRUE(out.is_array()) << run.output;
    ASSERT_EQ(static_cast<size_t>(kCameras), out.size()) << run.output;
    int done = 0, faulty = 0;
    for (int i = 1; i <= kCameras; ++i) {
        const auto& job = out[static_cast<size_t>(i - 1)];
        SCOPED_TRACE(job.dump());
        if (i % 10 != 0) {
            done += job["status"] == "done";
            EXPECT_EQ("done", job["status"]);
            continue;
        }
        ++faulty;
        const std::string detail = job["detail"];
        EXPECT_NE(std::string::npos, detail.find(kDetails[(i / 10) % 3]));
        EXPECT_EQ((i / 10) % 3 == 2 ? "not found" : "failed", job["status"]);
    }
    std::printf("apply on %d cameras (%d faulty): %d done in %.1f s, peak RSS %ld KiB\n", kCameras,
                faulty, done, run.seconds, run.peakRssKb);
}

}  // namespace
}  // namespace orvanta
