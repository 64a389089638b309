// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubLANISP.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "pages/forms/PppoeAccount.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using namespace shell;

namespace {
std::string CameraKey(const camera::CameraSettings& s) {
    return std::string(camera::FieldText(s.cameraIdText)) + "@" +
           std::string(camera::FieldText(s.cameraAddressText));
}
}  // namespace

CSubLANISP::CSubLANISP(QWidget* parent) : CSubPage("CSubLANISP", parent) {
    BindMessages("LANISPPage", 1);
    auto* title = MakeTitle(kTitle);
    auto* lan = MakeRadio(kLan);
    auto* pppoe = MakeRadio(kPppoe);
    auto* group = new QButtonGroup(this);
    group->addButton(lan);
    group->addButton(pppoe);
    account_ = new PppoeAccount(
        this, {kUserName, kPassword, kConfirm, kUserLabel, kPasswordLabel, kConfirmLabel}, 32);
    auto* body = new QVBoxLayout;
    body->addWidget(lan);
    body->addWidget(pppoe);
    body->addLayout(account_->Layout());
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(body), back, next);
    lan->setChecked(true);
    account_->SetEnabled(false);
    connect(lan, &QRadioButton::clicked, this, [this] { account_->SetEnabled(false); });
    connect(pppoe, &QRadioButton::clicked, this, [this] { account_->SetEnabled(true); });

    Bind(kLan, "LANISPPage", "RadioLAN");
    Bind(kPppoe, "LANISPPage", "RadioPPPoE");
    Bind(kUserLabel, "LANISPPage", "UserID");
    Bind(kPasswordLabel, "LANISPPage", "Password");
    Bind(kConfirmLabel, "LANISPPage", "ConfirmPwd");
    Bind(kTitle, "LANISPPage", "TitleISP", 1024);
}

void CSubLANISP::Prepare() {
    const camera::CameraSettings& s = *settings_;
    if (s.IPType == 0 || s.IPType == 1) wired_ = {s.IPType, CameraKey(s)};
    if (s.IPType == 2) {
        SetChecked(Control<QRadioButton>(kPppoe), true);
        account_->Load(s);
        account_->SetEnabled(true);
    } else if (s.IPType == 0 || s.IPType == 1) {
        SetChecked(Control<QRadioButton>(kLan), true);
        account_->SetEnabled(false);
    }
}

std::optional<int> CSubLANISP::Next() {
    if (Control<QRadioButton>(kLan)->isChecked()) {
        // Back from PPPoE to LAN: the wired address mode the camera (or the LAN page) had
        // before, with its addresses, rather than a blank page.
        camera::CameraSettings& s = *settings_;
        if (s.IPType == 2) s.IPType = wired_.camera == CameraKey(s) ? wired_.type : 0;
        return nav::kLanIp;
    }
    if (!Control<QRadioButton>(kPppoe)->isChecked()) {
        ShowMessage(this, LoadedText("LANISPPage", "ChooseLinkType", "Please Choose one link type"),
                    QString(), PromptIcon::None);
        return std::nullopt;
    }
    if (account_->Password()->text() != account_->Confirm()->text()) {
        ShowMessage(this, Message(Msg::PasswordsDiffer), "Orvanta2", PromptIcon::Error);
        return std::nullopt;
    }
    if (account_->RefuseUnfit(*settings_)) return std::nullopt;
    settings_->IPType = 2;
    account_->Store(*settings_);
    return nav::kUpnp;  // a PPPoE camera has no wired address to set
}

}  // namespace orvanta::pages
