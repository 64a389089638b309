#pragma once
// The save, as the wizard and the tool both run it: the write sequence, and once more with
// credentials when the camera refused it for want of them.
#include <functional>

#include "camera/commands/CameraSelection.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/record/CameraSettings.h"

namespace orvanta::workflow {

using StepReport = std::function<void(camera::SaveStep step, int result)>;

// A save that ended with `code` and has not asked yet: asks `credentials` and, when it gives
// some, stores them as the read's password question does (security on). True: save again.
bool TakeSaveCredentials(camera::CameraSettings& settings, int code, bool alreadyAsked,
                         const camera::CredentialSource& credentials);

// Runs the save (camera::RunSave) and, after a refusal for want of credentials, once more
// with those `credentials` gives. `onStep` hears every step of both runs. Returns 0, or the
// code of the step that stopped the save.
int SaveCamera(camera::CameraSettings& settings, bool useWps,
               const camera::CredentialSource& credentials, const StepReport& onStep = {});

}  // namespace orvanta::workflow
