// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/forms/AddressBlock.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cstring>

#include "camera/rules/FieldValues.h"
#include "pages/PageTools.h"
#include "platform/AddressText.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using platform::DottedAddress;
using platform::ParseDottedAddress;

namespace {

std::vector<char*> Texts(std::initializer_list<char*> all, int count) {
    return std::vector<char*>(all.begin(), all.begin() + count);
}

}  // namespace

AddressFields WiredAddressFields(camera::CameraSettings& s, int count) {
    return {&s.IPType, Texts({s.IPAddr, s.Netmask, s.Gateway, s.DNS1, s.DNS2}, count)};
}

AddressFields WirelessAddressFields(camera::CameraSettings& s, int count) {
    return {&s.WIPType, Texts({s.WIPAddr, s.WNetmask, s.WGateway, s.WDNS1, s.WDNS2}, count)};
}

AddressBlock::AddressBlock(shell::CSubPage* page, Ids ids)
    : QObject(page), page_(page), grid_(new QGridLayout) {
    dhcp_ = page->MakeRadio(ids.dhcp);
    fixed_ = page->MakeRadio(ids.fixed);
    auto* group = new QButtonGroup(this);
    group->addButton(dhcp_);
    group->addButton(fixed_);
    grid_->addWidget(dhcp_, 0, 0, 1, 2);
    grid_->addWidget(fixed_, 1, 0, 1, 2);
    for (size_t i = 0; i < ids.fields.size(); ++i) {
        QLabel* label = page->MakeLabel(ids.labels[i]);
        QLineEdit* field = page->MakeAddressEdit(ids.fields[i]);
        AddRow(grid_, label, field);
        labels_.push_back(label);
        fields_.push_back(field);
    }
    grid_->setColumnStretch(1, 1);
    connect(dhcp_, &QRadioButton::clicked, this, [this] { SetFieldsEnabled(false); });
    connect(fixed_, &QRadioButton::clicked, this, [this] { SetFieldsEnabled(true); });
}

void AddressBlock::ChooseDhcp() {
    SetChecked(fixed_, false);
    SetChecked(dhcp_, true);
}

void AddressBlock::ChooseFixed() {
    SetChecked(dhcp_, false);
    SetChecked(fixed_, true);
}

bool AddressBlock::DhcpChosen() const {
    return dhcp_->isChecked();
}

bool AddressBlock::FixedChosen() const {
    return fixed_->isChecked();
}

void AddressBlock::SetFieldsEnabled(bool enabled) {
    for (QLineEdit* field : fields_) field->setEnabled(enabled);
}

void AddressBlock::Load(const AddressFields& record) {
    // The fields show the camera's addresses under DHCP too, for a switch to a fixed one; they
    // are in use exactly when the fixed address is chosen, whichever way it was.
    if (*record.type == 0 || *record.type == 1) {
        if (*record.type == 0)
            ChooseDhcp();
        else
            ChooseFixed();
        for (size_t i = 0; i < fields_.size() && i < record.texts.size(); ++i) {
            // Text that does not parse shows as 255.255.255.255; an empty text (a camera
            // without a second DNS server) stays empty, so that it is not written back as
            // the broadcast address.
            std::string_view stored(record.texts[i], strnlen(record.texts[i], 64));
            uint32_t address = platform::ParseDottedAddressOr(stored, 0xFFFFFFFFu);
            fields_[i]->setText(stored.empty() ? QString()
                                               : QString::fromStdString(DottedAddress(address)));
        }
    }
    shownAddress_ = fields_[kAddress]->text();
    SetFieldsEnabled(FixedChosen());
}

void AddressBlock::Store(const AddressFields& record) const {
    if (DhcpChosen()) {
        *record.type = 0;
        return;
    }
    if (!FixedChosen()) return;
    *record.type = 1;
    for (size_t i = 0; i < fields_.size() && i < record.texts.size(); ++i) {
        uint32_t address = platform::ParseDottedAddressOr(fields_[i]->text().toStdString(), 0);
        std::string text = DottedAddress(address);
        std::memset(record.texts[i], 0, 64);  // every address text of the record is 64 wide
        std::memcpy(record.texts[i], text.data(), text.size());
    }
}

bool AddressBlock::Accept(const AddressFields& record, const camera::CameraSettings& s) {
    if (!DhcpChosen() && !FixedChosen()) {
        shell::ShowMessage(page_, page_->LoadedText("Common", "ChooseOne", "Please choose one !"),
                           QString(), shell::PromptIcon::None);
        return false;
    }
    if (FixedChosen()) {
        if (auto problem = Problem(false, s.pcAddress)) {
            page_->Refuse(problem->second, LabelText(problem->first));
            return false;
        }
        if (!ConfirmUnused(s.cameraAddress)) return false;
    }
    Store(record);
    return true;
}

bool AddressBlock::ConfirmUnused(uint32_t current) {
    const QString typed = fields_[kAddress]->text().trimmed();
    uint32_t address = 0;
    if (typed == shownAddress_.trimmed() || !ParseDottedAddress(typed.toStdString(), &address) ||
        address == current)
        return true;
    return page_->TestAddress(address, true);
}

std::optional<std::pair<int, shell::CSubPage::Refusal>> AddressBlock::Problem(bool usable,
                                                                              uint32_t pc) const {
    using Refusal = shell::CSubPage::Refusal;
    uint32_t mask = 0;
    ParseDottedAddress(fields_[kMask]->text().trimmed().toStdString(), &mask);
    for (int i = 0; i < FieldCount(); ++i) {
        std::string text = fields_[static_cast<size_t>(i)]->text().trimmed().toStdString();
        uint32_t address = 0;
        bool parsed = ParseDottedAddress(text, &address);
        if (!text.empty() && !parsed) return std::pair{i, Refusal::NotAnAddress};
        // The camera's own address: one it could not be reached at strands it.
        if (i == kAddress && (usable || !text.empty()) &&
            !camera::IsCameraAddress(address, mask, pc))
            return std::pair{i, Refusal::NotAHostAddress};
        // A typed mask is always contiguous; one that a camera is given must leave it room.
        if (i == kMask && (usable || !text.empty()) &&
            !(usable ? camera::IsCameraMask(address) : camera::IsContiguousMask(address)))
            return std::pair{i, Refusal::NotAMask};
    }
    return std::nullopt;
}

QString AddressBlock::LabelText(int i) const {
    return labels_[static_cast<size_t>(i)]->text();
}

}  // namespace orvanta::pages
