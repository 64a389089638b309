#include "pages/CSubWizardIP.h"

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

CSubWizardIP::CSubWizardIP(QWidget* parent) : CSubPage("CSubWizardIP", kTemplate, parent) {
    auto* title = MakeTitle(kTitle, "STEP\nSetup the IP Address,Submask,andGateway router");
    auto* dhcp = MakeRadio(kDhcp, "DHCP  IP Address");
    auto* fixed = MakeRadio(kFixed, "Fixed IP");
    auto* group = new QButtonGroup(this);
    group->addButton(dhcp);
    group->addButton(fixed);
    auto* grid = new QGridLayout;
    grid->addWidget(dhcp, 0, 0, 1, 2);
    grid->addWidget(fixed, 1, 0, 1, 2);
    const int fields[] = {kAddress, kMask, kGateway, kDns};
    const char* builtIn[] = {"IP Address", "Subnet Mask ", "Gateway", "DNS Server"};
    for (int i = 0; i < 4; ++i)
        AddRow(grid, MakeLabel(kAddressLabel + i, builtIn[i]), MakeAddressEdit(fields[i]));
    auto* test =
        MakeButton(kTestAddress, 243, CXButtonXP::kIconLeft, false, "Test this IP address ");
    grid->addWidget(test, grid->rowCount(), 1, Qt::AlignLeft);
    grid->addWidget(
        MakeLabel(kNote, "You can use this button to test whether this IP Address has been used."),
        grid->rowCount(), 0, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* content = new QVBoxLayout;
    content->addLayout(grid);
    content->addStretch(1);
    auto* back = MakeButton(kBack, kIconBack, CXButtonXP::kIconLeft, true, "Back");
    auto* next = MakeButton(kNext, kIconNext, CXButtonXP::kIconRight, true, "Next");
    BuildFrame(title, content, back, next);
    fixed->setChecked(true);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kShowPic); });
    connect(next, &QPushButton::clicked, this, &CSubWizardIP::OnNext);
}

void CSubWizardIP::OnNext() {
    camera::CameraSettings& s = *settings_;
    if (s.WirelessCap == 0 || (s.WirelessCap == 1 && s.useWireless != 1)) {
        Post(nav::kUpnp);
    } else if (s.WirelessCap == 1 && s.WPSCap == 1) {
        bool yes = AskYesNo(this, textMessage3_, QString(), PromptIcon::Question);
        s.useWps = yes ? 1 : 0;
        Post(yes ? nav::kWpsPic : nav::kApScan);
    } else if (s.WirelessCap == 1 && s.WPSCap == 0) {
        Post(nav::kApScan);
    }
}

void CSubWizardIP::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QRadioButton>(kDhcp)->setText(Text(langPath, "WizardIPPage", "RadioDHCP"));
    Control<QRadioButton>(kFixed)->setText(Text(langPath, "WizardIPPage", "RadioFixIP"));
    const char* keys[] = {"IP", "Submask", "Gateway", "DNS"};
    for (int i = 0; i < 4; ++i)
        Control<QLabel>(kAddressLabel + i)->setText(Text(langPath, "WizardIPPage", keys[i]));
    Control<QPushButton>(kTestAddress)->setText(Text(langPath, "WizardIPPage", "BtnSendARP", 1024));
    Control<QLabel>(kNote)->setText(Text(langPath, "WizardIPPage", "Note1", 1024));
    textMessage1_ = Text(langPath, "WizardIPPage", "Message1", 2048);
    textMessage2_ = Text(langPath, "WizardIPPage", "Message2", 2048);
    textMessage3_ = Text(langPath, "WizardIPPage", "Message3", 2048);
    Control<QLabel>(kTitle)->setText(Text(langPath, "WizardIPPage", "TitleWizardIP", 1024));
}

}  // namespace orvanta::pages
