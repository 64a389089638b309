// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 3: the camera's host name, description and clock (manual road).
#include "camera/record/FieldCatalogue.h"
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubSystem : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kHostName = 1119;
    static constexpr int kDescription = 1120;
    static constexpr int kKeepTime = 1176;
    static constexpr int kSyncTime = 1177;
    static constexpr int kManualTime = 1178;
    static constexpr int kAutomaticTime = 1179;
    static constexpr int kDate = 1128;
    static constexpr int kTime = 1129;
    static constexpr int kNtpServer = 1023;
    static constexpr int kTimeZone = 1027;
    static constexpr int kUpdateInterval = 1026;
    static constexpr int kHostNameLabel = 1326;
    static constexpr int kDescriptionLabel = 1327;
    static constexpr int kDateLabel = 1328;
    static constexpr int kTimeLabel = 1329;
    static constexpr int kTimeZoneLabel = 1369;
    static constexpr int kIntervalLabel = 1370;
    static constexpr int kNtpServerLabel = 1330;  // not localised
    static constexpr int kBack = 1118;
    static constexpr int kNext = 1117;
    static constexpr int kTitle = 1239;

    static constexpr int kNameLimit = camera::kNameChars;

    explicit CSubSystem(QWidget* parent = nullptr);
    void Prepare() override;
    void LoadPageTexts(const QString& langPath) override;
    std::optional<int> Next() override;
    std::optional<int> Back() override;
};

}  // namespace orvanta::pages
