// SPDX-License-Identifier: GPL-3.0-or-later
// A full settings read of one simulated camera over a lab link (the system page of the
// selection, then every read of the job and the access-point scan), beside curl fetching the
// same URLs, one connection each, in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "Lab.h"
#include "camera/commands/SettingsRead.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

using namespace orvanta;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 30;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    if (!lab::Lab::Available()) {
        std::fprintf(stderr, "bench_camera_read: needs root to build its lab\n");
        return 77;
    }
    lab::Lab lab;
    lab.AddAddress("pc", "192.168.0.10/24");
    lab.AddHost("cam", {"192.168.0.98/24"});
    lab.StartCamsim("cam", {"--camera",
                            "ip=192.168.0.98,http_port=80,ModelName=Quent-9Z,Version=1.0,"
                            "SSID=Home net,ap1=6|00:11:22:33:44:55|Home net|80|Infra|WPA2|AES,"
                            "ap2=11|00:11:22:33:44:66|Office|60|Infra|WEP|WEP,"
                            "ap3=1|00:11:22:33:44:77|Cafe|20|Adhoc|None|None"});

    const std::string base = "http://192.168.0.98:80";
    const char* paths[] = {
        "/goform/Parameters?Act=1&Page=1",  "/goform/Parameters?Act=1&Page=23",
        "/goform/Parameters?Act=1&Page=1",  "/goform/Parameters?Act=1&Page=3",
        "/goform/Parameters?Act=1&Page=13", "/cgi-bin/set_time.cgi?Act=1",
        "/goform/Parameters?Act=1&Page=32", "/cgi-bin/ap_scan.cgi",
    };
    std::string urls;
    for (const char* p : paths) urls += " '" + base + p + "'";
    // The wall time on the namespace's own clock, so that entering it is not counted, then
    // curl's transfer times (connect to close) per URL, which leave out its start-up.
    std::string outputs;
    for (size_t i = 0; i < std::size(paths); ++i) outputs += " -o /dev/null";
    const std::string curlCommand = "s=$(date +%s%N); t=$(curl -s --http1.0 -w '%{time_total} '" +
                                    outputs + urls +
                                    "); e=$(date +%s%N); echo $(( (e - s) / 1000 )) $t";

    std::vector<double> ours, curls, transfers;
    unsigned long connections = 0;
    bool ok = true;
    for (int round = 0; round < kRounds; ++round) {
        int status = -1;
        std::string out = lab.Output("pc", curlCommand, &status);
        if (status != 0) ok = false;
        std::istringstream fields(out);
        double wallUs = 0, transfer = 0, sum = 0;
        fields >> wallUs;
        while (fields >> transfer) sum += transfer;
        curls.push_back(wallUs / 1000.0);
        transfers.push_back(sum * 1000.0);

        lab.Enter("pc");
        camera::CameraSettings s = camera::NewCameraSettings();
        camera::SetFieldText(s.cameraAddressText, "192.168.0.98");
        camera::SetFieldText(s.cameraPortText, "80");
        unsigned long before = camera::ConnectionsOpened();
        auto start = Clock::now();
        int code = camera::CameraCommand(s, "192.168.0.98", "80", 1, 1, 0);
        camera::SettingsReadResult r = camera::RunSettingsRead(s);
        ours.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        connections = camera::ConnectionsOpened() - before;
        lab.Leave();
        if (code != camera::CAM_OK || !r.succeeded || r.accessPoints.size() != 3) ok = false;
    }
    double oursMs = Median(ours), curlMs = Median(curls), transferMs = Median(transfers);
    std::printf(
        "camera read: full settings read %.2f ms median of %d rounds (best %.2f), "
        "%lu connections%s\n",
        oursMs, kRounds, *std::min_element(ours.begin(), ours.end()), connections,
        ok ? "" : " [SOME ROUNDS FAILED]");
    std::printf(
        "camera read: curl, the same %zu URLs one connection each: %.2f ms median wall "
        "(best %.2f), of which transfers %.2f ms\n",
        std::size(paths), curlMs, *std::min_element(curls.begin(), curls.end()), transferMs);
    std::printf(
        "camera read: ratio to curl's wall time %.2f, to its transfers alone %.2f "
        "(target: at most 1.5, and under 20 ms in all)\n",
        oursMs / curlMs, oursMs / transferMs);
    return ok ? 0 : 1;
}
