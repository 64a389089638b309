// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the tool tells a save, for `save` and `apply` alike: each step and each page read back
// as a line, the pages read back as JSON, which pages the camera took, and why a save failed.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "camera/commands/SettingsWrite.h"
#include "cli/Json.h"
#include "workflow/Save.h"

namespace orvanta::cli {

// "system", "DDNS", "time", "network": a page of the save as the output names it.
const char* PageName(camera::SaveStep step);

class SaveReport {
public:
    // `print` gets each step or page read back as it ends: what it was ("system write",
    // "verify DDNS") and what came of it, both safe for a terminal.
    using Printer = std::function<void(const std::string& what, const std::string& text)>;
    SaveReport(bool useWps, bool verify, Printer print);

    // The hooks of a save. They describe each result on the thread that ran the save, where
    // the HTTP status of an answer is still known.
    workflow::SaveHooks Hooks();
    void OnStep(camera::SaveStep step, int result);
    void OnCheck(const workflow::PageCheck& check);
    // A written page that could not be read back, for a reason of the tool's own.
    void NotReadBack(camera::SaveStep page, const std::string& reason);

    // The steps as JSON entries, in the order they ran.
    const Json& Steps() const { return steps_; }
    // {"system": {"kept": true}, "DDNS": {"kept": false, "differences": [...]},
    //  "network": {"read": false, "reason": ...}}: the last read-back of each page.
    const Json& Verified() const { return verified_; }

    // "DDNS write: -6 (CAM_ERR_FAILURE): the camera reported a failure": why `outcome` failed.
    std::string Failure(const workflow::SaveOutcome& outcome) const;
    // The written pages the camera took (or did not), by PageName.
    std::vector<std::string> Pages(const workflow::SaveOutcome& outcome, bool taken) const;
    // "the camera took: system, DDNS, time; not taken: network".
    std::string TakenText(const workflow::SaveOutcome& outcome) const;

private:
    bool useWps_, verify_;
    Printer print_;
    Json steps_ = Json::array();
    Json verified_ = Json::object();
    std::map<camera::SaveStep, std::string> described_;  // each step's result, as it ran
};

// "DDNSHost written "a", reported "b"; TitleBar ...": the differences of the pages read back,
// "" when every page read back holds what was written.
std::string NotKeptText(const std::vector<workflow::PageCheck>& checks);

}  // namespace orvanta::cli
