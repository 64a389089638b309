// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubDDNS.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "camera/rules/DdnsProviders.h"
#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using namespace shell;

CSubDDNS::CSubDDNS(QWidget* parent) : CSubPage("CSubDDNS", parent) {
    BindMessages("DDNSPage", 1, 1024);
    auto* title = MakeTitle(kTitle);
    auto* enable = new QCheckBox(this);
    enable->setObjectName(ControlName(kEnable));
    auto* grid = new QGridLayout;
    grid->addWidget(enable, 0, 0, 1, 2);
    AddRow(grid, MakeLabel(kLabel), MakeCombo(kProvider));
    AddRow(grid, MakeLabel(kLabel + 1), MakeEdit(kHostName, kHostLimit));
    AddRow(grid, MakeLabel(kLabel + 2), MakeEdit(kUserName, kUserLimit));
    QLineEdit* password = MakeEdit(kPassword, kPasswordLimit);
    password->setEchoMode(QLineEdit::Password);
    AddRow(grid, MakeLabel(kLabel + 3), password);
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);

    Bind(kEnable, "DDNSPage", "DDNSEn");
    const char* keys[] = {"Provider", "Hostname", "Username", "Password"};
    for (int i = 0; i < 4; ++i) Bind(kLabel + i, "DDNSPage", keys[i]);
    Bind(kTitle, "DDNSPage", "TitleDDNS", 1024);

    // Follows the box also when the prepare step sets it, so a client switched on from the
    // record never shows locked fields.
    auto follow = [this](bool on) {
        for (int id : {kHostName, kUserName, kPassword}) Control<QLineEdit>(id)->setEnabled(on);
    };
    connect(enable, &QCheckBox::toggled, this, follow);
    follow(false);
    FillProviders(2);
}

void CSubDDNS::FillProviders(int count) {
    auto* list = Control<QComboBox>(kProvider);
    list->clear();
    const auto providers = camera::DdnsProviders();
    for (int i = 0; i < count; ++i) list->addItem(QString::fromLatin1(providers[i].label));
    list->setCurrentIndex(0);
}

void CSubDDNS::Prepare() {
    const camera::CameraSettings& s = *settings_;
    Control<QCheckBox>(kEnable)->setChecked(s.DDNS != 0);
    const std::string_view model = camera::FieldText(s.ModelName);
    FillProviders(camera::DdnsProviderCount(model));
    Control<QComboBox>(kProvider)->setCurrentIndex(
        camera::DdnsProviderPosition(model, camera::FieldText(s.DDNSSrv)));
    // A longer text the camera already holds is shown whole (the limits stop typing only).
    Control<QLineEdit>(kHostName)->setText(FieldString(s.DDNSHost));
    Control<QLineEdit>(kUserName)->setText(FieldString(s.DDNSUser));
    Control<QLineEdit>(kPassword)->setText(FieldString(s.DDNSPwd));
}

std::optional<int> CSubDDNS::Next() {
    camera::CameraSettings& s = *settings_;
    // The client's fields are in use only while it is switched on; switched off, the record
    // keeps the camera's own texts.
    const bool on = Control<QCheckBox>(kEnable)->isChecked();
    auto edit = [this](int id) { return Control<QLineEdit>(id); };
    auto label = [this](int i) { return Control<QLabel>(kLabel + i); };
    if (on && (RefuseUnfit(edit(kHostName), label(1), s.DDNSHost) ||
               RefuseUnfit(edit(kUserName), label(2), s.DDNSUser) ||
               RefuseUnfit(edit(kPassword), label(3), s.DDNSPwd)))
        return std::nullopt;
    s.DDNS = on ? 1 : 0;
    int position = Control<QComboBox>(kProvider)->currentIndex();
    if (position >= 0 && position < static_cast<int>(camera::DdnsProviders().size()))
        camera::SetFieldText(s.DDNSSrv, camera::DdnsProviders()[position].stored);
    if (on) {
        SetFieldString(s.DDNSHost, edit(kHostName)->text());
        SetFieldString(s.DDNSUser, edit(kUserName)->text());
        SetFieldString(s.DDNSPwd, edit(kPassword)->text());
    }
    if (s.wizardMode == 1) return nav::kSummary;
    if (AskOkCancel(this, Message(Msg::ConfirmSave), "Orvanta2", PromptIcon::Information))
        return nav::kSave;
    return std::nullopt;
}

}  // namespace orvanta::pages
