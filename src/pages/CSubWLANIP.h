// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 8: the camera's wireless address, by DHCP or fixed.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class AddressBlock;

class CSubWLANIP : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kDhcp = 1161;
    static constexpr int kFixed = 1162;
    static constexpr int kAddress = 1101;  // 1101 to 1105
    static constexpr int kLabel = 1314;    // 1314 to 1318
    static constexpr int kBack = 1108;
    static constexpr int kNext = 1107;
    static constexpr int kTitle = 1353;
    static constexpr int kExit = 1106;  // hidden, no action

    explicit CSubWLANIP(QWidget* parent = nullptr);
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kWlanAp; }

private:
    AddressBlock* block_;
};

}  // namespace orvanta::pages
