#include "pages/CSubLANISP.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/forms/PppoeAccount.h"

namespace orvanta::pages {

using namespace shell;

CSubLANISP::CSubLANISP(QWidget* parent) : CSubPage("CSubLANISP", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* lan = MakeRadio(kLan);
    auto* pppoe = MakeRadio(kPppoe);
    auto* group = new QButtonGroup(this);
    group->addButton(lan);
    group->addButton(pppoe);
    auto* account = new PppoeAccount(
        this, {kUserName, kPassword, kConfirm, kUserLabel, kPasswordLabel, kConfirmLabel}, 32);
    auto* body = new QVBoxLayout;
    body->addWidget(lan);
    body->addWidget(pppoe);
    body->addLayout(account->Layout());
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(body), back, next);
    lan->setChecked(true);

    Bind(kLan, "LANISPPage", "RadioLAN");
    Bind(kPppoe, "LANISPPage", "RadioPPPoE");
    Bind(kUserLabel, "LANISPPage", "UserID");
    Bind(kPasswordLabel, "LANISPPage", "Password");
    Bind(kConfirmLabel, "LANISPPage", "ConfirmPwd");
    Bind(kTitle, "LANISPPage", "TitleISP", 1024);
}

void CSubLANISP::LoadPageTexts(const QString& langPath) {
    textMessage1_ = Text(langPath, "LANISPPage", "Message1");
}

std::optional<int> CSubLANISP::Next() {
    return Control<QRadioButton>(kLan)->isChecked() ? nav::kLanIp : nav::kUpnp;
}

}  // namespace orvanta::pages
