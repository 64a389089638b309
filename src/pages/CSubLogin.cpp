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

CSubLogin::CSubLogin(QWidget* parent) : CSubPage("CSubLogin", kTemplate, parent) {
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
    auto* back = MakeButton(kBack, kIconBack, CXButtonXP::kIconLeft, true);
    auto* next = MakeButton(kNext, kIconNext, CXButtonXP::kIconRight, true);
    auto* home = MakeButton(kHome, 0, CXButtonXP::kIconLeft, false);
    home->setEnabled(false);
    home->hide();
    BuildFrame(title, content, back, next);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kHome); });
    connect(home, &QPushButton::clicked, this, [this] { Post(nav::kHome); });
    connect(next, &QPushButton::clicked, this, &CSubLogin::OnNext);
}

void CSubLogin::OnNext() {
    if (Control<QLineEdit>(kId)->text().isEmpty() ||
        Control<QLineEdit>(kPassword)->text().isEmpty()) {
        ShowMessage(this, textMessage1_, QString(), PromptIcon::Warning);
        return;
    }
    Post(nav::kServerList);
}

void CSubLogin::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QLabel>(kTitle)->setText(Text(langPath, "LoginPage", "TitleLogin", 1024));
    Control<QLabel>(kNote)->setText(Text(langPath, "LoginPage", "Note", 1024));
    Control<QLabel>(kLoginTypeLabel)->setText(Text(langPath, "LoginPage", "LoginType"));
    auto* type = Control<QComboBox>(kLoginType);
    type->setItemText(0, Text(langPath, "LoginPage", "DiviceLogin"));
    type->setItemText(1, Text(langPath, "LoginPage", "UserLogin"));
    Control<QLabel>(kIdLabel)->setText(Text(langPath, "LoginPage", "ID"));
    Control<QLabel>(kPasswordLabel)->setText(Text(langPath, "LoginPage", "Password"));
    textMessage1_ = Text(langPath, "LoginPage", "Message1", 1024);
}

}  // namespace orvanta::pages
