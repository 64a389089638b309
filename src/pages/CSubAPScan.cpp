#include "pages/CSubAPScan.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "pages/forms/WirelessSecurityBlock.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using namespace shell;

namespace {
const char* const kLabelKeys[] = {
    "AP",           "SSID",    "WirelessMode", "Channel",   "Quality",      "Security", "APMAC",
    "WEPKeyLength", "WEPMode", "WEPKeyFormat", "WEPDefKey", "WPAAlgorithm", "WPAKey"};
}

CSubAPScan::CSubAPScan(QWidget* parent) : CSubPage("CSubAPScan", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* left = new QGridLayout;
    AddRow(left, MakeLabel(kLabel + 0), MakeCombo(kList));
    const int shown[] = {kSsid, kMode, kChannel, kQuality, kSecurity, kMac};
    for (int i = 0; i < 6; ++i) {
        QLineEdit* field = MakeEdit(shown[i]);
        field->setReadOnly(true);
        AddRow(left, MakeLabel(kLabel + 1 + i), field);
    }
    security_ = new WirelessSecurityBlock(
        this,
        {kWepKeyMode, kWepKeyLength, kWepKeyFormat, kWepKeyNumber, kWepKey, kPreSharedKey,
         kLabel + 8, kLabel + 7, kLabel + 9, kLabel + 10, kLabel + 12},
        {"64", "128"}, {"Key 1", "Key 2", "Key 3", "Key 4"}, 0);
    QGridLayout* right = security_->WepLayout();
    QLineEdit* algorithm = MakeEdit(kAlgorithm);
    algorithm->setReadOnly(true);
    AddRow(right, MakeLabel(kLabel + 11), algorithm);
    AddRow(right, security_->PreSharedKeyLabel(), security_->PreSharedKey());
    left->setColumnStretch(1, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(DluX(8));
    columns->addLayout(right, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(columns), back, next);

    for (int i = 0; i < 13; ++i) Bind(kLabel + i, "ApscanPage", kLabelKeys[i]);
    Bind(kTitle, "ApscanPage", "TitleWireless", 1024);
}

void CSubAPScan::Prepare() {
    auto* list = Control<QComboBox>(kList);
    list->clear();
    for (const camera::AccessPoint& ap : Context().kept->scanList)
        list->addItem(FieldString(ap.ssid));
    bool none = settings_->apCount == 0;
    list->setEnabled(!none);
    if (none && AskYesNo(this, textMessages_[0], QString(), PromptIcon::Warning))
        Post(nav::kRescan);
}

void CSubAPScan::LoadPageTexts(const QString& langPath) {
    const char* keys[] = {"Message1", "Message2", "Message3", "Message4"};
    for (int i = 0; i < 4; ++i) textMessages_[i] = Text(langPath, "ApscanPage", keys[i], 1024);
}

}  // namespace orvanta::pages
