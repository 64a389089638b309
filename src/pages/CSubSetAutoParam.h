// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 13: what will be written to the camera, in five boxes built from the record, and the
// save.
#include "camera/rules/SettingsSummary.h"
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubSetAutoParam : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { ConfirmSave = 1 };
    static constexpr int kSystemGroup = 1367;
    static constexpr int kSystemText = 1368;
    static constexpr int kNetworkGroup = 1363;
    static constexpr int kNetworkText = 1211;
    static constexpr int kWirelessGroup = 1364;
    static constexpr int kWirelessText = 1225;
    static constexpr int kUpnpGroup = 1365;
    static constexpr int kUpnpText = 1224;
    static constexpr int kDdnsGroup = 1366;
    static constexpr int kDdnsText = 1226;
    static constexpr int kBack = 1164;
    static constexpr int kSave = 1163;

    explicit CSubSetAutoParam(QWidget* parent = nullptr);
    // Rebuilds the five summaries from the record.
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kDdns; }

private:
    void LoadPageTexts(const QString& langPath) override;

    camera::SummaryLabels labels_;
    camera::SettingsSummary summary_;
};

}  // namespace orvanta::pages
