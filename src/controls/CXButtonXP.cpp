// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/CXButtonXP.h"

#include <qdrawutil.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionToolButton>

#include "controls/Artwork.h"
#include "controls/CXThemeHelper.h"
#include "controls/GreyIcon.h"

namespace orvanta::controls {

namespace {
constexpr int kFallbackIconSide = 32;
}

CXButtonXP::CXButtonXP(QWidget* parent, int templateType) : COddButton(parent, templateType) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void CXButtonXP::SetToolbarStyle(bool on) {
    toolbarStyle_ = on;
    // A toolbar button stands on its parent's own background.
    setAttribute(Qt::WA_TranslucentBackground, on);
    setAutoFillBackground(false);
    update();
}

void CXButtonXP::SetIcon(int resourceId, int placement) {
    QSize natural = ArtworkSize(resourceId);
    if (!natural.isValid()) natural = QSize(kFallbackIconSide, kFallbackIconSide);
    qreal ratio = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
    SetIconPixmap(ArtworkPixmap(resourceId, natural, ratio), placement);
}

void CXButtonXP::SetIconPixmap(const QPixmap& pixmap, int placement) {
    icon_ = pixmap;
    greyIcon_ = QPixmap();
    if (!pixmap.isNull()) {
        greyIcon_ = QPixmap::fromImage(MakeGreyImage(pixmap.toImage()));
        greyIcon_.setDevicePixelRatio(pixmap.devicePixelRatio());
    }
    iconPlacement_ = placement == kIconRight ? kIconRight : kIconLeft;
    updateGeometry();
    update();
}

void CXButtonXP::SetColours(QColor background, QColor text) {
    background_ = background;
    textColour_ = text;
    update();
}

QSize CXButtonXP::sizeHint() const {
    QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
    QSize icon = icon_.isNull() ? QSize(0, 0) : icon_.deviceIndependentSize().toSize();
    int width = text.width() + (icon.isEmpty() ? 24 : 2 * icon.width() + icon.width() / 2 + 12);
    int height = qMax(text.height(), icon.height()) + 14;
    return QSize(qMax(width, 80), qMax(height, 30));
}

void CXButtonXP::SetHot(bool hot) {
    if (hot == hot_) return;
    hot_ = hot;
    update();
}

void CXButtonXP::enterEvent(QEnterEvent* e) {
    SetHot(true);
    COddButton::enterEvent(e);
}

void CXButtonXP::leaveEvent(QEvent* e) {
    SetHot(false);
    COddButton::leaveEvent(e);
}

void CXButtonXP::mouseMoveEvent(QMouseEvent* e) {
    SetHot(rect().contains(e->position().toPoint()));
    COddButton::mouseMoveEvent(e);
}

void CXButtonXP::mouseDoubleClickEvent(QMouseEvent* e) {
    // Taken as a second press, so a fast second click is not lost.
    doubleClickPending_ = true;
    COddButton::mousePressEvent(e);
}

void CXButtonXP::mouseReleaseEvent(QMouseEvent* e) {
    doubleClickPending_ = false;
    COddButton::mouseReleaseEvent(e);
}

void CXButtonXP::changeEvent(QEvent* e) {
    if (e->type() == QEvent::StyleChange || e->type() == QEvent::EnabledChange) update();
    if (e->type() == QEvent::EnabledChange && !isEnabled()) hot_ = false;
    COddButton::changeEvent(e);
}

void CXButtonXP::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool themed = CXThemeHelper::Instance().IsThemeActive() && !background_.isValid() &&
                        !textColour_.isValid();
    const bool pressed = isDown() || (isCheckable() && isChecked());
    if (themed)
        PaintThemedFace(painter, pressed);
    else
        PaintPlainFace(painter, pressed);
    const int shift = (pressed && !themed) ? 1 : 0;
    PaintCaption(painter, PaintIcon(painter, shift), shift, themed);
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &painter, this);
    }
}

bool CXButtonXP::ShowsAsDefault() const {
    return (isDefault() || (autoDefault() && hasFocus())) && !toolbarStyle_;
}

void CXButtonXP::PaintThemedFace(QPainter& painter, bool pressed) {
    const bool hot = hot_ && isEnabled();
    if (toolbarStyle_) {
        QStyleOptionToolButton opt;
        opt.initFrom(this);
        opt.state |= QStyle::State_AutoRaise;
        if (hot) opt.state |= QStyle::State_MouseOver | QStyle::State_Raised;
        if (pressed) opt.state |= QStyle::State_Sunken;
        if (hot_ || pressed)
            style()->drawPrimitive(QStyle::PE_PanelButtonTool, &opt, &painter, this);
        return;
    }
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.state &= ~QStyle::State_MouseOver;
    if (hot) opt.state |= QStyle::State_MouseOver;
    opt.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (ShowsAsDefault()) opt.features |= QStyleOptionButton::DefaultButton;
    style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &painter, this);
}

void CXButtonXP::PaintPlainFace(QPainter& painter, bool pressed) {
    const bool hot = hot_ && isEnabled();
    QRect r = rect();
    QColor face = background_.isValid() ? background_ : palette().color(QPalette::Button);
    if (hot && !pressed) face = face.lighter(106);
    if (!toolbarStyle_ || background_.isValid()) painter.fillRect(r, face);
    if (hasFocus() || ShowsAsDefault()) {
        painter.setPen(Qt::black);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    // The flat button shows a light raised edge only while the mouse is over it.
    if (pressed || !toolbarStyle_ || hot) qDrawShadePanel(&painter, r, palette(), pressed, 1);
}

QRect CXButtonXP::PaintIcon(QPainter& painter, int shift) {
    const QPixmap& pixmap = !isEnabled() && !greyIcon_.isNull() ? greyIcon_ : icon_;
    if (pixmap.isNull()) return rect();
    const QSize iconSize = pixmap.deviceIndependentSize().toSize();
    const int iw = iconSize.width();
    QRect textRect = rect();
    QPoint at;
    if (text().isEmpty()) {
        at = QPoint((width() - iw) / 2, (height() - iconSize.height()) / 2);
    } else if (iconPlacement_ == kIconRight) {
        at = QPoint(width() - iw / 2 - iw, (height() - iconSize.height()) / 2);
        textRect = QRect(QPoint(iw / 2, 0), QPoint(at.x() - 1, height() - 1));
    } else {
        at = QPoint(iw / 2, (height() - iconSize.height()) / 2);
        textRect = QRect(QPoint(2 * iw, 0), QPoint(width() - iw / 2 - 1, height() - 1));
    }
    painter.drawPixmap(at + QPoint(shift, shift), pixmap);
    return textRect;
}

void CXButtonXP::PaintCaption(QPainter& painter, const QRect& textRect, int shift, bool themed) {
    const QString caption = text();
    if (caption.isEmpty()) return;
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (caption.contains('\n')) flags |= Qt::TextWordWrap;
    const QRect tr = textRect.translated(shift, shift);
    const bool disabled = !isEnabled();
    if (disabled && !themed) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(tr.translated(1, 1), flags, caption);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(tr, flags, caption);
        return;
    }
    const QColor colour = textColour_.isValid()
                              ? textColour_
                              : palette().color(disabled ? QPalette::Disabled : QPalette::Active,
                                                QPalette::ButtonText);
    painter.setPen(colour);
    painter.drawText(tr, flags, caption);
}

}  // namespace orvanta::controls
