// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own texts: its messages, the wait window's notes, by name, and what it
// says of a save's outcome.
#include <QString>
#include <array>

#include "shell/SaveReport.h"

namespace orvanta::shell {

// Keys Message2 to Message8 of section WizardDlg (Message1 is shown nowhere).
enum class WizardMessage {
    JobFailed = 2,       // a read or save failed or timed out; the re-scan failed
    SavedWireless = 3,   // saved, the camera joins over wireless
    Saved = 4,           // saved
    NotFoundAgain = 5,   // the camera did not answer at its new address
    FoundAgain = 6,      // the camera answered at its new address
    AuthReadFailed = 7,  // the read with the administrator password failed
    Unauthorized = 8,    // the camera refused the read
};

// Keys note2 to note4 of section WaitDlg (note1 is shown nowhere).
enum class WaitNote { Reading = 2, Saving = 3, Refinding = 4 };

struct WizardTexts {
    std::array<QString, 8> messages;
    std::array<QString, 4> notes;
    SaveReportTexts report;

    void Load(const QString& langPath);
    QString Message(WizardMessage m) const { return messages[static_cast<size_t>(m) - 1]; }
    QString Note(WaitNote n) const { return notes[static_cast<size_t>(n) - 1]; }
};

}  // namespace orvanta::shell
