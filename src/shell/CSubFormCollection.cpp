// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CSubFormCollection.h"

#include <QApplication>
#include <QButtonGroup>
#include <QRadioButton>

#include "shell/CSubPage.h"

namespace orvanta::shell {

namespace {

// Tab enters a group of radio buttons at its checked one.
QWidget* CheckedRadioOf(QWidget* w) {
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio || radio->isChecked()) return w;
    if (QButtonGroup* group = radio->group())
        return group->checkedButton() ? group->checkedButton() : w;
    if (!radio->autoExclusive()) return w;
    for (auto* sibling :
         radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        if (sibling->autoExclusive() && sibling->isChecked() && !sibling->isHidden())
            return sibling;
    return w;
}

}  // namespace

bool CSubFormCollection::AddForm(CSubPage* page, QWidget* parent) {
    if (!page) return false;
    forms_.push_back(page);
    page->setParent(parent);
    page->hide();
    if (centre_) {
        QSize size = page->size();
        page->move(frame_.left() + (frame_.width() - size.width()) / 2,
                   frame_.top() + (frame_.height() - size.height()) / 2);
    }
    return true;
}

bool CSubFormCollection::SelectForm(int index) {
    if (index < 0 || index >= Count()) return false;
    current_ = index;
    return true;
}

CSubPage* CSubFormCollection::Form(int index) const {
    return index >= 0 && index < Count() ? forms_[static_cast<size_t>(index)] : nullptr;
}

bool CSubFormCollection::ShowForm(int index) {
    if (index >= Count() || index < -1) return false;
    if (index != -1) {
        if (current_ >= 0) {
            CSubPage* shown = Form(current_);
            if (!shown) return false;
            shown->hide();
        }
        current_ = index;
    } else if (current_ < 0) {
        if (Count() == 0) return false;
        current_ = 0;
    }
    CSubPage* page = Form(current_);
    page->show();
    page->raise();
    page->update();
    FocusFirstControl(page);
    return true;
}

void CSubFormCollection::FocusFirstControl(CSubPage* page) {
    // Keyboard and screen-reader users start on the page's first control, as Tab would.
    if (page->isAncestorOf(QApplication::focusWidget())) return;
    QWidget* w = page;
    for (int guard = 0; guard < 500; ++guard) {
        w = w->nextInFocusChain();
        if (w == page) return;
        if (page->isAncestorOf(w) && w->isVisibleTo(page) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            CheckedRadioOf(w)->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace orvanta::shell
