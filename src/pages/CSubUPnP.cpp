#include "pages/CSubUPnP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

using namespace shell;

CSubUPnP::CSubUPnP(QWidget* parent) : CSubPage("CSubUPnP", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* upnp = new QCheckBox(this);
    upnp->setObjectName(ControlName(kUpnp));
    auto* grid = new QGridLayout;
    grid->addWidget(upnp, 0, 0, 1, 2);
    AddRow(grid, MakeLabel(kHttpLabel), MakeEdit(kHttpPort, 5));
    AddRow(grid, MakeLabel(kStreamLabel), MakeEdit(kStreamPort, 5));
    AddRow(grid, MakeLabel(kRtspLabel), MakeEdit(kRtspPort, 5));
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);

    Bind(kUpnp, "UPnPPage", "UPnPEn");
    Bind(kHttpLabel, "UPnPPage", "HttpPort");
    Bind(kStreamLabel, "UPnPPage", "StreamPort");
    Bind(kRtspLabel, "UPnPPage", "RTSP");
    Bind(kTitle, "UPnPPage", "TitleUPnP", 1024);
}

std::optional<int> CSubUPnP::Back() {
    if (int code = BackCode()) return code;
    return std::nullopt;
}

int CSubUPnP::BackCode() const {
    const camera::CameraSettings& s = *settings_;
    if (s.wizardMode == 1) {
        if (s.WirelessCap == 1 && s.useWireless == 1)
            return s.useWps == 1 ? nav::kWps : nav::kApScan;
        if (s.WirelessCap == 0 || s.WirelessCap == 1)
            return s.skipAddressCheck == 1 ? nav::kPppoe : nav::kWizardIp;
        return 0;
    }
    if (s.wizardMode == 0) {
        if (s.cameraWireless == 1) return nav::kWlanIp;
        if (s.IPType == 0 || s.IPType == 1) return nav::kLanIp;
        if (s.IPType == 2) return nav::kLanIsp;
    }
    return 0;
}

void CSubUPnP::LoadPageTexts(const QString& langPath) {
    const char* keys[] = {"Message1", "Message2", "Message3", "Message4", "Message5", "Message6"};
    for (int i = 0; i < 6; ++i) textMessages_[i] = Text(langPath, "UPnPPage", keys[i], 2048);
}

}  // namespace orvanta::pages
