#include "pages/CSubWLANIP.h"

#include <QGridLayout>

#include "controls/CXButtonXP.h"
#include "pages/forms/AddressBlock.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubWLANIP::CSubWLANIP(QWidget* parent) : CSubPage("CSubWLANIP", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    AddressBlock::Ids ids{kDhcp, kFixed, {}, {}};
    for (int i = 0; i < 5; ++i) {
        ids.fields.push_back(kAddress + i);
        ids.labels.push_back(kLabel + i);
    }
    auto* block = new AddressBlock(this, ids);
    auto [back, next] = MakeBackNext(kBack, kNext);
    MakeButton(kExit, 0, CXButtonXP::kIconLeft, false)->hide();
    BuildFrame(title, TopAligned(block->Layout()), back, next);
    block->ChooseDhcp();

    Bind(kDhcp, "WLANIPPage", "RadioDHCP");
    Bind(kFixed, "WLANIPPage", "RadioFixIP");
    const char* keys[] = {"IP", "Submask", "Gateway", "DNS", "DNS2"};
    for (int i = 0; i < 5; ++i) Bind(kLabel + i, "WLANIPPage", keys[i]);
    Bind(kTitle, "WLANIPPage", "TitleWLAN", 1024);
}

}  // namespace orvanta::pages
