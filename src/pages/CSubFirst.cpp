// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubFirst.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

namespace {
constexpr QSize kPictureSize(DluX(170), DluY(125));
}

CSubFirst::CSubFirst(QWidget* parent) : CSubPage("CSubFirst", parent) {
    auto* find = MakeButton(kSearchCamera, 181, CXButtonXP::kIconLeft, false);
    auto* setup = MakeButton(kSetupCamera, 185, CXButtonXP::kIconLeft, false);
    auto* server = MakeButton(kServerSearch, 219, CXButtonXP::kIconLeft, false);
    auto* about = MakeButton(kAbout, 186, CXButtonXP::kIconLeft, false);
    auto* language = MakeButton(kLanguage, 245, CXButtonXP::kIconLeft, false);
    auto* unused = MakeButton(kUnused, 0, CXButtonXP::kIconLeft, false);
    unused->setEnabled(false);
    unused->hide();

    auto* group = MakeGroup(kNetworkGroup, "The Network Type");
    picture_ = new QLabel(group);
    picture_->setFixedSize(kPictureSize);
    auto* text = MakeLabel(kNetworkText);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(picture_, 0, Qt::AlignHCenter);
    groupLayout->addWidget(text);

    auto* menu = new QVBoxLayout;
    menu->setSpacing(DluY(6));
    for (CXButtonXP* b : {find, setup, server, about, language}) {
        b->setMinimumSize(DluX(150), DluY(24));
        menu->addWidget(b);
    }
    menu->addStretch(1);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(DluX(14), DluY(16), DluX(14), DluY(10));
    row->setSpacing(DluX(12));
    row->addLayout(menu);
    row->addWidget(group, 1);

    // The menu buttons start each road with the menu choices cleared but for their own.
    connect(find, &QPushButton::clicked, this, [this] {
        settings_->menuChoice1 = 1;
        settings_->menuChoice2 = settings_->menuChoice3 = 0;
        Post(nav::kSearch);
    });
    connect(setup, &QPushButton::clicked, this, [this] {
        settings_->menuChoice2 = 1;
        settings_->menuChoice1 = settings_->menuChoice3 = 0;
        Post(nav::kChoose);
    });
    connect(server, &QPushButton::clicked, this, [this] { Post(nav::kLogin); });
    connect(about, &QPushButton::clicked, this, [this] { Post(nav::kAbout); });
    connect(language, &QPushButton::clicked, this, [this] { Post(nav::kLanguage); });

    SetPicture(kPictureDialUp);

    Bind(kSearchCamera, "FirstPage", "Btn_FindCam", 256);
    Bind(kSetupCamera, "FirstPage", "Btn_SetupCam", 256);
    Bind(kServerSearch, "FirstPage", "Btn_FindNet", 256);
    Bind(kAbout, "FirstPage", "Btn_About", 256);
    Bind(kLanguage, "FirstPage", "Btn_Language");
    Bind(kNetworkGroup, "FirstPage", "NetworkType");
    Bind(kUnused, "FirstPage", "Btn_Unused");
}

void CSubFirst::SetPicture(int id) {
    pictureId_ = id;
    picture_->setPixmap(controls::ArtworkPixmap(id, kPictureSize, devicePixelRatioF()));
}

void CSubFirst::LoadPageTexts(const QString& langPath) {
    textEthernet_ = Text(langPath, "FirstPage", "LinkTypeEthernet", 256);
    textPppoe_ = Text(langPath, "FirstPage", "LinkTypePPPOE", 256);
    textFixedIp_ = Text(langPath, "FirstPage", "LinkFixedIP", 256);
    textDynamicIp_ = Text(langPath, "FirstPage", "LinkDynamicIP", 256);
    textNotConnected_ = Text(langPath, "FirstPage", "LinkNotConnect", 256);
}

void CSubFirst::ShowNetworkType() {
    const camera::CameraSettings& s = *settings_;
    QString address = s.pcUsesDhcp == 1 ? textDynamicIp_ : textFixedIp_;
    if (s.internetReachable == 1) {
        if (s.pcHasLan == 1 && s.pcHasDialUp == 1) {
            SetPicture(kPictureDialUp);
            networkText_ = textPppoe_ + '\n' + address;
        } else if (s.pcHasLan == 1 && s.pcHasDialUp == 0) {
            SetPicture(kPictureRouter);
            networkText_ = textEthernet_ + '\n' + address;
        } else if (s.pcHasLan == 0 && s.pcHasDialUp == 1) {
            SetPicture(kPictureDialUp);
            networkText_ = textPppoe_;
        } else {
            networkText_ = textFixedIp_;
        }
    } else {
        networkText_ = textNotConnected_;
        if (s.pcHasLan == 1 && s.pcHasDialUp == 0) SetPicture(kPictureNoInternet);
    }
    Control<QLabel>(kNetworkText)->setText(networkText_);
}

}  // namespace orvanta::pages
