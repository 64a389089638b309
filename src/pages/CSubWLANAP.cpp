#include "pages/CSubWLANAP.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

using namespace shell;

CSubWLANAP::CSubWLANAP(QWidget* parent) : CSubPage("CSubWLANAP", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* left = new QGridLayout;
    AddRow(left, MakeLabel(kSsidLabel), MakeEdit(kSsid, 32));
    AddRow(left, MakeLabel(kModeLabel), MakeCombo(kMode));
    AddRow(left, MakeLabel(kChannelLabel), MakeCombo(kChannel));
    AddRow(left, MakeLabel(kTxRateLabel), MakeCombo(kTxRate));
    AddRow(left, MakeLabel(kSecurityLabel), MakeCombo(kSecurity));
    AddRow(left, MakeLabel(kAlgorithmLabel), MakeCombo(kWpaAlgorithm));
    QLineEdit* psk = MakeEdit(kPreSharedKey, 63);
    AddRow(left, MakeLabel(kPreSharedKeyLabel), psk);
    auto* right = new QGridLayout;
    AddRow(right, MakeLabel(kAuthenticationLabel), MakeCombo(kAuthentication));
    AddRow(right, MakeLabel(kKeyLengthLabel), MakeCombo(kKeyLength));
    AddRow(right, MakeLabel(kKeyFormatLabel), MakeCombo(kKeyFormat));
    AddRow(right, MakeLabel(kDefaultKeyLabel), MakeCombo(kDefaultKey));
    right->addWidget(MakeEdit(kWepKey, 26), right->rowCount(), 0, 1, 2);
    left->setColumnStretch(1, 1);
    right->setColumnStretch(1, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(DluX(8));
    columns->addLayout(right, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(columns), back, next);

    const std::pair<int, const char*> labels[] = {
        {kSsidLabel, "SSID"},
        {kModeLabel, "WirelessMode"},
        {kChannelLabel, "Channel"},
        {kTxRateLabel, "TxRate"},
        {kSecurityLabel, "Security"},
        {kKeyLengthLabel, "WEPKeyLength"},
        {kAuthenticationLabel, "WEPMode"},
        {kKeyFormatLabel, "WEPKeyFormat"},
        {kDefaultKeyLabel, "WEPDefKey"},
        {kAlgorithmLabel, "WPAAlgorithm"},
        {kPreSharedKeyLabel, "WPAKey"},
    };
    for (auto [id, key] : labels) Bind(id, "WLANAPPage", key);
    Bind(kTitle, "WLANAPPage", "TitleWireless", 1024);
}

void CSubWLANAP::LoadPageTexts(const QString& langPath) {
    textMessage1_ = Text(langPath, "WLANAPPage", "Message1");
}

}  // namespace orvanta::pages
