// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a camera again after a save, by one rule for the wizard and the tool: its serial
// number, at the address and port the save gave it when it gave a fixed one, else anywhere.
// Until it restarts, a camera may still answer from its old address; that answer is not it,
// and neither is any answer that arrived before the save wrote the camera's network.
#include <cstdint>
#include <string>
#include <vector>

#include "camera/record/CameraSettings.h"
#include "discovery/CPLipf.h"

namespace orvanta::workflow {

struct SavedCamera {
    std::string serial;
    std::vector<uint32_t> addresses;  // the fixed addresses written; empty: any address
    int port = 0;                     // the HTTP port written, when `addresses` is not empty
    uint32_t notBefore = 0;  // ms tick (the engines' clock) at which the network was written
};

// What the save of `settings` leaves to look for: the serial of cameraIdText, and the fixed
// addresses it wrote (the wired one, and the wireless one of a wireless camera); `written` is
// the tick at which the save had written the network settings.
SavedCamera ExpectAfterSave(const camera::CameraSettings& settings, uint32_t written);

// The first found camera that is the saved camera, or nullptr. A camera with two interfaces
// is listed twice, so every entry with the serial is looked at.
const discovery::FoundCamera* FindSavedCamera(const std::vector<discovery::FoundCamera>& found,
                                              const SavedCamera& saved);

// A camera added by its address has no serial number to be told apart by in the search; it
// is read at the address the save left it at instead. That address as a row of the list: the
// first fixed address written, else the address it had, and the HTTP port written.
discovery::CameraRow AddressAfterSave(const camera::CameraSettings& settings);

}  // namespace orvanta::workflow
