// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubWLANIP.h"

#include <QGridLayout>

#include "controls/CXButtonXP.h"
#include "pages/forms/AddressBlock.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubWLANIP::CSubWLANIP(QWidget* parent) : CSubPage("CSubWLANIP", parent) {
    auto* title = MakeTitle(kTitle);
    AddressBlock::Ids ids{kDhcp, kFixed, {}, {}};
    for (int i = 0; i < 5; ++i) {
        ids.fields.push_back(kAddress + i);
        ids.labels.push_back(kLabel + i);
    }
    block_ = new AddressBlock(this, ids);
    auto [back, next] = MakeBackNext(kBack, kNext);
    MakeButton(kExit, 0, CXButtonXP::kIconLeft, false)->hide();
    BuildFrame(title, TopAligned(block_->Layout()), back, next);
    block_->ChooseDhcp();
    block_->SetFieldsEnabled(false);

    Bind(kDhcp, "WLANIPPage", "RadioDHCP");
    Bind(kFixed, "WLANIPPage", "RadioFixIP");
    const char* keys[] = {"IP", "Submask", "Gateway", "DNS", "DNS2"};
    for (int i = 0; i < 5; ++i) Bind(kLabel + i, "WLANIPPage", keys[i]);
    Bind(kTitle, "WLANIPPage", "TitleWLAN", 1024);
    Bind(kExit, "WLANIPPage", "BtnExit");
}

void CSubWLANIP::Prepare() {
    AddressFields record = WirelessAddressFields(*settings_, 5);
    block_->Load(record);
    // A fixed address shows its fields usable, however the last visit left them.
    if (*record.type == 1) block_->SetFieldsEnabled(true);
}

std::optional<int> CSubWLANIP::Next() {
    if (!block_->Accept(WirelessAddressFields(*settings_, 5), *settings_)) return std::nullopt;
    return nav::kUpnp;
}

}  // namespace orvanta::pages
