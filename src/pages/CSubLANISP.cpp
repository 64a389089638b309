#include "pages/CSubLANISP.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubLANISP::CSubLANISP(QWidget* parent) : CSubPage("CSubLANISP", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* lan = MakeRadio(kLan);
    auto* pppoe = MakeRadio(kPppoe);
    auto* group = new QButtonGroup(this);
    group->addButton(lan);
    group->addButton(pppoe);
    auto* grid = new QGridLayout;
    grid->addWidget(lan, 0, 0, 1, 2);
    grid->addWidget(pppoe, 1, 0, 1, 2);
    AddRow(grid, MakeLabel(kUserLabel), MakeEdit(kUserName, 63));
    QLineEdit* password = MakeEdit(kPassword, 63);
    password->setEchoMode(QLineEdit::Password);
    AddRow(grid, MakeLabel(kPasswordLabel), password);
    QLineEdit* confirm = MakeEdit(kConfirm, 63);
    confirm->setEchoMode(QLineEdit::Password);
    AddRow(grid, MakeLabel(kConfirmLabel), confirm);
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);
    lan->setChecked(true);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kSystem); });
    connect(next, &QPushButton::clicked, this,
            [this] { Post(Control<QRadioButton>(kLan)->isChecked() ? nav::kLanIp : nav::kUpnp); });
}

void CSubLANISP::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QRadioButton>(kLan)->setText(Text(langPath, "LANISPPage", "RadioLAN"));
    Control<QRadioButton>(kPppoe)->setText(Text(langPath, "LANISPPage", "RadioPPPoE"));
    Control<QLabel>(kUserLabel)->setText(Text(langPath, "LANISPPage", "UserID"));
    Control<QLabel>(kPasswordLabel)->setText(Text(langPath, "LANISPPage", "Password"));
    Control<QLabel>(kConfirmLabel)->setText(Text(langPath, "LANISPPage", "ConfirmPwd"));
    textMessage1_ = Text(langPath, "LANISPPage", "Message1");
    Control<QLabel>(kTitle)->setText(Text(langPath, "LANISPPage", "TitleISP", 1024));
}

}  // namespace orvanta::pages
