// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubOption.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using namespace shell;

CSubOption::CSubOption(QWidget* parent) : CSubPage("CSubOption", parent) {
    auto* wizard = MakeRadio(kWizard);
    auto* manual = MakeRadio(kManual);
    auto* group = new QButtonGroup(this);
    group->addButton(wizard);
    group->addButton(manual);
    auto* wizardText = MakeLabel(kWizardText);
    auto* manualText = MakeLabel(kManualText);
    auto [back, next] = MakeBackNext(kBack, kNext);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(DluX(20), DluY(30), DluX(20), 0);
    grid->setVerticalSpacing(DluY(6));
    grid->addWidget(wizard, 0, 0);
    grid->addWidget(wizardText, 1, 0);
    grid->setRowMinimumHeight(2, DluY(18));
    grid->addWidget(manual, 3, 0);
    grid->addWidget(manualText, 4, 0);
    grid->setRowStretch(5, 1);
    auto* content = new QVBoxLayout;
    content->addLayout(grid);
    BuildFrame(nullptr, content, back, next);

    wizard->setChecked(true);
    connect(wizard, &QRadioButton::clicked, this, [this] { settings_->wizardMode = 1; });
    connect(manual, &QRadioButton::clicked, this, [this] { settings_->wizardMode = 0; });

    Bind(kWizard, "OptionPage", "RadioWizard");
    Bind(kManual, "OptionPage", "RadioMaunal");
    Bind(kWizardText, "OptionPage", "StaticWizard");
    Bind(kManualText, "OptionPage", "StaticMaunal");
}

void CSubOption::Prepare() {
    auto* wizard = Control<QRadioButton>(kWizard);
    auto* manual = Control<QRadioButton>(kManual);
    bool offered = settings_->newFeatures == 1;
    settings_->wizardMode = offered ? 1 : 0;
    wizard->setEnabled(offered);
    SetChecked(wizard, offered);
    SetChecked(manual, !offered);
    Control<QLabel>(kWizardText)->setEnabled(offered);
}

std::optional<int> CSubOption::Next() {
    if (Control<QRadioButton>(kWizard)->isChecked()) {
        settings_->wizardMode = 1;
        QDateTime now = Context().clock();
        camera::SetFieldText(settings_->Date, now.toString("yyyy/MM/dd").toStdString());
        camera::SetFieldText(settings_->Time, now.toString("HH:mm:ss").toStdString());
        return settings_->skipAddressCheck == 1 ? nav::kPppoe : nav::kWizardIp;
    }
    if (Control<QRadioButton>(kManual)->isChecked()) {
        settings_->wizardMode = 0;
        return nav::kSystem;
    }
    ShowMessage(this, LoadedText("OptionPage", "ChooseSetupType", "Please chose one setup type!"),
                "Orvanta2", PromptIcon::Information);
    return std::nullopt;
}

}  // namespace orvanta::pages
