// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/forms/PppoeAccount.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "pages/PageTools.h"

namespace orvanta::pages {

PppoeAccount::PppoeAccount(shell::CSubPage* page, Ids ids, int typingLimit)
    : QObject(page), page_(page), grid_(new QGridLayout) {
    const int fields[] = {ids.user, ids.password, ids.confirm};
    const int labels[] = {ids.userLabel, ids.passwordLabel, ids.confirmLabel};
    QLineEdit* edits[3] = {};
    for (int i = 0; i < 3 && fields[i]; ++i) {
        edits[i] = page->MakeEdit(fields[i], typingLimit);
        if (i > 0) edits[i]->setEchoMode(QLineEdit::Password);
        labels_[i] = page->MakeLabel(labels[i]);
        AddRow(grid_, labels_[i], edits[i]);
    }
    user_ = edits[0];
    password_ = edits[1];
    confirm_ = edits[2];
    grid_->setColumnStretch(1, 1);
}

void PppoeAccount::SetEnabled(bool enabled) {
    for (QLineEdit* edit : {user_, password_, confirm_})
        if (edit) edit->setEnabled(enabled);
}

void PppoeAccount::Load(const camera::CameraSettings& s) {
    user_->setText(FieldString(s.PAccount));
    password_->setText(FieldString(s.PPwd));
    if (confirm_) confirm_->setText(FieldString(s.PVP));
}

void PppoeAccount::Store(camera::CameraSettings& s) const {
    SetFieldString(s.PAccount, user_->text());
    SetFieldString(s.PPwd, password_->text());
    SetFieldString(s.PVP, (confirm_ ? confirm_ : password_)->text());
}

bool PppoeAccount::RefuseUnfit(const camera::CameraSettings& s) const {
    return page_->RefuseUnfit(user_, labels_[0], s.PAccount) ||
           page_->RefuseUnfit(password_, labels_[1], s.PPwd) ||
           (confirm_ && page_->RefuseUnfit(confirm_, labels_[2], s.PVP));
}

}  // namespace orvanta::pages
