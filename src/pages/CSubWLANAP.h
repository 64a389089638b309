// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 7: the camera's wireless settings typed by hand.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class WirelessSecurityBlock;

class CSubWLANAP : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kSsid = 1134;
    static constexpr int kMode = 1133;
    static constexpr int kChannel = 1132;
    static constexpr int kTxRate = 1131;
    static constexpr int kSecurity = 1130;
    static constexpr int kAuthentication = 1135;
    static constexpr int kKeyLength = 1136;
    static constexpr int kKeyFormat = 1137;
    static constexpr int kDefaultKey = 1325;
    static constexpr int kWepKey = 1142;
    static constexpr int kWpaAlgorithm = 1152;
    static constexpr int kPreSharedKey = 1153;
    static constexpr int kSsidLabel = 1319;
    static constexpr int kModeLabel = 1320;
    static constexpr int kChannelLabel = 1321;
    static constexpr int kTxRateLabel = 1322;
    static constexpr int kSecurityLabel = 1323;
    static constexpr int kKeyLengthLabel = 1148;
    static constexpr int kAuthenticationLabel = 1146;
    static constexpr int kKeyFormatLabel = 1147;
    static constexpr int kDefaultKeyLabel = 1149;
    static constexpr int kWepKeyLabel = 1150;
    static constexpr int kAlgorithmLabel = 1151;
    static constexpr int kPreSharedKeyLabel = 1154;
    static constexpr int kBack = 1061;
    static constexpr int kNext = 1062;
    static constexpr int kTitle = 1352;

    explicit CSubWLANAP(QWidget* parent = nullptr);
    // The record's network; the channel list is the camera region's.
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kLanIp; }

private:
    void BindTexts();
    void LoadPageTexts(const QString& langPath) override;

    void ModeChosen(int position);
    void ShowSecurityGroups(int position);
    void ShowRecordKey(int slot);

    WirelessSecurityBlock* security_;
    std::vector<QWidget*> wpaWidgets_;
};

}  // namespace orvanta::pages
