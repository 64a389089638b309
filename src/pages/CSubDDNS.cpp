#include "pages/CSubDDNS.h"

#include <QCheckBox>
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

CSubDDNS::CSubDDNS(QWidget* parent) : CSubPage("CSubDDNS", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* enable = new QCheckBox(this);
    enable->setObjectName(ControlName(kEnable));
    auto* grid = new QGridLayout;
    grid->addWidget(enable, 0, 0, 1, 2);
    AddRow(grid, MakeLabel(kLabel), MakeCombo(kProvider));
    AddRow(grid, MakeLabel(kLabel + 1), MakeEdit(kHostName, 127));
    AddRow(grid, MakeLabel(kLabel + 2), MakeEdit(kUserName, 63));
    QLineEdit* password = MakeEdit(kPassword, 20);
    password->setEchoMode(QLineEdit::Password);
    AddRow(grid, MakeLabel(kLabel + 3), password);
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kUpnp); });
    connect(next, &QPushButton::clicked, this, &CSubDDNS::OnNext);
}

void CSubDDNS::OnNext() {
    if (settings_->wizardMode == 1) {
        Post(nav::kSummary);
    } else if (AskOkCancel(this, textMessage1_, "Orvanta2", PromptIcon::Question)) {
        Post(nav::kSave);
    }
}

void CSubDDNS::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QCheckBox>(kEnable)->setText(Text(langPath, "DDNSPage", "DDNSEn"));
    const char* keys[] = {"Provider", "Hostname", "Username", "Password"};
    for (int i = 0; i < 4; ++i)
        Control<QLabel>(kLabel + i)->setText(Text(langPath, "DDNSPage", keys[i]));
    textMessage1_ = Text(langPath, "DDNSPage", "Message1", 1024);
    Control<QLabel>(kTitle)->setText(Text(langPath, "DDNSPage", "TitleDDNS", 1024));
}

}  // namespace orvanta::pages
