// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Asks for the address of a camera that the search cannot reach, such as one behind a router:
// "HOST" or "HOST:PORT".
#include <QDialog>

class QLineEdit;

namespace orvanta::pages {

class CDlgCameraAddress : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNote = 1380;
    static constexpr int kAddressLabel = 1381;
    static constexpr int kAddress = 1382;

    explicit CDlgCameraAddress(const QString& langPath, QWidget* parent = nullptr);

    QLineEdit* AddressEdit() const { return addressEdit_; }

private:
    QLineEdit* addressEdit_ = nullptr;
};

}  // namespace orvanta::pages
