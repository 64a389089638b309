// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 0: the main menu and the PC's own network type.
#include "shell/CSubPage.h"

class QLabel;

namespace orvanta::pages {

class CSubFirst : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kSearchCamera = 1013;
    static constexpr int kSetupCamera = 1006;
    static constexpr int kAbout = 1050;
    static constexpr int kServerSearch = 1012;
    static constexpr int kLanguage = 1348;
    static constexpr int kNetworkText = 1221;
    static constexpr int kNetworkGroup = 1246;
    static constexpr int kUnused = 1049;  // hidden and disabled, no part in the wizard

    static constexpr int kPictureDialUp = 206;
    static constexpr int kPictureRouter = 210;
    static constexpr int kPictureNoInternet = 211;

    explicit CSubFirst(QWidget* parent = nullptr);

    // The picture and text of how the PC reaches the internet.
    void ShowNetworkType();

    int PictureId() const { return pictureId_; }
    QString NetworkText() const { return networkText_; }

private:
    void LoadPageTexts(const QString& langPath) override;
    void SetPicture(int id);

    QString networkText_;
    int pictureId_ = 0;
    QString textEthernet_, textPppoe_, textFixedIp_, textDynamicIp_, textNotConnected_;
    QLabel* picture_ = nullptr;
};

}  // namespace orvanta::pages
