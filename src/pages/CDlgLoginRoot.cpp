// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgLoginRoot.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "lang/LangText.h"
#include "shell/CSubPage.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

CDlgLoginRoot::CDlgLoginRoot(const QString& langPath, QWidget* parent) : QDialog(parent) {
    setObjectName("CDlgLoginRoot");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette light = palette();
    light.setColor(QPalette::Window, QColor(252, 253, 255));
    setPalette(light);
    setAutoFillBackground(true);
    auto text = [&](const char* key) { return lang::LoadText(langPath, "DlgLoginRoot", key); };
    setWindowTitle(text("DlgLoginRootCaption"));

    auto* icon = new QLabel(this);
    icon->setPixmap(controls::ArtworkPixmap(243, QSize(40, 40), devicePixelRatioF()));
    auto* note = new QLabel(text("note1"), this);
    note->setObjectName(QString::number(kNote));
    note->setWordWrap(true);
    auto* userLabel = new QLabel(text("Root"), this);
    userLabel->setObjectName(QString::number(kUserLabel));
    userEdit_ = new QLineEdit(userName_, this);
    userEdit_->setObjectName(QString::number(kUser));
    userEdit_->setReadOnly(true);
    auto* passwordLabel = new QLabel(text("Password"), this);
    passwordLabel->setObjectName(QString::number(kPasswordLabel));
    passwordEdit_ = new QLineEdit(this);
    passwordEdit_->setObjectName(QString::number(kPassword));
    passwordEdit_->setEchoMode(QLineEdit::Password);
    shell::LimitTyping(passwordEdit_, kRootPasswordBytes);
    passwordLabel_ = passwordLabel->text();
    tooLong_ = lang::LoadText(langPath, "Common", "ValueTooLong", 1024);
    userLabel->setBuddy(userEdit_);
    passwordLabel->setBuddy(passwordEdit_);
    userEdit_->setAccessibleName(shell::AccessibleText(userLabel->text()));
    passwordEdit_->setAccessibleName(shell::AccessibleText(passwordLabel->text()));
    auto* ok = new controls::CXButtonXP(this);
    ok->setObjectName(QString::number(kOkButton));
    ok->setText(text("BtnOK"));
    auto* hiddenOk = new QPushButton(this);
    hiddenOk->setObjectName(QString::number(kOk));
    hiddenOk->setText(ok->text());
    hiddenOk->hide();
    auto* cancel = new QPushButton(this);
    cancel->setObjectName(QString::number(kCancel));
    cancel->setText(text("BtnCancel"));
    cancel->hide();
    connect(ok, &QPushButton::clicked, this, &CDlgLoginRoot::accept);
    connect(hiddenOk, &QPushButton::clicked, this, &CDlgLoginRoot::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(note, 0, 1, 1, 2);
    grid->addWidget(userLabel, 1, 1);
    grid->addWidget(userEdit_, 1, 2);
    grid->addWidget(passwordLabel, 2, 1);
    grid->addWidget(passwordEdit_, 2, 2);
    grid->addWidget(ok, 3, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    setMinimumWidth(380);
}

void CDlgLoginRoot::accept() {
    // Sent whole or not at all.
    if (shell::FieldBytes(passwordEdit_).size() > kRootPasswordBytes) {
        shell::ShowMessage(
            this, tooLong_.arg(shell::AccessibleText(passwordLabel_)).arg(kRootPasswordBytes),
            "Orvanta2", shell::PromptIcon::Warning);
        return;
    }
    password_ = passwordEdit_->text();
    userName_ = userEdit_->text();
    QDialog::accept();
}

void AskAdministratorPassword(const QString& langPath, QWidget* parent, std::string& user,
                              std::string& password) {
    CDlgLoginRoot dialog(langPath, parent);
    shell::CurrentPrompt().Exec(dialog);
    user = dialog.UserName().toUtf8().toStdString();
    password = dialog.Password().toUtf8().toStdString();
}

}  // namespace orvanta::pages
