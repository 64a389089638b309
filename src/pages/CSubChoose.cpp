// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubChoose.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

using namespace shell;

CSubChoose::CSubChoose(QWidget* parent) : CSubPage("CSubChoose", parent) {
    auto* question = MakeLabel(kQuestion);
    // Made in reading order, which Tab follows.
    auto* yes = MakeRadio(kYes);
    auto* lan = MakeRadio(kLan);
    auto* wireless = MakeRadio(kWireless);
    auto* pppoe = MakeRadio(kPppoe);
    auto* no = MakeRadio(kNo);
    auto* answer = new QButtonGroup(this);
    answer->addButton(yes);
    answer->addButton(no);
    auto* link = new QButtonGroup(this);
    link->addButton(lan);
    link->addButton(wireless);
    link->addButton(pppoe);
    auto* noNote = MakeLabel(kNoNote);
    auto [back, next] = MakeBackNext(kBack, kNext);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(DluX(16), DluY(16), DluX(16), 0);
    grid->setVerticalSpacing(DluY(5));
    grid->addWidget(question, 0, 0, 1, 2);
    grid->setRowMinimumHeight(1, DluY(6));
    grid->addWidget(yes, 2, 0, 1, 2);
    auto* links = new QVBoxLayout;
    links->setContentsMargins(DluX(18), 0, 0, 0);
    links->addWidget(lan);
    links->addWidget(wireless);
    links->addWidget(pppoe);
    grid->addLayout(links, 3, 0, 1, 2);
    grid->setRowMinimumHeight(4, DluY(8));
    grid->addWidget(no, 5, 0, 1, 2);
    noNote->setContentsMargins(DluX(18), 0, 0, 0);
    grid->addWidget(noNote, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    auto* content = new QVBoxLayout;
    content->addLayout(grid);
    BuildFrame(nullptr, content, back, next);

    yes->setChecked(true);
    connect(yes, &QRadioButton::clicked, this, &CSubChoose::OnYes);
    connect(no, &QRadioButton::clicked, this, &CSubChoose::OnNo);

    const std::pair<int, const char*> captions[] = {
        {kQuestion, "Note1"},         {kYes, "RadioYes"},     {kNo, "RadioNo"},  {kLan, "RadioLan"},
        {kWireless, "RadioWireless"}, {kPppoe, "RadioPPPoE"}, {kNoNote, "Note2"}};
    for (auto [id, key] : captions) Bind(id, "ChoosePage", key);
}

// 1 selects, 0 clears, -1 leaves as it is.
void CSubChoose::Select(int lan, int wireless, int pppoe) {
    // Clear first so that the exclusive group never refuses a selection.
    const std::pair<int, int> states[] = {{kLan, lan}, {kWireless, wireless}, {kPppoe, pppoe}};
    for (auto [id, state] : states)
        if (state == 0) SetChecked(Control<QRadioButton>(id), false);
    for (auto [id, state] : states)
        if (state == 1) SetChecked(Control<QRadioButton>(id), true);
}

void CSubChoose::Prepare() {
    const camera::CameraSettings& s = *settings_;
    auto* lan = Control<QRadioButton>(kLan);
    auto* wireless = Control<QRadioButton>(kWireless);
    auto* pppoe = Control<QRadioButton>(kPppoe);
    if (s.pcHasLan == 1 && s.pcHasDialUp == 1) {
        Select(0, 0, 1);
        wireless->setEnabled(false);
    } else if (s.pcHasLan == 0 && s.pcHasDialUp == 1) {
        Select(0, 0, 1);
        lan->setEnabled(false);
        wireless->setEnabled(false);
    } else if (s.pcHasLan == 1 && s.pcHasDialUp == 0) {
        Select(1, 0, 0);
        pppoe->setEnabled(false);
    } else {
        Select(1, 0, 0);
    }
}

void CSubChoose::OnYes() {
    const camera::CameraSettings& s = *settings_;
    for (int id : {kLan, kWireless, kPppoe}) Control<QRadioButton>(id)->setEnabled(true);
    if (s.pcHasLan == 1 && s.pcHasDialUp == 1) {
        Select(0, 0, 1);
        Control<QRadioButton>(kWireless)->setEnabled(false);
    } else if (s.pcHasLan == 1 && s.pcHasDialUp == 0) {
        Select(s.useWireless != 0 ? 0 : 1, s.useWireless != 0 ? 1 : 0, 0);
        Control<QRadioButton>(kPppoe)->setEnabled(false);
    } else {
        Select(1, 0, 0);
    }
}

void CSubChoose::OnNo() {
    for (int id : {kLan, kWireless, kPppoe}) Control<QRadioButton>(id)->setEnabled(false);
}

std::optional<int> CSubChoose::Next() {
    camera::CameraSettings& s = *settings_;
    if (Control<QRadioButton>(kYes)->isChecked()) {
        s.newCameraSetup = 1;
        if (Control<QRadioButton>(kLan)->isChecked()) {
            s.skipAddressCheck = 0;
            s.useWireless = 0;
            s.useWps = 0;
        } else if (Control<QRadioButton>(kPppoe)->isChecked()) {
            s.skipAddressCheck = 1;
            s.useWireless = 0;
        } else if (Control<QRadioButton>(kWireless)->isChecked()) {
            s.useWireless = 1;
            s.skipAddressCheck = 0;
        }
        return nav::kShowPic;
    }
    s.newCameraSetup = 0;
    s.wizardMode = 0;
    return nav::kSearch;
}

}  // namespace orvanta::pages
