// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the camera commands of the tool share: the HOST[:PORT] argument, camera texts made safe
// for a terminal and the printing of access points.
#include <string>
#include <string_view>
#include <vector>

#include "camera/commands/AccessPointScan.h"
#include "camera/record/CameraSettings.h"
#include "cli/Json.h"

namespace orvanta::cli {

// Splits "HOST[:PORT]" (port 80 when absent); false when the port is not 1 to 65535.
bool ParseCameraTarget(const std::string& text, std::string& host, std::string& port);

// Camera bytes for a terminal: control characters (C0, DEL, and C1 whether raw or in UTF-8)
// become \xNN, one per byte, so that no value can drive the terminal; the rest is as it came.
std::string TerminalText(std::string_view bytes);

// Fills the reaching fields of `settings` for host and port.
void AimAt(camera::CameraSettings& settings, const std::string& host, const std::string& port);

// "-12 (CAM_ERR_HTTP_STATUS): HTTP status 500": the code, its name and what happened. Call it
// on the thread that ran the command (the HTTP status is kept per thread).
std::string DescribeResult(int code);

// A JSON array of access-point objects (channel, mac, ssid, quality, mode, security,
// algorithm).
Json AccessPointsJson(const std::vector<camera::AccessPoint>& list);

// The access points as a table on stdout.
void PrintAccessPoints(const std::vector<camera::AccessPoint>& list);

}  // namespace orvanta::cli
