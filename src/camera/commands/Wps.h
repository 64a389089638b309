// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Push-button WPS on the camera: the start, and the status query that says whether the run
// is still going (WPS 1) or ended with success (WPS_ACK 1).
#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

constexpr int kWpsStart = 1;
constexpr int kWpsStatus = 3;

// act kWpsStart: sends the start and returns 0 once it is sent (no answer is read).
// act kWpsStatus: asks for the state of `page` and parses WPS and WPS_ACK into `settings`
// (a missing key keeps its value). Result codes as every camera command.
int RunWps(CameraSettings& settings, const char* host, const char* port, int act, int page);

}  // namespace orvanta::camera
