// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/Save.h"

#include <algorithm>
#include <string>
#include <utility>

namespace orvanta::workflow {

using camera::SaveStep;

bool SaveOutcome::Took(SaveStep step) const {
    return std::find(taken.begin(), taken.end(), step) != taken.end();
}

bool SaveOutcome::AllKept() const {
    return std::all_of(checks.begin(), checks.end(),
                       [](const PageCheck& c) { return c.differences.empty(); });
}

namespace {

// Without a read-back only a plain answer is taken, as the camera's marks alone would take it.
int JudgedAlone(int result) {
    return result == camera::CAM_ERR_NO_STATUS ? camera::CAM_OK : result;
}

SaveOutcome Stopped(SaveOutcome outcome, SaveStep step, int code) {
    outcome.code = code;
    outcome.stoppedAt = step;
    return outcome;
}

}  // namespace

SaveOutcome RunSave(camera::CameraSettings& s, bool useWps, bool verify, const SaveHooks& hooks) {
    SaveOutcome outcome;
    SaveStep unsafeStep = SaveStep::System;
    if (const char* unsafe = camera::FindUnsafeValue(s, useWps, &unsafeStep)) {
        outcome.unsafeField = unsafe;
        return Stopped(outcome, unsafeStep, camera::CAM_ERR_UNSAFE_VALUE);
    }
    // A step's result, and whether its page's read-back is to decide it.
    auto run = [&](SaveStep step, bool& leftOpen) {
        const int result = camera::RunSaveStep(s, step, useWps);
        if (hooks.onStep) hooks.onStep(step, result);
        leftOpen = verify && camera::StepWrites(step, useWps) && camera::NeedsReadBack(result);
        return leftOpen ? result : JudgedAlone(result);
    };
    bool leftOpen = false;
    std::vector<std::pair<SaveStep, int>> open;
    for (SaveStep step : {SaveStep::System, SaveStep::Ddns, SaveStep::Time}) {
        const int result = run(step, leftOpen);
        if (result == camera::CAM_OK)
            outcome.taken.push_back(step);
        else if (leftOpen)
            open.emplace_back(step, result);
        else
            return Stopped(outcome, step, result);
    }
    for (SaveStep step : {SaveStep::System, SaveStep::Ddns, SaveStep::Time}) {
        if (!verify || !camera::StepWrites(step, useWps)) continue;
        outcome.checks.push_back(ReadBack(s, step, useWps));
        if (hooks.onCheck) hooks.onCheck(outcome.checks.back());
    }
    for (const auto& [step, result] : open) {
        const SaveStep page = step;
        const auto check = std::find_if(outcome.checks.begin(), outcome.checks.end(),
                                        [page](const PageCheck& c) { return c.page == page; });
        if (DecideStep(result, *check) != camera::CAM_OK) return Stopped(outcome, step, result);
        outcome.taken.push_back(step);
    }
    std::sort(outcome.taken.begin(), outcome.taken.end());
    const int result = run(SaveStep::Network, leftOpen);
    if (result == camera::CAM_OK)
        outcome.taken.push_back(SaveStep::Network);
    else if (leftOpen)
        outcome.networkOpen = result;
    else
        return Stopped(outcome, SaveStep::Network, result);
    return outcome;
}

bool TakeSaveCredentials(camera::CameraSettings& settings, int code, bool alreadyAsked,
                         const camera::CredentialSource& credentials) {
    if (code != camera::CAM_ERR_UNAUTHORIZED || alreadyAsked || !credentials) return false;
    std::string user, password;
    if (!credentials(user, password)) return false;
    settings.SECUEN = 1;
    camera::SetFieldText(settings.userName, user);
    camera::SetFieldText(settings.userPassword, password);
    return true;
}

SaveOutcome SaveCamera(camera::CameraSettings& settings, bool useWps, bool verify,
                       const camera::CredentialSource& credentials, const SaveHooks& hooks) {
    SaveOutcome outcome = RunSave(settings, useWps, verify, hooks);
    // What the camera took before it refused is written again unchanged.
    if (!TakeSaveCredentials(settings, outcome.code, false, credentials)) return outcome;
    return RunSave(settings, useWps, verify, hooks);
}

void NetworkNotReadBack(SaveOutcome& outcome) {
    if (outcome.networkOpen == camera::CAM_OK) return;
    outcome.code = std::exchange(outcome.networkOpen, camera::CAM_OK);
    outcome.stoppedAt = SaveStep::Network;
}

PageCheck VerifyNetwork(const camera::CameraSettings& written, bool useWps, SaveOutcome& outcome) {
    PageCheck check = ReadBack(written, SaveStep::Network, useWps);
    if (outcome.networkOpen != camera::CAM_OK &&
        DecideStep(outcome.networkOpen, check) == camera::CAM_OK) {
        outcome.taken.push_back(SaveStep::Network);
        outcome.networkOpen = camera::CAM_OK;
    }
    NetworkNotReadBack(outcome);
    outcome.checks.push_back(check);
    return check;
}

}  // namespace orvanta::workflow
