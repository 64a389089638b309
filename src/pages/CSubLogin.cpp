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
}

void CSubLogin::LoadPageTexts(const QString& langPath) {
    auto* type = Control<QComboBox>(kLoginType);
    type->setItemText(0, Text(langPath, "LoginPage", "DiviceLogin"));
    type->setItemText(1, Text(langPath, "LoginPage", "UserLogin"));
    textMessage1_ = Text(langPath, "LoginPage", "Message1", 1024);
}

std::optional<int> CSubLogin::Next() {
    if (Control<QLineEdit>(kId)->text().isEmpty() ||
        Control<QLineEdit>(kPassword)->text().isEmpty()) {
        ShowMessage(this, textMessage1_, QString(), PromptIcon::Warning);
        return std::nullopt;
    }
    return nav::kServerList;
}

}  // namespace orvanta::pages
