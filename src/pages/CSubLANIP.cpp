#include "pages/CSubLANIP.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubLANIP::CSubLANIP(QWidget* parent) : CSubPage("CSubLANIP", kTemplate, parent) {
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
    BuildFrame(title, TopAligned(grid), back, next);
    dhcp->setChecked(true);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kLanIsp); });
    connect(next, &QPushButton::clicked, this, &CSubLANIP::OnNext);
}

void CSubLANIP::OnNext() {
    camera::CameraSettings& s = *settings_;
    if (s.newFeatures != 1) {
        Post(s.cameraWireless == 1 ? nav::kWlanAp : nav::kUpnp);
    } else if (s.WirelessCap == 1) {
        bool yes = AskYesNo(this, textMessage1_, "Orvanta2", PromptIcon::Information);
        s.useWireless = yes ? 1 : 0;
        Post(yes ? nav::kWlanAp : nav::kUpnp);
    } else if (s.WirelessCap == 0) {
        Post(nav::kUpnp);
    }
}

void CSubLANIP::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QRadioButton>(kDhcp)->setText(Text(langPath, "LANPage", "RadioDHCP"));
    Control<QRadioButton>(kFixed)->setText(Text(langPath, "LANPage", "RadioFixIP"));
    const char* keys[] = {"IP", "Submask", "Gateway", "DNS", "DNS2"};
    for (int i = 0; i < 5; ++i)
        Control<QLabel>(kLabel + i)->setText(Text(langPath, "LANPage", keys[i]));
    textMessage1_ = Text(langPath, "LANPage", "Message1");
    Control<QLabel>(kTitle)->setText(Text(langPath, "LANPage", "TitleLAN", 1024));
}

}  // namespace orvanta::pages
