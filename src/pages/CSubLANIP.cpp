// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubLANIP.h"

#include <QGridLayout>

#include "controls/CXButtonXP.h"
#include "pages/forms/AddressBlock.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using namespace shell;

CSubLANIP::CSubLANIP(QWidget* parent) : CSubPage("CSubLANIP", parent) {
    BindMessages("LANPage", 1);
    auto* title = MakeTitle(kTitle);
    AddressBlock::Ids ids{kDhcp, kFixed, {}, {}};
    for (int i = 0; i < 5; ++i) {
        ids.fields.push_back(kAddress + i);
        ids.labels.push_back(kLabel + i);
    }
    block_ = new AddressBlock(this, ids);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(block_->Layout()), back, next);
    block_->ChooseDhcp();
    block_->SetFieldsEnabled(false);

    Bind(kDhcp, "LANPage", "RadioDHCP");
    Bind(kFixed, "LANPage", "RadioFixIP");
    const char* keys[] = {"IP", "Submask", "Gateway", "DNS", "DNS2"};
    for (int i = 0; i < 5; ++i) Bind(kLabel + i, "LANPage", keys[i]);
    Bind(kTitle, "LANPage", "TitleLAN", 1024);
}

void CSubLANIP::Prepare() {
    // By the record's mode; PPPoE (2) leaves the page as it was.
    block_->Load(WiredAddressFields(*settings_, 5));
}

std::optional<int> CSubLANIP::Next() {
    camera::CameraSettings& s = *settings_;
    if (!block_->Accept(WiredAddressFields(s, 5), s)) return std::nullopt;
    if (s.newFeatures != 1) return s.cameraWireless == 1 ? nav::kWlanAp : nav::kUpnp;
    if (s.WirelessCap == 1) {
        bool yes = AskYesNo(this, Message(Msg::AskWireless), "Orvanta2", PromptIcon::Information);
        s.useWireless = yes ? 1 : 0;
        return yes ? nav::kWlanAp : nav::kUpnp;
    }
    if (s.WirelessCap == 0) return nav::kUpnp;
    return std::nullopt;
}

}  // namespace orvanta::pages
