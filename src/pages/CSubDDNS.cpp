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

    Bind(kEnable, "DDNSPage", "DDNSEn");
    const char* keys[] = {"Provider", "Hostname", "Username", "Password"};
    for (int i = 0; i < 4; ++i) Bind(kLabel + i, "DDNSPage", keys[i]);
    Bind(kTitle, "DDNSPage", "TitleDDNS", 1024);
}

void CSubDDNS::LoadPageTexts(const QString& langPath) {
    textMessage1_ = Text(langPath, "DDNSPage", "Message1", 1024);
}

std::optional<int> CSubDDNS::Next() {
    if (settings_->wizardMode == 1) return nav::kSummary;
    if (AskOkCancel(this, textMessage1_, "Orvanta2", PromptIcon::Question)) return nav::kSave;
    return std::nullopt;
}

}  // namespace orvanta::pages
