// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubAPScan.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "camera/rules/WirelessKeys.h"
#include "camera/rules/WirelessLists.h"
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

CSubAPScan::CSubAPScan(QWidget* parent) : CSubPage("CSubAPScan", parent) {
    BindMessages("ApscanPage", 4, 1024);
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
         kLabel + 8, kLabel + 7, kLabel + 9, kLabel + 10, kLabel + 12, kWepKeyLabel},
        {"64", "128"}, {"Key 1", "Key 2", "Key 3", "Key 4"}, 0);
    QGridLayout* right = security_->WepLayout();
    QLineEdit* algorithm = MakeEdit(kAlgorithm);
    algorithm->setReadOnly(true);
    AddRow(right, MakeLabel(kLabel + 11), algorithm);
    AddRow(right, security_->PreSharedKeyLabel(), security_->PreSharedKey());
    setTabOrder(Control(kWepKey), algorithm);  // Tab follows the rows
    left->setColumnStretch(1, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(DluX(8));
    columns->addLayout(right, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(columns), back, next);

    for (int i = 0; i < 13; ++i) Bind(kLabel + i, "ApscanPage", kLabelKeys[i]);
    Bind(kWepKeyLabel, "ApscanPage", "WEPKey");
    Bind(kTitle, "ApscanPage", "TitleWireless", 1024);
    connect(Control<QComboBox>(kList), &QComboBox::currentIndexChanged, this,
            &CSubAPScan::ShowEntry);
}

namespace {
const int kShownFields[] = {CSubAPScan::kSsid,     CSubAPScan::kMac,     CSubAPScan::kMode,
                            CSubAPScan::kChannel,  CSubAPScan::kQuality, CSubAPScan::kSecurity,
                            CSubAPScan::kAlgorithm};
}  // namespace

void CSubAPScan::LoadPageTexts(const QString& /*langPath*/) {
    security_->LoadTexts("ApscanPage");
}

void CSubAPScan::Prepare() {
    auto* list = Control<QComboBox>(kList);
    QSignalBlocker quiet(list);
    list->clear();
    for (int id : kShownFields) Control<QLineEdit>(id)->clear();
    security_->WepKey()->clear();
    security_->PreSharedKey()->clear();
    // One entry per access point the scan counted (an entry the kept list lacks shows empty).
    const int count = std::clamp<int>(settings_->apCount, 0, kMaxEntries);
    if (count > 0) {
        // A scan that found access points after an empty one makes the page usable again.
        list->setEnabled(true);
        for (int id : kShownFields) Control<QLineEdit>(id)->setEnabled(true);
        for (int i = 0; i < count; ++i)
            list->addItem(LoadedText("ApscanPage", "APEntry", "AP %1").arg(i + 1));
        list->setCurrentIndex(0);
        ShowEntry(0);
        return;
    }
    list->setEnabled(false);
    for (int id : kShownFields) Control<QLineEdit>(id)->setEnabled(false);
    security_->SetWepEnabled(false);
    security_->PreSharedKey()->setEnabled(false);
    if (AskYesNo(this, Message(Msg::AskRescan), QString(), PromptIcon::Warning)) Post(nav::kRescan);
}

void CSubAPScan::ShowEntry(int index) {
    const std::vector<camera::AccessPoint>& scan = Context().kept->scanList;
    if (index < 0 || index >= static_cast<int>(scan.size())) return;
    const camera::AccessPoint& ap = scan[static_cast<size_t>(index)];
    Control<QLineEdit>(kSsid)->setText(FieldString(ap.ssid));
    Control<QLineEdit>(kMac)->setText(FieldString(ap.mac));
    Control<QLineEdit>(kMode)->setText(FieldString(ap.mode));
    Control<QLineEdit>(kChannel)->setText(QString::number(ap.channel));
    Control<QLineEdit>(kQuality)->setText(QString::number(ap.quality));
    Control<QLineEdit>(kSecurity)->setText(FieldString(ap.security));
    Control<QLineEdit>(kAlgorithm)->setText(FieldString(ap.algorithm));
    std::optional<int> security = camera::ScannedWireSec(camera::FieldText(ap.security));
    if (!security) return;  // unknown: the enabled states stay
    security_->SetWepEnabled(*security == 1);
    security_->PreSharedKey()->setEnabled(*security >= 2);
}

std::optional<int> CSubAPScan::Next() {
    camera::CameraSettings& s = *settings_;
    if (s.apCount == 0) {
        s.SSID[0] = 0;
        return nav::kUpnp;
    }
    // The chosen network as the scan gave it, its name's bytes as they are. A name the
    // camera's request could not carry, or no network name at all: the user picks another.
    const std::vector<camera::AccessPoint>& scan = Context().kept->scanList;
    const int chosen = Control<QComboBox>(kList)->currentIndex();
    const bool listed = chosen >= 0 && chosen < static_cast<int>(scan.size());
    const std::string_view ssid =
        listed ? camera::FieldText(scan[static_cast<size_t>(chosen)].ssid) : std::string_view();
    if (RefuseUnsafe(Control<QLineEdit>(kSsid), Control<QLabel>(kLabel + 1))) return std::nullopt;
    if (!camera::IsSsid(ssid)) {
        Refuse(Refusal::NotAnSsid, Control<QLabel>(kLabel + 1)->text());
        return std::nullopt;
    }
    auto text = [this](int id) { return Control<QLineEdit>(id)->text().toStdString(); };
    const std::optional<int> security = camera::ScannedWireSec(text(kSecurity));
    if (security && RefuseKey(*security)) return std::nullopt;

    camera::SetFieldText(s.SSID, ssid);
    if (auto type = camera::ScannedWireType(text(kMode))) s.WireType = static_cast<uint8_t>(*type);
    s.WireCh = static_cast<uint8_t>(Control<QLineEdit>(kChannel)->text().toInt());
    if (auto enc = camera::ScannedWpaEnc(text(kAlgorithm))) s.WPAEnc = static_cast<uint8_t>(*enc);
    if (security) s.WireSec = static_cast<uint8_t>(*security);
    if (security == 1) StoreWepKey();
    if (security >= 2) SetFieldString(s.WPAKey, security_->PreSharedKey()->text());
    return nav::kUpnp;  // the wireless address page is not on this road
}

bool CSubAPScan::RefuseKey(int security) {
    if (security < 1) return false;
    const bool wep = security == 1;
    if ((wep ? security_->WepKey() : security_->PreSharedKey())->text().isEmpty()) {
        ShowMessage(this, Message(wep ? Msg::WepKeyMissing : Msg::PreSharedKeyMissing), QString(),
                    PromptIcon::Warning);
        return true;
    }
    return wep ? security_->RefuseWepKey() : security_->RefusePreSharedKey();
}

void CSubAPScan::StoreWepKey() {
    camera::CameraSettings& s = *settings_;
    s.WepKeyL = static_cast<uint8_t>(security_->KeyLength()->currentIndex());
    s.WEPKeyE0 = static_cast<uint8_t>(security_->KeyNumber()->currentIndex());
    s.WEPMode = static_cast<uint8_t>(security_->KeyFormat()->currentIndex());
    // A HEX key leaves no other key in the camera.
    if (security_->HexFormat())
        for (int slot = 0; slot < 4; ++slot) camera::SetWepKeySlot(s, slot, "");
    camera::SetWepKeySlot(s, security_->KeyNumber()->currentIndex(),
                          FieldBytes(security_->WepKey()).toStdString());
}

}  // namespace orvanta::pages
