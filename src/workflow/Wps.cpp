// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/Wps.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "camera/commands/Wps.h"

namespace orvanta::workflow {

WpsState WpsStateOf(const camera::CameraSettings& s) {
    if (s.WPS != 0) return WpsState::Running;
    return s.WPS_ACK == 1 ? WpsState::Connected : WpsState::Idle;
}

bool ShouldRestartWps(const camera::CameraSettings& s, double secondsSinceStart) {
    return s.WPS == 0 && s.WPS_ACK == 0 && secondsSinceStart >= kRestartFromSeconds &&
           secondsSinceStart <= kRestartToSeconds;
}

int RunWpsToEnd(camera::CameraSettings& s, const WpsFollow& follow, bool& connected) {
    using Clock = std::chrono::steady_clock;
    using Seconds = std::chrono::duration<double>;
    connected = false;
    const std::string host(camera::FieldText(s.cameraAddressText));
    const std::string port(camera::FieldText(s.cameraPortText));
    const auto start = Clock::now();
    const auto deadline = start + Seconds(follow.timeoutSeconds);
    int code = camera::RunWps(s, host.c_str(), port.c_str(), camera::kWpsStart, 0);
    if (code != camera::CAM_OK) return code;
    if (follow.onStarted) follow.onStarted();
    auto stopped = [&follow] { return follow.stop && follow.stop->load(); };
    constexpr Seconds kStopCheck(0.1);
    while (!stopped() && Clock::now() < deadline) {
        const auto wake = std::min(deadline, Clock::now() + Seconds(follow.intervalSeconds));
        while (Clock::now() < wake && !stopped())
            std::this_thread::sleep_for(std::min<Seconds>(kStopCheck, wake - Clock::now()));
        if (stopped()) break;
        // A failed query leaves WPS and WPS_ACK as they were; the run goes on.
        code = camera::RunWps(s, host.c_str(), port.c_str(), camera::kWpsStatus, 3);
        const WpsState state = WpsStateOf(s);
        if (follow.onQuery) follow.onQuery(code, state);
        if (code == camera::CAM_OK && state == WpsState::Connected) {
            connected = true;
            break;
        }
        if (ShouldRestartWps(s, Seconds(Clock::now() - start).count()))
            camera::RunWps(s, host.c_str(), port.c_str(), camera::kWpsStart, 0);
    }
    return camera::CAM_OK;
}

}  // namespace orvanta::workflow
