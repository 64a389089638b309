// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CSubWait.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "shell/CSubPage.h"

namespace orvanta::shell {

CSubWait::CSubWait(QWidget* owner) : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("CSubWait");
    setFixedSize(DluX(328), DluY(67));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    // The window it waits for is disabled meanwhile, and so is this child of it: it must
    // still read as the live message it is.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::Highlight,
                                     QPalette::Button, QPalette::Base})
        white.setColor(QPalette::Disabled, role, white.color(QPalette::Active, role));
    setPalette(white);
    setAutoFillBackground(true);
    auto* frame = new QGroupBox(this);
    frame->setGeometry(DluX(7), DluY(5), DluX(313), DluY(55));
    label_ = new QLabel("Info", this);
    label_->setObjectName(ControlName(kText));
    label_->setGeometry(DluX(43), DluY(16), DluX(241), DluY(18));
    label_->setWordWrap(true);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(ControlName(kProgress));
    progress_->setGeometry(DluX(19), DluY(42), DluX(289), DluY(11));
    progress_->setTextVisible(false);
    progress_->setRange(0, kMaximum);
    progress_->setValue(0);
    hide();
}

void CSubWait::SetRange(int low, int high) {
    progress_->setRange(low, high);
}

void CSubWait::SetPosition(int position) {
    progress_->setValue(qBound(progress_->minimum(), position, progress_->maximum()));
}

int CSubWait::Position() const {
    return progress_->value();
}

void CSubWait::TransferText() {
    label_->setText(text_);
}

QString CSubWait::ShownText() const {
    return label_->text();
}

void CSubWait::UpdateNow() {
    if (isVisible()) repaint();
}

}  // namespace orvanta::shell
