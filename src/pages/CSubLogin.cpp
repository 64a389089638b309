// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubLogin.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubLogin::CSubLogin(QWidget* parent) : CSubPage("CSubLogin", parent) {
    BindMessages("LoginPage", 5, 1024);
    auto* title = MakeTitle(kTitle);
    auto* grid = new QGridLayout;
    grid->addWidget(MakeLabel(kNote), 0, 0, 1, 2);
    QComboBox* type = MakeCombo(kLoginType);
    type->addItems({"Device login", "User login"});
    type->setCurrentIndex(0);
    AddRow(grid, MakeLabel(kLoginTypeLabel), type);
    AddRow(grid, MakeLabel(kIdLabel), MakeEdit(kId, 32));
    QLineEdit* password = MakeEdit(kPassword, 32);
    password->setEchoMode(QLineEdit::Password);
    AddRow(grid, MakeLabel(kPasswordLabel), password);
    grid->setColumnStretch(1, 1);
    auto* content = new QVBoxLayout;
    content->addLayout(grid);
    content->addStretch(1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    auto* home = MakeButton(kHome, 0, CXButtonXP::kIconLeft, false);
    home->setEnabled(false);
    home->hide();
    BuildFrame(title, content, back, next);

    connect(home, &QPushButton::clicked, this, [this] { Post(nav::kHome); });

    Bind(kTitle, "LoginPage", "TitleLogin", 1024);
    Bind(kNote, "LoginPage", "Note", 1024);
    Bind(kLoginTypeLabel, "LoginPage", "LoginType");
    Bind(kIdLabel, "LoginPage", "ID");
    Bind(kPasswordLabel, "LoginPage", "Password");
    Bind(kHome, "LoginPage", "BtnHome");
}

void CSubLogin::LoadPageTexts(const QString& langPath) {
    auto* type = Control<QComboBox>(kLoginType);
    type->setItemText(0, Text(langPath, "LoginPage", "DiviceLogin"));
    type->setItemText(1, Text(langPath, "LoginPage", "UserLogin"));
}

QString CSubLogin::FailureText(int result) const {
    switch (result) {
        case camera::CAM_ERR_CONNECT:
        case camera::CAM_ERR_REFUSED:
        case camera::CAM_ERR_SEND:
            return Message(Msg::NoConnection);
        case camera::CAM_ERR_NO_ANSWER:
            return Message(Msg::NoAnswer);
        case camera::CAM_ERR_UNAUTHORIZED:
            return Message(Msg::Refused);
        default:
            return Message(Msg::Failed);
    }
}

std::optional<int> CSubLogin::Next() {
    auto* id = Control<QLineEdit>(kId);
    auto* password = Control<QLineEdit>(kPassword);
    if (id->text().isEmpty() || password->text().isEmpty()) {
        ShowMessage(this, Message(Msg::IdOrPasswordMissing), QString(), PromptIcon::Warning);
        return std::nullopt;
    }
    camera::ServerLogin login{};
    // Both go into the query as typed, as UTF-8, whole or not at all.
    if (RefuseUnfit(id, Control<QLabel>(kIdLabel), login.id) ||
        RefuseUnfit(password, Control<QLabel>(kPasswordLabel), login.password))
        return std::nullopt;
    SetFieldString(login.id, id->text());
    SetFieldString(login.password, password->text());
    const int page = Control<QComboBox>(kLoginType)->currentIndex() == 0 ? camera::kDeviceLoginPage
                                                                         : camera::kUserLoginPage;
    ServerBackend::Listing listing = Context().server->ListCameras(login, page);
    // A failed login says why; an account without cameras shows the empty list.
    if (listing.result != camera::CAM_OK) {
        ShowMessage(this, FailureText(listing.result), QString(), PromptIcon::Warning);
        return std::nullopt;
    }
    cameras_ = std::move(listing.cameras);
    return nav::kServerList;
}

}  // namespace orvanta::pages
