// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/Roads.h"

namespace orvanta::workflow {

int UpnpBackCode(const camera::CameraSettings& s) {
    if (s.wizardMode == 1) {
        if (s.WirelessCap == 1 && s.useWireless == 1)
            return s.useWps == 1 ? nav::kWps : nav::kApScan;
        if (s.WirelessCap == 0 || s.WirelessCap == 1)
            return s.skipAddressCheck == 1 ? nav::kPppoe : nav::kWizardIp;
        return 0;
    }
    if (s.wizardMode == 0) {
        if (s.cameraWireless == 1) return nav::kWlanIp;
        if (s.IPType == 0 || s.IPType == 1) return nav::kLanIp;
        if (s.IPType == 2) return nav::kLanIsp;
    }
    return 0;
}

}  // namespace orvanta::workflow
