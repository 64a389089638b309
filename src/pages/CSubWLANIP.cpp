#include "pages/CSubWLANIP.h"

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

CSubWLANIP::CSubWLANIP(QWidget* parent) : CSubPage("CSubWLANIP", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* dhcp = MakeRadio(kDhcp);
    auto* fixed = MakeRadio(kFixed);
    auto* group = new QButtonGroup(this);
    group->addButton(dhcp);
    group->addButton(fixed);
    auto* grid = new QGridLayout;
    grid->addWidget(dhcp, 0, 0, 1, 2);
    grid->addWidget(fixed, 1, 0, 1, 2);
    for (int i = 0; i < 5; ++i) AddRow(grid, MakeLabel(kLabel + i), MakeAddressEdit(kAddress + i));
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    MakeButton(kExit, 0, CXButtonXP::kIconLeft, false)->hide();
    BuildFrame(title, TopAligned(grid), back, next);
    dhcp->setChecked(true);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kWlanAp); });
    connect(next, &QPushButton::clicked, this, [this] { Post(nav::kUpnp); });
}

void CSubWLANIP::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QRadioButton>(kDhcp)->setText(Text(langPath, "WLANIPPage", "RadioDHCP"));
    Control<QRadioButton>(kFixed)->setText(Text(langPath, "WLANIPPage", "RadioFixIP"));
    const char* keys[] = {"IP", "Submask", "Gateway", "DNS", "DNS2"};
    for (int i = 0; i < 5; ++i)
        Control<QLabel>(kLabel + i)->setText(Text(langPath, "WLANIPPage", keys[i]));
    Control<QLabel>(kTitle)->setText(Text(langPath, "WLANIPPage", "TitleWLAN", 1024));
}

}  // namespace orvanta::pages
