// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SaveReport.h"

#include <utility>

#include "camera/wire/Transport.h"
#include "cli/CameraOutput.h"

namespace orvanta::cli {

using camera::SaveStep;

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text.empty() ? "nothing" : text;
}

}  // namespace

const char* PageName(SaveStep step) {
    switch (step) {
        case SaveStep::System:
            return "system";
        case SaveStep::Ddns:
            return "DDNS";
        case SaveStep::Time:
            return "time";
        case SaveStep::Network:
            return "network";
    }
    return "";
}

SaveReport::SaveReport(bool useWps, bool verify, Printer print)
    : useWps_(useWps), verify_(verify), print_(std::move(print)) {}

workflow::SaveHooks SaveReport::Hooks() {
    return {.onStep = [this](SaveStep step, int result) { OnStep(step, result); },
            .onCheck = [this](const workflow::PageCheck& check) { OnCheck(check); }};
}

void SaveReport::OnStep(SaveStep step, int result) {
    const char* name = camera::SaveStepName(step, useWps_);
    described_[step] = DescribeResult(result);
    Json entry = {{"step", name}, {"result", result}, {"name", camera::ResultName(result)}};
    if (result != camera::CAM_OK)
        entry["reason"] = camera::ResultReason(result, camera::LastHttpStatus());
    steps_.push_back(entry);
    std::string text = result == camera::CAM_OK ? "0 (CAM_OK)" : described_[step];
    // Not a failure yet: what the camera reports of the page tells whether it took the write.
    if (verify_ && camera::StepWrites(step, useWps_) && camera::NeedsReadBack(result))
        text += "; the page read back decides";
    print_(name, text);
}

void SaveReport::OnCheck(const workflow::PageCheck& check) {
    const std::string page = PageName(check.page);
    if (check.read != camera::CAM_OK) {
        verified_[page] = {{"read", false},
                           {"result", check.read},
                           {"name", camera::ResultName(check.read)},
                           {"reason", camera::ResultReason(check.read, camera::LastHttpStatus())}};
        print_("verify " + page, "not read back: " + DescribeResult(check.read));
        return;
    }
    Json entry = {{"kept", check.differences.empty()}};
    if (!check.differences.empty()) {
        Json differences = Json::array();
        for (const workflow::FieldDifference& d : check.differences)
            // Camera bytes need not be UTF-8; JSON text must be.
            differences.push_back({{"field", d.field},
                                   {"written", Utf8Text(d.written)},
                                   {"reported", Utf8Text(d.reported)}});
        entry["differences"] = differences;
    }
    verified_[page] = entry;
    print_("verify " + page,
           check.differences.empty() ? "kept" : "not kept: " + NotKeptText({check}));
}

void SaveReport::NotReadBack(SaveStep page, const std::string& reason) {
    verified_[PageName(page)] = {{"read", false}, {"reason", reason}};
    print_(std::string("verify ") + PageName(page), "not read back: " + reason);
}

std::string SaveReport::Failure(const workflow::SaveOutcome& outcome) const {
    const auto ran = described_.find(outcome.stoppedAt);
    const std::string code = DescribeResult(outcome.code);
    // The step's own description keeps the HTTP status of its answer.
    const bool same =
        ran != described_.end() && ran->second.starts_with(std::to_string(outcome.code) + " ");
    std::string text = std::string(camera::SaveStepName(outcome.stoppedAt, useWps_)) + ": " +
                       (same ? ran->second : code);
    if (!verify_ || !camera::NeedsReadBack(outcome.code)) return text;
    for (const workflow::PageCheck& check : outcome.checks)
        if (check.page == outcome.stoppedAt && check.read == camera::CAM_OK)
            return text + "; the camera does not report what was written";
    return text + "; its page was not read back";
}

std::vector<std::string> SaveReport::Pages(const workflow::SaveOutcome& outcome, bool taken) const {
    std::vector<std::string> pages;
    for (SaveStep step : camera::kSaveSteps)
        if (camera::StepWrites(step, useWps_) && outcome.Took(step) == taken)
            pages.push_back(PageName(step));
    return pages;
}

std::string SaveReport::TakenText(const workflow::SaveOutcome& outcome) const {
    return "the camera took: " + Joined(Pages(outcome, true)) +
           "; not taken: " + Joined(Pages(outcome, false));
}

std::string NotKeptText(const std::vector<workflow::PageCheck>& checks) {
    std::string text;
    for (const workflow::PageCheck& check : checks)
        for (const workflow::FieldDifference& d : check.differences)
            text += (text.empty() ? "" : "; ") + d.field + " written \"" + TerminalText(d.written) +
                    "\", reported \"" + TerminalText(d.reported) + "\"";
    return text;
}

}  // namespace orvanta::cli
