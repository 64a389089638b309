// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubUPnP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "camera/rules/PortRules.h"
#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using namespace shell;

CSubUPnP::CSubUPnP(QWidget* parent) : CSubPage("CSubUPnP", parent) {
    BindMessages("UPnPPage", 6, 2048);
    auto* title = MakeTitle(kTitle);
    auto* upnp = new QCheckBox(this);
    upnp->setObjectName(ControlName(kUpnp));
    auto* grid = new QGridLayout;
    grid->addWidget(upnp, 0, 0, 1, 2);
    // No length limit: a cut paste could turn into another valid port unseen.
    AddRow(grid, MakeLabel(kHttpLabel), MakeEdit(kHttpPort));
    AddRow(grid, MakeLabel(kStreamLabel), MakeEdit(kStreamPort));
    AddRow(grid, MakeLabel(kRtspLabel), MakeEdit(kRtspPort));
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);

    Bind(kUpnp, "UPnPPage", "UPnPEn");
    Bind(kHttpLabel, "UPnPPage", "HttpPort");
    Bind(kStreamLabel, "UPnPPage", "StreamPort");
    Bind(kRtspLabel, "UPnPPage", "RTSP");
    Bind(kTitle, "UPnPPage", "TitleUPnP", 1024);
}

void CSubUPnP::Prepare() {
    Control<QCheckBox>(kUpnp)->setChecked(settings_->UPnPE != 0);
    Control<QLineEdit>(kHttpPort)->setText(QString::number(settings_->HttpPort));
    Control<QLineEdit>(kStreamPort)->setText(QString::number(settings_->SPort));
    Control<QLineEdit>(kRtspPort)->setText(QString::number(settings_->RTSPPort));
}

std::optional<int> CSubUPnP::Next() {
    camera::CameraSettings& s = *settings_;
    // The camera is sent what UPnPE holds: an unticked box means UPnP off.
    s.UPnPE = Control<QCheckBox>(kUpnp)->isChecked() ? 1 : 0;
    const int ids[] = {kHttpPort, kStreamPort, kRtspPort};
    int32_t* fields[] = {&s.HttpPort, &s.SPort, &s.RTSPPort};
    int64_t ports[3];
    for (int i = 0; i < 3; ++i) {
        ports[i] = camera::PortNumber(Control<QLineEdit>(ids[i])->text().toStdString());
        // Typed ports are kept even when refused, but never one the camera cannot hold.
        if (camera::IsPortNumber(ports[i])) *fields[i] = static_cast<int32_t>(ports[i]);
    }
    camera::PortProblem problem = camera::CheckPorts(ports[0], ports[1], ports[2]);
    if (problem == camera::PortProblem::None) return nav::kDdns;
    // The stream and RTSP range messages carry the program's name as caption, the rest none.
    const bool named = problem == camera::PortProblem::StreamNotAccepted ||
                       problem == camera::PortProblem::RtspNotAccepted;
    ShowMessage(this, Message(static_cast<Msg>(problem)), named ? "Orvanta2" : "",
                PromptIcon::Error);
    return std::nullopt;
}

std::optional<int> CSubUPnP::Back() {
    if (int code = workflow::UpnpBackCode(*settings_)) return code;
    return std::nullopt;
}

}  // namespace orvanta::pages
