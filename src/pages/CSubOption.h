// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 2: the guided wizard or the manual setup, after the camera's settings were read.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubOption : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kBack = 1001;
    static constexpr int kNext = 1034;
    static constexpr int kWizard = 1068;
    static constexpr int kManual = 1069;
    static constexpr int kWizardText = 1275;
    static constexpr int kManualText = 1276;

    explicit CSubOption(QWidget* parent = nullptr);

    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kSearch; }
};

}  // namespace orvanta::pages
