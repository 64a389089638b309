// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard's push button: an icon beside the caption (left or right), a grey icon when
// disabled, a hot look under the mouse, a pressed look, a focus rectangle, and a flat toolbar
// look for the pages' Back and Next buttons. Follows the desktop style when one is in use.
#include <QIcon>
#include <QPixmap>

#include "controls/COddButton.h"

class QPainter;

namespace orvanta::controls {

class CXButtonXP : public COddButton {
    Q_OBJECT
public:
    enum Placement { kIconLeft = 1, kIconRight = 2 };

    explicit CXButtonXP(QWidget* parent = nullptr, int templateType = kPushButton);

    void SetToolbarStyle(bool on);
    // Loads the artwork `resourceId` at its natural icon size and builds its grey version.
    void SetIcon(int resourceId, int placement);
    void SetIconPixmap(const QPixmap& pixmap, int placement);
    int IconPlacement() const { return iconPlacement_; }
    const QPixmap& IconPixmap() const { return icon_; }
    const QPixmap& GreyIconPixmap() const { return greyIcon_; }
    bool Hot() const { return hot_; }
    // -1 keeps the palette's colour.
    void SetColours(QColor background, QColor text);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void SetHot(bool hot);
    bool ShowsAsDefault() const;
    void PaintThemedFace(QPainter& painter, bool pressed);
    void PaintPlainFace(QPainter& painter, bool pressed);
    // Draws the icon; returns the room left for the caption.
    QRect PaintIcon(QPainter& painter, int shift);
    void PaintCaption(QPainter& painter, const QRect& textRect, int shift, bool themed);

    bool hot_ = false;
    bool doubleClickPending_ = false;
    bool toolbarStyle_ = false;
    int iconPlacement_ = kIconLeft;
    QPixmap icon_;
    QPixmap greyIcon_;
    QColor background_;
    QColor textColour_;
};

}  // namespace orvanta::controls
