// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/ReadCamera.h"

namespace orvanta::workflow {

int SelectAndRead(camera::CameraSettings& settings, const camera::CredentialSource& credentials,
                  const camera::FreeAddressFinder& findFree, camera::SettingsReadResult& result) {
    const int code = camera::SelectCamera(settings, credentials).code;
    if (code != camera::CAM_OK) return code;
    result = camera::RunSettingsRead(settings, findFree);
    return result.succeeded ? camera::CAM_OK : result.error;
}

}  // namespace orvanta::workflow
