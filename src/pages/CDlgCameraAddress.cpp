// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CDlgCameraAddress.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "lang/LangText.h"
#include "shell/CSubPage.h"

namespace orvanta::pages {

CDlgCameraAddress::CDlgCameraAddress(const QString& langPath, QWidget* parent) : QDialog(parent) {
    setObjectName("CDlgCameraAddress");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto text = [&](const char* key) { return lang::LoadText(langPath, "DlgCameraAddress", key); };
    setWindowTitle(text("Caption"));

    auto* note = new QLabel(text("Note"), this);
    note->setObjectName(QString::number(kNote));
    note->setWordWrap(true);
    auto* label = new QLabel(text("Address"), this);
    label->setObjectName(QString::number(kAddressLabel));
    addressEdit_ = new QLineEdit(this);
    addressEdit_->setObjectName(QString::number(kAddress));
    shell::LimitTyping(addressEdit_, 21);  // "255.255.255.255:65535"; a paste is not cut
    label->setBuddy(addressEdit_);
    addressEdit_->setAccessibleName(shell::AccessibleText(label->text()));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text("BtnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(text("BtnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->addWidget(note, 0, 0, 1, 2);
    grid->addWidget(label, 1, 0);
    grid->addWidget(addressEdit_, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(380);
}

}  // namespace orvanta::pages
