#include "pages/CSubSetAutoParam.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubSetAutoParam::CSubSetAutoParam(QWidget* parent)
    : CSubPage("CSubSetAutoParam", kTemplate, parent) {
    struct Box {
        int group, text, row, column;
        const char* builtIn;
    };
    const Box boxes[] = {{kSystemGroup, kSystemText, 0, 0, "System"},
                         {kNetworkGroup, kNetworkText, 0, 1, "Network "},
                         {kWirelessGroup, kWirelessText, 1, 0, "Wireless"},
                         {kUpnpGroup, kUpnpText, 1, 1, "UPnP"},
                         {kDdnsGroup, kDdnsText, 2, 0, "DDNS"}};
    auto* grid = new QGridLayout;
    for (const Box& b : boxes) {
        QGroupBox* group = MakeGroup(b.group, b.builtIn);
        auto* inner = new QVBoxLayout(group);
        QLabel* text = MakeLabel(b.text);
        text->setParent(group);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        inner->addWidget(text);
        grid->addWidget(group, b.row, b.column);
    }
    auto* content = new QVBoxLayout;
    content->addLayout(grid, 1);
    auto* back = MakeButton(kBack, kIconBack, CXButtonXP::kIconLeft, true, "Back");
    auto* save = MakeButton(kSave, kIconNext, CXButtonXP::kIconRight, true, "Setup the Camera");
    BuildFrame(nullptr, content, back, save);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kDdns); });
    connect(save, &QPushButton::clicked, this, &CSubSetAutoParam::OnSave);
}

void CSubSetAutoParam::OnSave() {
    if (AskOkCancel(this, textMessage1_, QString(), PromptIcon::Information)) Post(nav::kSave);
}

void CSubSetAutoParam::LoadTexts(const QString& langPath) {
    langPath_ = langPath;
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kSave)->setText(Text(langPath, "Common", "BtnSave"));
    const std::pair<int, const char*> groups[] = {{kSystemGroup, "SystemInfo"},
                                                  {kNetworkGroup, "NetworkInfo"},
                                                  {kWirelessGroup, "WirelessInfo"},
                                                  {kUpnpGroup, "UPnPInfo"},
                                                  {kDdnsGroup, "DDNSInfo"}};
    for (auto [id, key] : groups)
        Control<QGroupBox>(id)->setTitle(Text(langPath, "SetAutoParamPage", key));
    textMessage1_ = Text(langPath, "SetAutoParamPage", "Message1");
}

}  // namespace orvanta::pages
