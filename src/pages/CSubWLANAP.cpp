// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubWLANAP.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "camera/record/FieldCatalogue.h"
#include "camera/rules/WirelessKeys.h"
#include "camera/rules/WirelessLists.h"
#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "pages/forms/WirelessSecurityBlock.h"

namespace orvanta::pages {

using namespace shell;

namespace {

constexpr int kSecNone = 0;
constexpr int kSecWep = 1;

void AddEntries(QComboBox* list, const auto& entries) {
    for (const char* entry : entries) list->addItem(QString::fromLatin1(entry));
}

// A stored number picks its list entry; one the list lacks leaves the choice as it is.
void ShowPosition(QComboBox* list, int position) {
    if (position >= 0 && position < list->count()) list->setCurrentIndex(position);
}

QString RecordKey(const camera::CameraSettings& s, int slot) {
    return QString::fromStdString(camera::Utf8Text(camera::WepKeySlot(s, slot)));
}

}  // namespace

CSubWLANAP::CSubWLANAP(QWidget* parent) : CSubPage("CSubWLANAP", parent) {
    auto* title = MakeTitle(kTitle);
    auto* left = new QGridLayout;
    AddRow(left, MakeLabel(kSsidLabel), MakeEdit(kSsid, camera::kSsidChars));
    QComboBox* mode = MakeCombo(kMode);
    AddRow(left, MakeLabel(kModeLabel), mode);
    AddRow(left, MakeLabel(kChannelLabel), MakeCombo(kChannel));
    QComboBox* rate = MakeCombo(kTxRate);
    AddRow(left, MakeLabel(kTxRateLabel), rate);
    QComboBox* security = MakeCombo(kSecurity);
    AddRow(left, MakeLabel(kSecurityLabel), security);
    QLabel* algorithmLabel = MakeLabel(kAlgorithmLabel);
    QComboBox* algorithm = MakeCombo(kWpaAlgorithm);
    AddRow(left, algorithmLabel, algorithm);
    // Key1 from the start: with no default key chosen a typed WEP key would have no slot.
    security_ = new WirelessSecurityBlock(
        this,
        {kAuthentication, kKeyLength, kKeyFormat, kDefaultKey, kWepKey, kPreSharedKey,
         kAuthenticationLabel, kKeyLengthLabel, kKeyFormatLabel, kDefaultKeyLabel,
         kPreSharedKeyLabel, kWepKeyLabel},
        {"64 bits", "128 bits"}, {"Key1", "Key2", "Key3", "Key4"}, 0);
    AddRow(left, security_->PreSharedKeyLabel(), security_->PreSharedKey());
    wpaWidgets_ = {algorithmLabel, algorithm, security_->PreSharedKeyLabel(),
                   security_->PreSharedKey()};
    QGridLayout* right = security_->WepLayout();
    left->setColumnStretch(1, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(DluX(8));
    columns->addLayout(right, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(columns), back, next);

    AddEntries(mode, camera::kWirelessModes);
    mode->setCurrentIndex(-1);
    AddEntries(rate, camera::kTxRates);
    AddEntries(security, camera::kWirelessSecurity);
    AddEntries(algorithm, camera::kWpaAlgorithms);
    ShowSecurityGroups(kSecNone);
    connect(mode, &QComboBox::currentIndexChanged, this, &CSubWLANAP::ModeChosen);
    connect(security, &QComboBox::currentIndexChanged, this, &CSubWLANAP::ShowSecurityGroups);
    connect(security_->KeyNumber(), &QComboBox::currentIndexChanged, this,
            &CSubWLANAP::ShowRecordKey);

    BindTexts();
}

void CSubWLANAP::LoadPageTexts(const QString& /*langPath*/) {
    security_->LoadTexts("WLANAPPage");
}

void CSubWLANAP::BindTexts() {
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
        {kWepKeyLabel, "WEPKey"},
        {kAlgorithmLabel, "WPAAlgorithm"},
        {kPreSharedKeyLabel, "WPAKey"},
    };
    for (auto [id, key] : labels) Bind(id, "WLANAPPage", key);
    Bind(kTitle, "WLANAPPage", "TitleWireless", 1024);
}

void CSubWLANAP::ModeChosen(int position) {
    auto* channel = Control<QComboBox>(kChannel);
    // In infrastructure mode the access point sets the channel.
    if (position == camera::kInfrastructure) channel->setCurrentIndex(channel->count() ? 0 : -1);
    channel->setEnabled(position != camera::kInfrastructure);
}

void CSubWLANAP::ShowSecurityGroups(int position) {
    security_->SetWepVisible(position == kSecWep);
    for (QWidget* w : wpaWidgets_) w->setVisible(position > kSecWep);
}

void CSubWLANAP::ShowRecordKey(int slot) {
    if (settings_ && slot >= 0 && slot < 4)
        security_->WepKey()->setText(RecordKey(*settings_, slot));
}

void CSubWLANAP::Prepare() {
    const camera::CameraSettings& s = *settings_;
    Control<QLineEdit>(kSsid)->setText(FieldString(s.SSID));

    auto* channel = Control<QComboBox>(kChannel);
    const std::vector<std::string> channels = camera::ChannelEntries(s.ChType);
    channel->clear();
    for (const std::string& entry : channels) channel->addItem(QString::fromStdString(entry));
    channel->setCurrentIndex(camera::ChannelPosition(channels, s.WireCh));

    auto* mode = Control<QComboBox>(kMode);
    {
        // Showing the camera's mode keeps its channel; only the user's choice resets it.
        QSignalBlocker quiet(mode);
        ShowPosition(mode, s.WireType);
    }
    channel->setEnabled(mode->currentIndex() != camera::kInfrastructure);
    // The camera's rate, so that passing through the page does not reset it to "Auto".
    ShowPosition(Control<QComboBox>(kTxRate), camera::TxRatePosition(camera::FieldText(s.TxRate)));

    auto* security = Control<QComboBox>(kSecurity);
    if (s.WireSec > 3) return;  // a security the page does not know: left as it is
    security->setCurrentIndex(s.WireSec);
    ShowSecurityGroups(s.WireSec);
    if (s.WireSec == kSecWep) {
        ShowPosition(security_->Authentication(), s.WEPAuthM);
        ShowPosition(security_->KeyFormat(), s.WEPMode);
        // The camera's key length, reported as 64 or 128, or as 0 or 1.
        if (s.WepKeyL == 64 || s.WepKeyL == 128 || s.WepKeyL <= 1)
            security_->KeyLength()->setCurrentIndex(camera::IsLongWepKey(s.WepKeyL) ? 1 : 0);
        security_->ApplyKeyLimit();
        {
            QSignalBlocker quiet(security_->KeyNumber());
            ShowPosition(security_->KeyNumber(), s.WEPKeyE0);
        }
        if (s.WEPKeyE0 < 4) ShowRecordKey(s.WEPKeyE0);
    } else if (s.WireSec > kSecWep) {
        security_->PreSharedKey()->setText(FieldString(s.WPAKey));
        ShowPosition(Control<QComboBox>(kWpaAlgorithm), s.WPAEnc);
    }
}

std::optional<int> CSubWLANAP::Next() {
    camera::CameraSettings& s = *settings_;
    const int secPosition = Control<QComboBox>(kSecurity)->currentIndex();
    // Nothing that would break the camera's request, or that the network would not take,
    // reaches the record; only the key of the security chosen is looked at.
    QLineEdit* ssid = Control<QLineEdit>(kSsid);
    if (RefuseUnsafe(ssid, Control<QLabel>(kSsidLabel))) return std::nullopt;
    if (!camera::IsSsid(StoredBytes(s.SSID, ssid->text()))) {
        Refuse(Refusal::NotAnSsid, Control<QLabel>(kSsidLabel)->text());
        return std::nullopt;
    }
    if (secPosition == kSecWep && security_->RefuseWepKey()) return std::nullopt;
    if (secPosition > kSecWep && security_->RefusePreSharedKey()) return std::nullopt;

    // A list without a choice keeps the record's number.
    auto store = [](uint8_t& field, int position) {
        if (position >= 0) field = static_cast<uint8_t>(position);
    };
    SetFieldString(s.SSID, ssid->text());
    store(s.WireType, Control<QComboBox>(kMode)->currentIndex());
    store(s.WireSec, secPosition);
    store(s.WPAEnc, Control<QComboBox>(kWpaAlgorithm)->currentIndex());
    if (auto* rate = Control<QComboBox>(kTxRate); rate->currentIndex() >= 0)
        SetFieldString(s.TxRate, rate->currentText());
    s.WireCh = static_cast<uint8_t>(
        camera::ChannelValue(Control<QComboBox>(kChannel)->currentText().toStdString()));

    if (secPosition == kSecWep) {
        s.WepKeyL = security_->LongKey() ? 128 : 64;
        store(s.WEPMode, security_->KeyFormat()->currentIndex());
        store(s.WEPKeyE0, security_->KeyNumber()->currentIndex());
        // Next has taken the key as ASCII or hexadecimal digits: its bytes are its characters.
        camera::SetWepKeySlot(s, security_->KeyNumber()->currentIndex(),
                              FieldBytes(security_->WepKey()).toStdString());
    } else if (secPosition > kSecWep) {
        SetFieldString(s.WPAKey, security_->PreSharedKey()->text());
    }
    return nav::kWlanIp;
}

}  // namespace orvanta::pages
