// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 16: the PPPoE account the camera dials with (guided road).
#include "shell/CSubPage.h"

namespace orvanta::pages {

class PppoeAccount;

class CSubPPPoE : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kUserName = 1222;
    static constexpr int kPassword = 1223;
    static constexpr int kUserLabel = 1294;
    static constexpr int kPasswordLabel = 1295;
    static constexpr int kBack = 1225;
    static constexpr int kNext = 1224;
    static constexpr int kTitle = 1349;

    explicit CSubPPPoE(QWidget* parent = nullptr);
    // The user name the PC dials with is offered; the password is typed anew.
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kOption; }

private:
    PppoeAccount* account_;
};

}  // namespace orvanta::pages
