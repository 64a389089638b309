// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubWizardIP.h"

#include <arpa/inet.h>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "pages/forms/AddressBlock.h"
#include "platform/AddressText.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubWizardIP::CSubWizardIP(QWidget* parent) : CSubPage("CSubWizardIP", parent) {
    BindMessages("WizardIPPage", 1, 2048);
    auto* title = MakeTitle(kTitle, "STEP\nSetup the IP Address,Submask,andGateway router");
    block_ = new AddressBlock(
        this, {kDhcp,
               kFixed,
               {kAddress, kMask, kGateway, kDns},
               {kAddressLabel, kAddressLabel + 1, kAddressLabel + 2, kAddressLabel + 3}});
    QGridLayout* grid = block_->Layout();
    auto* test =
        MakeButton(kTestAddress, 243, CXButtonXP::kIconLeft, false, "Test this IP address ");
    grid->addWidget(test, grid->rowCount(), 1, Qt::AlignLeft);
    grid->addWidget(
        MakeLabel(kNote, "You can use this button to test whether this IP Address has been used."),
        grid->rowCount(), 0, 1, 2);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);
    block_->ChooseFixed();

    Bind(kDhcp, "WizardIPPage", "RadioDHCP");
    Bind(kFixed, "WizardIPPage", "RadioFixIP");
    const char* labels[] = {"IP", "Submask", "Gateway", "DNS"};
    for (int i = 0; i < 4; ++i) Bind(kAddressLabel + i, "WizardIPPage", labels[i]);
    Bind(kTestAddress, "WizardIPPage", "BtnSendARP", 1024);
    Bind(kNote, "WizardIPPage", "Note1", 1024);
    Bind(kTitle, "WizardIPPage", "TitleWizardIP", 1024);

    // The block switches the fields; the test button and the mode are the page's.
    connect(block_->DhcpRadio(), &QRadioButton::clicked, this, [this, test] {
        settings_->IPType = 0;
        test->setEnabled(false);
    });
    connect(block_->FixedRadio(), &QRadioButton::clicked, test, [test] { test->setEnabled(true); });
    connect(block_->FieldEdit(AddressBlock::kAddress), &QLineEdit::textEdited, this,
            &CSubWizardIP::OnAddressEdited);
    connect(test, &QPushButton::clicked, this, &CSubWizardIP::OnTest);
}

void CSubWizardIP::Prepare() {
    camera::CameraSettings& s = *settings_;
    auto* test = Control<QPushButton>(kTestAddress);
    if (s.pcUsesDhcp == 1) {
        // The PC takes its address from a DHCP server: so can the camera.
        block_->ChooseDhcp();
        s.IPType = 0;
        block_->SetFieldsEnabled(false);
        test->setEnabled(false);
        return;
    }
    block_->ChooseFixed();
    block_->SetFieldsEnabled(true);
    s.IPType = 1;
    const std::vector<uint32_t>& proposals = Context().kept->freeAddresses;
    block_->FieldEdit(AddressBlock::kAddress)
        ->setText(proposals.empty()
                      ? QString()
                      : QString::fromStdString(platform::DottedAddress(proposals.front())));
    block_->FieldEdit(AddressBlock::kMask)->setText(FieldString(s.pcNetmaskText));
    block_->FieldEdit(2)->setText(FieldString(s.pcGatewayText));
    block_->FieldEdit(3)->setText(FieldString(s.pcDnsText));
}

void CSubWizardIP::OnAddressEdited(const QString& text) {
    // The first byte decides the usual mask, as soon as it is typed.
    bool ok = false;
    uint32_t first = text.section('.', 0, 0).toUInt(&ok);
    uint32_t mask = 0;
    if (ok && first <= 255 && platform::ClassMaskFor(htonl(first << 24), &mask))
        block_->FieldEdit(AddressBlock::kMask)
            ->setText(QString::fromStdString(platform::DottedAddress(mask)));
}

void CSubWizardIP::OnTest() {
    QString typed = block_->FieldEdit(AddressBlock::kAddress)->text().trimmed();
    uint32_t target = 0;  // an empty field is tested as 0.0.0.0
    if (!typed.isEmpty() && !platform::ParseDottedAddress(typed.toStdString(), &target)) {
        Refuse(Refusal::NotAnAddress, block_->LabelText(AddressBlock::kAddress));
        return;
    }
    TestAddress(target, false);
}

std::optional<int> CSubWizardIP::Next() {
    camera::CameraSettings& s = *settings_;
    if (block_->DhcpChosen()) {
        if (s.useWireless == 1) s.WIPType = 0;
        if (s.useWireless == 0) s.IPType = 0;
    } else if (block_->FixedChosen()) {
        // A camera given a half-typed or unusable address could not be reached again.
        if (auto problem = block_->Problem(true, s.pcAddress)) {
            Refuse(problem->second, block_->LabelText(problem->first));
            return std::nullopt;
        }
        if (!block_->ConfirmUnused(s.cameraAddress)) return std::nullopt;
        if (s.WirelessCap == 0 || s.useWireless == 0)
            block_->Store(WiredAddressFields(s, 4));
        else if (s.WirelessCap == 1 && s.useWireless == 1)
            block_->Store(WirelessAddressFields(s, 4));
    }
    if (s.WirelessCap == 0 || (s.WirelessCap == 1 && s.useWireless != 1)) return nav::kUpnp;
    if (s.WirelessCap == 1 && s.WPSCap == 1) {
        bool yes = AskYesNo(this, Message(Msg::AskWps), QString(), PromptIcon::Information);
        s.useWps = yes ? 1 : 0;
        return yes ? nav::kWpsPic : nav::kApScan;
    }
    if (s.WirelessCap == 1 && s.WPSCap == 0) return nav::kApScan;
    return std::nullopt;
}

}  // namespace orvanta::pages
