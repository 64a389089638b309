// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/COddButton.h"

#include <QEvent>

namespace orvanta::controls {

COddButton::COddButton(QWidget* parent, int templateType) : QPushButton(parent) {
    templateType_ = templateType & 0x0F;
    if (templateType_ == kDefPushButton) {
        canBeDefault_ = isDefault_ = true;
        templateType_ = kPushButton;
        setDefault(true);
    } else if (templateType_ == kPushButton) {
        canBeDefault_ = true;
    }
    setAutoDefault(canBeDefault_);
}

void COddButton::SetButtonType(int type) {
    if (type == kDefPushButton) isDefault_ = true;
    if (type == kPushButton) isDefault_ = false;
    setDefault(isDefault_);
    update();
}

bool COddButton::event(QEvent* e) {
    // Qt moves the default mark between auto-default buttons as focus moves; follow it.
    bool handled = QPushButton::event(e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) isDefault_ = isDefault();
    return handled;
}

}  // namespace orvanta::controls
