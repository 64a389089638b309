// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DHCP or fixed address block of the address pages (camera IP, LAN IP, wireless IP): two
// radio buttons and four or five address fields with their labels. It fills itself from a
// set of record fields and stores into it.
#include <QObject>
#include <optional>
#include <utility>
#include <vector>

#include "camera/record/CameraSettings.h"
#include "shell/CSubPage.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orvanta::pages {

// The record fields one block edits: the address mode and up to five dotted texts.
struct AddressFields {
    uint8_t* type;             // IPType or WIPType: 0 DHCP, 1 fixed
    std::vector<char*> texts;  // address, mask, gateway, DNS 1[, DNS 2]; 64 bytes each
};
AddressFields WiredAddressFields(camera::CameraSettings& s, int count);
AddressFields WirelessAddressFields(camera::CameraSettings& s, int count);

class AddressBlock : public QObject {
    Q_OBJECT
public:
    struct Ids {
        int dhcp, fixed;
        std::vector<int> fields;  // in the order address, mask, gateway, DNS 1[, DNS 2]
        std::vector<int> labels;
    };
    enum Field { kAddress = 0, kMask = 1 };

    AddressBlock(shell::CSubPage* page, Ids ids);

    // The radios on two rows, then one row per field.
    QGridLayout* Layout() const { return grid_; }
    QRadioButton* DhcpRadio() const { return dhcp_; }
    QRadioButton* FixedRadio() const { return fixed_; }
    QLineEdit* FieldEdit(int i) const { return fields_[static_cast<size_t>(i)]; }
    int FieldCount() const { return static_cast<int>(fields_.size()); }

    void ChooseDhcp();
    void ChooseFixed();
    bool DhcpChosen() const;
    bool FixedChosen() const;
    void SetFieldsEnabled(bool enabled);

    // By the mode, 0 DHCP or 1 fixed, with the fields showing the stored addresses (one that
    // does not parse shows as 255.255.255.255); anything else leaves the block as it is. The
    // fields are enabled exactly when the fixed address is chosen.
    void Load(const AddressFields& record);
    // DHCP: mode 0, the stored addresses kept. Fixed: mode 1 and every field as a dotted
    // address, an empty one as 0.0.0.0.
    void Store(const AddressFields& record) const;

    // Next of the LAN and wireless address pages: refuses (and says why) no choice or a field
    // that is filled but holds no complete address, or an address the camera could not be
    // reached at (`pc` the PC's own), else stores into `record`. A new fixed address is first
    // tested (ConfirmUnused).
    bool Accept(const AddressFields& record, const camera::CameraSettings& s);
    // A fixed address other than the camera's own (`current`) and the one the block last
    // showed: tested by ARP, and kept only when free or when the user takes it anyway.
    bool ConfirmUnused(uint32_t current);

    // The first field that is filled but holds no complete address, an address the camera
    // could not be reached at (camera::IsCameraAddress, `pc` the PC's own), or a mask that is
    // not contiguous. With `usable`, the address must be there and the mask one that leaves
    // room for it.
    std::optional<std::pair<int, shell::CSubPage::Refusal>> Problem(bool usable,
                                                                    uint32_t pc = 0) const;
    QString LabelText(int i) const;

private:
    shell::CSubPage* page_;
    QGridLayout* grid_;
    QRadioButton* dhcp_;
    QRadioButton* fixed_;
    std::vector<QLineEdit*> fields_;
    std::vector<QLabel*> labels_;
    QString shownAddress_;  // as Load filled the address field
};

}  // namespace orvanta::pages
