// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 9: UPnP and the camera's three service ports; every network road ends here.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubUPnP : public shell::CSubPage {
    Q_OBJECT
public:
    // In the order of camera::PortProblem.
    enum class Msg {
        HttpNotAccepted = 1,
        StreamNotAccepted,
        RtspNotAccepted,
        HttpIsStream,
        HttpIsRtsp,
        StreamIsRtsp
    };
    static constexpr int kUpnp = 1084;
    static constexpr int kHttpPort = 1156;
    static constexpr int kStreamPort = 1157;
    static constexpr int kRtspPort = 1158;
    static constexpr int kHttpLabel = 1283;
    static constexpr int kStreamLabel = 1284;
    static constexpr int kRtspLabel = 1285;
    static constexpr int kBack = 1086;
    static constexpr int kNext = 1085;
    static constexpr int kTitle = 1350;

    explicit CSubUPnP(QWidget* parent = nullptr);
    void Prepare() override;
    // Stores UPnP and the typed ports, then checks them; a refusal keeps what was stored.
    std::optional<int> Next() override;
    std::optional<int> Back() override;
};

}  // namespace orvanta::pages
