// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 17: how the new camera gets its address on the guided road: DHCP, or a fixed address
// (a free one proposed) with the PC's mask, gateway and DNS server, testable by ARP.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class AddressBlock;

class CSubWizardIP : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { AskWps = 1 };
    static constexpr int kDhcp = 1234;
    static constexpr int kFixed = 1236;
    static constexpr int kAddress = 1227;
    static constexpr int kMask = 1228;
    static constexpr int kGateway = 1229;
    static constexpr int kDns = 1233;
    static constexpr int kAddressLabel = 1278;  // 1278 to 1281
    static constexpr int kTestAddress = 1230;
    static constexpr int kNote = 1282;
    static constexpr int kBack = 1231;
    static constexpr int kNext = 1232;
    static constexpr int kTitle = 1351;

    explicit CSubWizardIP(QWidget* parent = nullptr);
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kOption; }

private:
    void OnAddressEdited(const QString& text);
    void OnTest();

    AddressBlock* block_;
};

}  // namespace orvanta::pages
