// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 6: the camera's wired address, by DHCP or fixed (manual road).
#include "shell/CSubPage.h"

namespace orvanta::pages {

class AddressBlock;

class CSubLANIP : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { AskWireless = 1 };
    static constexpr int kDhcp = 1097;
    static constexpr int kFixed = 1098;
    static constexpr int kAddress = 1014;  // 1014 to 1018: address, mask, gateway, DNS 1, DNS 2
    static constexpr int kLabel = 1309;    // 1309 to 1313
    static constexpr int kBack = 1040;
    static constexpr int kNext = 1004;
    static constexpr int kTitle = 1240;

    explicit CSubLANIP(QWidget* parent = nullptr);
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kLanIsp; }

private:
    AddressBlock* block_;
};

}  // namespace orvanta::pages
