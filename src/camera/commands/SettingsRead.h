// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings read job: the worker's sequence of reads that fills CameraSettings after a
// camera was selected.
#include <cstdint>
#include <functional>
#include <vector>

#include "camera/commands/AccessPointScan.h"
#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

// Step 4, the free-address search of the local network: `count` addresses that no host
// claims, counting down from host byte 253 of `start`, probed from `source` (both network
// byte order). The local-network code supplies it; an empty function skips the step.
using FreeAddressFinder =
    std::function<std::vector<uint32_t>(uint32_t start, uint32_t source, int count)>;

struct SettingsReadResult {
    bool succeeded = false;
    int error = CAM_OK;      // result of the command that stopped the job; 0 when the scan failed
    int scanError = CAM_OK;  // why the scan of step 3 gave no report
    std::vector<AccessPoint> accessPoints;  // the scan of step 3, when one ran
    std::vector<uint32_t> freeAddresses;    // step 4, highest first
};

// newFeatures from the model table: the models and firmware that have the capability page.
uint8_t ModelHasNewFeatures(const char* modelName, const char* version);

// Runs the read job on `settings` against cameraAddressText:cameraPortText.
// 1. pages 23, 1, 3, 13, then the time; 2. newFeatures; 3. capabilities and the scan for
// capable models; 4. `findFree` for two addresses from pcAddressText unless
// skipAddressCheck is 1. Stops at the first command that fails.
SettingsReadResult RunSettingsRead(CameraSettings& settings,
                                   const FreeAddressFinder& findFree = {});

}  // namespace orvanta::camera
