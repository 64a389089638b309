// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 5: the camera's link to the internet, LAN or PPPoE (manual road).
#include <string>

#include "shell/CSubPage.h"

namespace orvanta::pages {

class PppoeAccount;

class CSubLANISP : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { PasswordsDiffer = 1 };
    static constexpr int kLan = 1093;
    static constexpr int kPppoe = 1092;
    static constexpr int kUserName = 1094;
    static constexpr int kPassword = 1095;
    static constexpr int kConfirm = 1096;
    static constexpr int kUserLabel = 1306;
    static constexpr int kPasswordLabel = 1307;
    static constexpr int kConfirmLabel = 1308;
    static constexpr int kBack = 1065;
    static constexpr int kNext = 1064;
    static constexpr int kTitle = 1241;

    explicit CSubLANISP(QWidget* parent = nullptr);
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kSystem; }

private:
    PppoeAccount* account_;
    // The wired address mode (0 DHCP, 1 fixed) a camera had before PPPoE was chosen for it;
    // DHCP for one that came with PPPoE.
    struct {
        uint8_t type = 0;
        std::string camera;
    } wired_;
};

}  // namespace orvanta::pages
