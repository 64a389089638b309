// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/forms/WirelessSecurityBlock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "camera/rules/WirelessKeys.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

namespace {
constexpr int kHex = 0;  // key format entries: "HEX", "ASCII"
}

WirelessSecurityBlock::WirelessSecurityBlock(shell::CSubPage* page, Ids ids,
                                             const QStringList& lengths, const QStringList& numbers,
                                             int initialNumber)
    : QObject(page), page_(page), numbers_(numbers), wepGrid_(new QGridLayout) {
    authentication_ = page->MakeCombo(ids.authentication);
    authentication_->addItems({"Open", "Shared"});
    keyLength_ = page->MakeCombo(ids.keyLength);
    keyLength_->addItems(lengths);
    keyFormat_ = page->MakeCombo(ids.keyFormat);
    keyFormat_->addItems({"HEX", "ASCII"});
    keyFormat_->setCurrentIndex(1);
    keyNumber_ = page->MakeCombo(ids.keyNumber);
    keyNumber_->addItems(numbers);
    keyNumber_->setCurrentIndex(initialNumber);
    wepKey_ = page->MakeEdit(ids.wepKey);

    const std::pair<int, QWidget*> rows[] = {{ids.authenticationLabel, authentication_},
                                             {ids.keyLengthLabel, keyLength_},
                                             {ids.keyFormatLabel, keyFormat_},
                                             {ids.keyNumberLabel, keyNumber_}};
    for (auto [labelId, field] : rows) {
        QLabel* label = page->MakeLabel(labelId);
        AddRow(wepGrid_, label, field);
        wepWidgets_.insert(wepWidgets_.end(), {label, field});
    }
    wepKeyLabel_ = page->MakeLabel(ids.wepKeyLabel);
    AddRow(wepGrid_, wepKeyLabel_, wepKey_);
    wepGrid_->setColumnStretch(1, 1);
    wepWidgets_.insert(wepWidgets_.end(), {wepKeyLabel_, wepKey_});
    preSharedKeyLabel_ = page->MakeLabel(ids.preSharedKeyLabel);
    preSharedKey_ = page->MakeEdit(ids.preSharedKey, camera::kPreSharedKeyMaxLength);
    preSharedKeyLabel_->setBuddy(preSharedKey_);
    ApplyKeyLimit();

    auto limit = [this] { ApplyKeyLimit(); };
    connect(keyLength_, &QComboBox::currentIndexChanged, this, limit);
    connect(keyFormat_, &QComboBox::currentIndexChanged, this, limit);
}

void WirelessSecurityBlock::LoadTexts(const char* section) {
    const QString format = page_->LoadedText(section, "KeyNumber", QString());
    for (int i = 0; i < numbers_.size(); ++i)
        keyNumber_->setItemText(i, format.isEmpty() ? numbers_[i] : format.arg(i + 1));
}

bool WirelessSecurityBlock::HexFormat() const {
    return keyFormat_->currentIndex() == kHex;
}

bool WirelessSecurityBlock::LongKey() const {
    return keyLength_->currentIndex() == 1;
}

void WirelessSecurityBlock::SetWepEnabled(bool enabled) {
    for (QWidget* w : wepWidgets_) w->setEnabled(enabled);
}

void WirelessSecurityBlock::SetWepVisible(bool visible) {
    for (QWidget* w : wepWidgets_) w->setVisible(visible);
}

void WirelessSecurityBlock::ApplyKeyLimit() {
    shell::LimitTyping(wepKey_, camera::WepKeyLength(HexFormat(), LongKey()));
}

bool WirelessSecurityBlock::RefuseWepKey() const {
    if (page_->RefuseUnsafe(wepKey_, wepKeyLabel_)) return true;
    const QByteArray key = shell::FieldBytes(wepKey_);
    if (camera::IsWepKey(key.toStdString(), HexFormat(), LongKey())) return false;
    using Refusal = shell::CSubPage::Refusal;
    page_->Refuse(HexFormat() ? Refusal::WepKeyHex : Refusal::WepKeyAscii, wepKeyLabel_->text(),
                  camera::WepKeyLength(HexFormat(), LongKey()));
    return true;
}

bool WirelessSecurityBlock::RefusePreSharedKey() const {
    if (page_->RefuseUnsafe(preSharedKey_, preSharedKeyLabel_)) return true;
    if (camera::IsPreSharedKey(shell::FieldBytes(preSharedKey_).toStdString())) return false;
    page_->Refuse(shell::CSubPage::Refusal::NotAPreSharedKey, preSharedKeyLabel_->text());
    return true;
}

}  // namespace orvanta::pages
