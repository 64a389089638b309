#include "pages/CSubWLANAP.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "pages/forms/WirelessSecurityBlock.h"

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
    security_ =
        new WirelessSecurityBlock(this,
                                  {kAuthentication, kKeyLength, kKeyFormat, kDefaultKey, kWepKey,
                                   kPreSharedKey, kAuthenticationLabel, kKeyLengthLabel,
                                   kKeyFormatLabel, kDefaultKeyLabel, kPreSharedKeyLabel},
                                  {"64 bits", "128 bits"}, {"Key1", "Key2", "Key3", "Key4"}, -1);
    AddRow(left, security_->PreSharedKeyLabel(), security_->PreSharedKey());
    QGridLayout* right = security_->WepLayout();
    left->setColumnStretch(1, 1);
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
