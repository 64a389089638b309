// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 11: the access points the camera found; the user picks one and types its key.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class WirelessSecurityBlock;

class CSubAPScan : public shell::CSubPage {
    Q_OBJECT
public:
    // Message3 is not shown: the key rule's refusal names the hexadecimal digits itself.
    enum class Msg { AskRescan = 1, WepKeyMissing, PreSharedKeyMissing = 4 };
    static constexpr int kList = 1167;
    static constexpr int kSsid = 1196;
    static constexpr int kMac = 1195;
    static constexpr int kMode = 1169;
    static constexpr int kChannel = 1168;
    static constexpr int kQuality = 1170;
    static constexpr int kSecurity = 1172;
    static constexpr int kAlgorithm = 1173;
    static constexpr int kWepKeyMode = 1206;
    static constexpr int kWepKeyFormat = 1207;
    static constexpr int kWepKeyLength = 1208;
    static constexpr int kWepKeyNumber = 1209;
    static constexpr int kWepKey = 1210;
    static constexpr int kPreSharedKey = 1199;
    static constexpr int kLabel = 1331;  // 1331 to 1343, in the order of the language keys
    static constexpr int kWepKeyLabel = 1344;
    static constexpr int kBack = 1166;
    static constexpr int kNext = 1165;
    static constexpr int kTitle = 1238;
    static constexpr int kMaxEntries = 1024;

    explicit CSubAPScan(QWidget* parent = nullptr);
    // The access points of the last scan; none: the user is offered a new scan.
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kWizardIp; }

protected:
    void LoadPageTexts(const QString& langPath) override;

private:
    void ShowEntry(int index);
    // Refuses (and says so) a missing key, or one the chosen network's `security` (the
    // camera's WireSec) cannot take.
    bool RefuseKey(int security);
    // The typed WEP key into its slot, with the chosen length, number and format.
    void StoreWepKey();

    WirelessSecurityBlock* security_;
};

}  // namespace orvanta::pages
