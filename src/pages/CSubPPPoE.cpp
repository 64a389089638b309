// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubPPPoE.h"

#include <QGridLayout>
#include <QLineEdit>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "pages/forms/PppoeAccount.h"

namespace orvanta::pages {

using namespace shell;

CSubPPPoE::CSubPPPoE(QWidget* parent) : CSubPage("CSubPPPoE", parent) {
    auto* title = MakeTitle(kTitle);
    account_ = new PppoeAccount(this, {kUserName, kPassword, 0, kUserLabel, kPasswordLabel, 0}, 63);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(account_->Layout()), back, next);

    Bind(kUserLabel, "PPPoEPage", "UserID");
    Bind(kPasswordLabel, "PPPoEPage", "Password");
    Bind(kTitle, "PPPoEPage", "TitlePPPoE", 1024);
}

void CSubPPPoE::Prepare() {
    account_->User()->setText(FieldString(settings_->PhonebookUser));
    account_->Password()->clear();
}

std::optional<int> CSubPPPoE::Next() {
    if (account_->RefuseUnfit(*settings_)) return std::nullopt;
    settings_->IPType = 2;
    account_->Store(*settings_);
    return nav::kUpnp;
}

}  // namespace orvanta::pages
