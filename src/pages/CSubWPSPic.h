// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 14: how WPS is done: the router's button first, then the camera's.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubWPSPic : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kNote1 = 1302;
    static constexpr int kNote2 = 1304;
    static constexpr int kNote3 = 1303;  // hidden
    static constexpr int kBack = 1213;
    static constexpr int kNext = 1214;
    static constexpr int kTitle = 1355;
    static constexpr int kPicture = 209;

    explicit CSubWPSPic(QWidget* parent = nullptr);
    std::optional<int> Next() override { return shell::nav::kWps; }
    std::optional<int> Back() override { return shell::nav::kWizardIp; }
};

}  // namespace orvanta::pages
