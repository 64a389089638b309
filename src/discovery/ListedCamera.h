// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search list's rows as the camera record takes them: the camera the user picked, and
// the same camera found again by its serial number after a save.
#include <string_view>

#include "camera/record/CameraSettings.h"
#include "discovery/CPLipf.h"

namespace orvanta::discovery {

// The camera the user picked in the search list: cameraAddress (the IP column as an address),
// cameraAddressText (at most 63 characters), cameraPortText (at most 7), cameraWireless
// (1 when the description-and-interface column contains "wireless", case-sensitive),
// cameraIdText (the serial number, at most 259).
void TakeListedCamera(camera::CameraSettings& settings, const CameraRow& row);

// The first of `count` rows whose serial number equals `serial`, or nullptr. An empty serial
// matches nothing: cameras without one cannot be told apart.
const CameraRow* FindRowBySerial(const CameraRow* rows, int count, std::string_view serial);

// A camera found again after a save: cameraAddressText (63), cameraPortText (7), cameraAddress.
void TakeFoundCamera(camera::CameraSettings& settings, const CameraRow& row);

}  // namespace orvanta::discovery
