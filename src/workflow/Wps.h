// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Push-button WPS after its start, by one rule for the wizard's page and the tool: what a
// status answer means, and when a camera that reports no run is asked to start again.
#include <atomic>
#include <functional>

#include "camera/record/CameraSettings.h"

namespace orvanta::workflow {

enum class WpsState {
    Running,    // WPS 1: the camera is still looking for the router
    Connected,  // WPS 0 and WPS_ACK 1
    Idle,       // WPS 0 and WPS_ACK 0: no run, or one that ended without a connection
};
WpsState WpsStateOf(const camera::CameraSettings& settings);

// The start is sent again while the camera reports no run from 62.5 s to 75 s after the
// first start: a camera that missed it gets three more chances at the default pace.
constexpr double kRestartFromSeconds = 62.5;
constexpr double kRestartToSeconds = 75.0;
bool ShouldRestartWps(const camera::CameraSettings& settings, double secondsSinceStart);

struct WpsFollow {
    double intervalSeconds = 5;   // between status queries
    double timeoutSeconds = 150;  // from the start; one query may be under way when it ends
    const std::atomic<bool>* stop = nullptr;
    std::function<void()> onStarted;  // the start was sent
    // Each status query: its result code (0 when answered) and the state it left.
    std::function<void(int code, WpsState state)> onQuery;
};

// Sends the start to cameraAddressText:cameraPortText, then queries the state until the camera
// reports a connection, the time runs out or `stop` is set. Returns the start's failure code,
// or CAM_OK with `connected` telling the end.
int RunWpsToEnd(camera::CameraSettings& settings, const WpsFollow& follow, bool& connected);

}  // namespace orvanta::workflow
