// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WizardTexts.h"

#include <string>

#include "lang/LangText.h"

namespace orvanta::shell {

void WizardTexts::Load(const QString& langPath) {
    for (size_t i = 0; i < messages.size(); ++i) {
        std::string key = "Message" + std::to_string(i + 1);
        messages[i] = lang::LoadText(langPath, "WizardDlg", key.c_str(), 1024);
    }
    for (size_t i = 0; i < notes.size(); ++i) {
        std::string key = "note" + std::to_string(i + 1);
        notes[i] = lang::LoadText(langPath, "WaitDlg", key.c_str(), 1024);
    }
    report.Load(langPath);
}

}  // namespace orvanta::shell
