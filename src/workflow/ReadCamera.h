// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Selecting and reading a camera as the wizard does when a camera is picked: the system page
// with the password question, then the whole read job.
#include "camera/commands/CameraSelection.h"
#include "camera/commands/SettingsRead.h"
#include "camera/record/CameraSettings.h"

namespace orvanta::workflow {

// camera::SelectCamera, then camera::RunSettingsRead. Returns 0 or the code that stopped it
// (0 with `result.succeeded` false: the camera gave no access-point report).
int SelectAndRead(camera::CameraSettings& settings, const camera::CredentialSource& credentials,
                  const camera::FreeAddressFinder& findFree, camera::SettingsReadResult& result);

}  // namespace orvanta::workflow
