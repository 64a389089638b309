#pragma once
// Page 13: what will be written to the camera, and the save.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubSetAutoParam : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTemplate = 171;
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
    void LoadTexts(const QString& langPath) override;

private:
    void OnSave();
    QString textMessage1_;
    QString langPath_;
};

}  // namespace orvanta::pages
