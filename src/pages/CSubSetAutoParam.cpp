// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubSetAutoParam.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "lang/LangText.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using namespace shell;

CSubSetAutoParam::CSubSetAutoParam(QWidget* parent) : CSubPage("CSubSetAutoParam", parent) {
    BindMessages("SetAutoParamPage", 1);
    struct Box {
        int group, text, row, column;
        const char* builtIn;
        const char* key;
    };
    const Box boxes[] = {{kSystemGroup, kSystemText, 0, 0, "System", "SystemInfo"},
                         {kNetworkGroup, kNetworkText, 0, 1, "Network ", "NetworkInfo"},
                         {kWirelessGroup, kWirelessText, 1, 0, "Wireless", "WirelessInfo"},
                         {kUpnpGroup, kUpnpText, 1, 1, "UPnP", "UPnPInfo"},
                         {kDdnsGroup, kDdnsText, 2, 0, "DDNS", "DDNSInfo"}};
    auto* grid = new QGridLayout;
    for (const Box& b : boxes) {
        QGroupBox* group = MakeGroup(b.group, b.builtIn);
        auto* inner = new QVBoxLayout(group);
        // Room for a fifth line in any script: CJK lines stand taller.
        inner->setContentsMargins(DluX(6), DluY(3), DluX(6), DluY(3));
        QLabel* text = MakeLabel(b.text);
        text->setParent(group);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setTextFormat(Qt::PlainText);
        inner->addWidget(text);
        grid->addWidget(group, b.row, b.column);
        Bind(b.group, "SetAutoParamPage", b.key);
    }
    auto* content = new QVBoxLayout;
    content->addLayout(grid, 1);
    auto [back, save] = MakeBackNext(kBack, kSave, "BtnSave");
    BuildFrame(nullptr, content, back, save);
}

void CSubSetAutoParam::LoadPageTexts(const QString& langPath) {
    auto text = [&](const char* section, const char* key) {
        return Text(langPath, section, key).toStdString();
    };
    camera::SummaryLabels& l = labels_;
    l.hostname = text("SystemPage", "Hostname");
    l.description = text("SystemPage", "Description");
    l.pppoeUser = text("PPPoEPage", "UserID");
    l.pppoePassword = text("PPPoEPage", "Password");
    l.dhcp = text("WizardIPPage", "RadioDHCP");
    l.ipAddress = text("WizardIPPage", "IP");
    l.mask = text("WizardIPPage", "Submask");
    l.gateway = text("WizardIPPage", "Gateway");
    l.dns = text("WizardIPPage", "dns");
    l.noWirelessSupport = text("SetAutoParamPage", "NotSupposeWireless");
    l.wirelessNotUsed = text("SetAutoParamPage", "NotUseWireless");
    l.useWps = text("SetAutoParamPage", "USEWPS");
    l.wpsSucceeded = text("SetAutoParamPage", "WPSSucces");
    l.wpsFailed = text("SetAutoParamPage", "WPSFailed");
    l.ssid = text("ApscanPage", "SSID");
    l.security = text("ApscanPage", "Security");
    l.noSecurity =
        lang::LoadTextOr(langPath, "SetAutoParamPage", "NoSecurity", "none").toStdString();
    l.upnpOn = text("SetAutoParamPage", "EnUPnP");
    l.upnpOff = text("SetAutoParamPage", "DisUPnP");
    l.httpPort = text("UPnPPage", "HttpPort");
    l.streamPort = text("UPnPPage", "StreamPort");
    l.rtspPort = text("UPnPPage", "RTSP");
    l.ddnsOn = text("SetAutoParamPage", "EnDDNS");
    l.ddnsOff = text("SetAutoParamPage", "DisDDNS");
    l.provider = text("DDNSPage", "Provider");
    l.ddnsHost = text("DDNSPage", "Hostname");
    l.ddnsUser = text("DDNSPage", "Username");
}

void CSubSetAutoParam::Prepare() {
    camera::BuildSettingsSummary(*settings_, labels_, summary_);
    const std::pair<int, const std::string*> texts[] = {{kSystemText, &summary_.system},
                                                        {kNetworkText, &summary_.network},
                                                        {kWirelessText, &summary_.wireless},
                                                        {kUpnpText, &summary_.upnp},
                                                        {kDdnsText, &summary_.ddns}};
    for (auto [id, text] : texts) Control<QLabel>(id)->setText(QString::fromStdString(*text));
}

std::optional<int> CSubSetAutoParam::Next() {
    if (AskOkCancel(this, Message(Msg::ConfirmSave), QString(), PromptIcon::Information))
        return nav::kSave;
    return std::nullopt;
}

}  // namespace orvanta::pages
