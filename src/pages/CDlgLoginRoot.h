// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The camera's administrator password, asked when the camera refuses a read as unauthorised.
#include <QDialog>
#include <string>

class QLineEdit;

namespace orvanta::pages {

class CDlgLoginRoot : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNote = 1362;
    static constexpr int kUserLabel = 1360;
    static constexpr int kUser = 1358;
    static constexpr int kPasswordLabel = 1361;
    static constexpr int kPassword = 1359;
    static constexpr int kOkButton = 1374;
    static constexpr int kOk = 1;      // hidden default button
    static constexpr int kCancel = 2;  // hidden

    explicit CDlgLoginRoot(const QString& langPath, QWidget* parent = nullptr);

    // Valid whatever closed the dialog: "root" and the password typed before OK (empty when
    // the dialog was closed without OK).
    QString UserName() const { return userName_; }
    QString Password() const { return password_; }
    QLineEdit* PasswordEdit() const { return passwordEdit_; }

    void accept() override;

private:
    QString userName_ = "root";
    QString passwordLabel_;
    QString tooLong_;
    QString password_;
    QLineEdit* userEdit_ = nullptr;
    QLineEdit* passwordEdit_ = nullptr;
};

// The most bytes the password takes: what the record keeps for the camera's authorization.
constexpr int kRootPasswordBytes = 63;

// Runs the dialog; fills the user and the password typed as UTF-8, the bytes the camera's
// Basic authorization is sent ("root" and an empty password when it was closed). OK is
// refused, by the field's name, for a password longer than kRootPasswordBytes.
void AskAdministratorPassword(const QString& langPath, QWidget* parent, std::string& user,
                              std::string& password);

}  // namespace orvanta::pages
