#include "pages/CSubPPPoE.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubPPPoE::CSubPPPoE(QWidget* parent) : CSubPage("CSubPPPoE", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* grid = new QGridLayout;
    AddRow(grid, MakeLabel(kUserLabel), MakeEdit(kUserName, 63));
    QLineEdit* password = MakeEdit(kPassword, 63);
    password->setEchoMode(QLineEdit::Password);
    AddRow(grid, MakeLabel(kPasswordLabel), password);
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kShowPic); });
    connect(next, &QPushButton::clicked, this, [this] { Post(nav::kUpnp); });
}

void CSubPPPoE::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QLabel>(kUserLabel)->setText(Text(langPath, "PPPoEPage", "UserID"));
    Control<QLabel>(kPasswordLabel)->setText(Text(langPath, "PPPoEPage", "Password"));
    Control<QLabel>(kTitle)->setText(Text(langPath, "PPPoEPage", "TitlePPPoE", 1024));
}

}  // namespace orvanta::pages
