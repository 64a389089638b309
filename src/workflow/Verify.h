// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a camera kept what a save wrote: each written page is read back and every field the
// save sent is compared with what the camera now reports. Cameras differ in what they list; a
// key a camera does not report is not compared, and neither are the clock (compared only as
// set) and the addresses of a block the camera takes by DHCP or PPPoE.
#include <string>
#include <vector>

#include "camera/commands/SettingsWrite.h"
#include "camera/record/CameraSettings.h"

namespace orvanta::workflow {

struct FieldDifference {
    std::string field;     // the record's member, as the tool names it
    std::string written;   // the value the save sent
    std::string reported;  // the value the camera reports, as it came
};

// One page read back after a save.
struct PageCheck {
    camera::SaveStep page = camera::SaveStep::System;
    int read = camera::CAM_OK;  // the read-back's result; any other: the page was not read back
    std::vector<FieldDifference> differences;

    bool Kept() const { return read == camera::CAM_OK && differences.empty(); }
};

// The fields of `page` that `written` sent and `report` (a whole report of that page) gives
// otherwise.
std::vector<FieldDifference> CompareReport(const camera::CameraSettings& written,
                                           camera::SaveStep page, bool useWps, const char* report);

// Reads `page` at cameraAddressText:cameraPortText of `written` and compares it.
PageCheck ReadBack(const camera::CameraSettings& written, camera::SaveStep page, bool useWps);

// The result of a step once its page was read back: a write whose answer left it open
// (camera::NeedsReadBack) is taken when the camera reports what was written, and fails with
// its own code when it does not or could not be read back. Any other result stays.
int DecideStep(int result, const PageCheck& check);

}  // namespace orvanta::workflow
