// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 19: the set-up is done; how the camera can now be reached.
#include "shell/CSubPage.h"
#include "shell/SaveReport.h"

namespace orvanta::pages {

class CSubSetupFinish : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kAddressLabel = 1296;
    static constexpr int kAddress = 1022;
    static constexpr int kCameraIdLabel = 1297;
    static constexpr int kCameraId = 1250;
    static constexpr int kMacLabel = 1298;
    static constexpr int kMac = 1020;
    static constexpr int kInterfaceLabel = 1299;
    static constexpr int kInterface = 1253;
    static constexpr int kPortLabel = 1300;
    static constexpr int kPort = 1251;
    static constexpr int kStreamPortLabel = 1301;
    static constexpr int kStreamPort = 1252;
    static constexpr int kLinkStatus = 1254;
    static constexpr int kOpenLink = 1262;
    static constexpr int kFinish = 1249;
    static constexpr int kIcon = 1272;
    static constexpr int kCheckSummary = 1255;  // what the pages read back after the save found
    static constexpr int kCheckList = 1256;     // the settings the camera did not keep

    explicit CSubSetupFinish(QWidget* parent = nullptr);
    // Shows the camera found again after the save, and what it did not keep.
    void Prepare() override;
    std::optional<int> Next() override { return shell::nav::kHome; }

protected:
    void LoadPageTexts(const QString& langPath) override { reportTexts_.Load(langPath); }

private:
    QString WebAddress() const;
    void ShowChecks();

    shell::SaveReportTexts reportTexts_;
};

}  // namespace orvanta::pages
