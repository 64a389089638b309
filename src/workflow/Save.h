// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save, as the wizard and the tool both run it: the write sequence with the pages read
// back before the network write, and once more with credentials when the camera refused it
// for want of them.
#include <functional>
#include <string>
#include <vector>

#include "camera/commands/CameraSelection.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/record/CameraSettings.h"
#include "workflow/Verify.h"

namespace orvanta::workflow {

// Each step as it ran, with its own result (one NeedsReadBack leaves open is not a failure
// yet), and each page as it was read back.
struct SaveHooks {
    std::function<void(camera::SaveStep step, int result)> onStep;
    std::function<void(const PageCheck& check)> onCheck;
};

struct SaveOutcome {
    int code = camera::CAM_OK;  // 0, or the result of the step that stopped the save
    camera::SaveStep stoppedAt = camera::SaveStep::System;  // when `code` is not 0
    std::vector<camera::SaveStep> taken;  // the steps the camera took, in their order
    std::vector<PageCheck> checks;        // the pages read back
    // The network write's result when its answer left open whether it was taken: the
    // network page read back at the camera's new address decides (DecideStep).
    int networkOpen = camera::CAM_OK;
    // With CAM_ERR_UNSAFE_VALUE: the field that stopped the save (at the step that sends it).
    std::string unsafeField;

    bool Succeeded() const { return code == camera::CAM_OK; }
    bool Took(camera::SaveStep step) const;
    // No page read back reports another value than was written.
    bool AllKept() const;
};

// Runs the save against cameraAddressText:cameraPortText: the system, DDNS and time writes
// (with `useWps` the time is read), then, when `verify`, those pages read back and compared,
// then the network write (without the wireless fields with `useWps`), always last. A step
// that fails ends the save; a write whose answer leaves it open is decided by its page's
// read-back, and without `verify` only a plain answer is taken. Nothing is sent when
// FindUnsafeValue finds a value (CAM_ERR_UNSAFE_VALUE).
SaveOutcome RunSave(camera::CameraSettings& settings, bool useWps, bool verify,
                    const SaveHooks& hooks = {});

// A save that ended with `code` and has not asked yet: asks `credentials` and, when it gives
// some, stores them as the read's password question does (security on). True: save again.
bool TakeSaveCredentials(camera::CameraSettings& settings, int code, bool alreadyAsked,
                         const camera::CredentialSource& credentials);

// RunSave and, after a refusal for want of credentials, once more with those `credentials`
// gives; `hooks` hear both runs.
SaveOutcome SaveCamera(camera::CameraSettings& settings, bool useWps, bool verify,
                       const camera::CredentialSource& credentials, const SaveHooks& hooks = {});

// A network write whose answer left it open and whose page cannot be read back is not taken:
// the save stops there with that answer's result.
void NetworkNotReadBack(SaveOutcome& outcome);

// The network page read back at the camera's new address (cameraAddressText:cameraPortText
// of `written`, after it was found again), and the save's network step decided by it.
PageCheck VerifyNetwork(const camera::CameraSettings& written, bool useWps, SaveOutcome& outcome);

}  // namespace orvanta::workflow
