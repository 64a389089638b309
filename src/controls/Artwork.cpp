// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Artwork.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

static void InitArtworkResources() {
    Q_INIT_RESOURCE(artwork);
}

namespace orvanta::controls {

namespace {

QString ArtworkPath(int resourceId) {
    InitArtworkResources();
    return QString(":/orvanta2/images/%1.svg").arg(resourceId);
}

}  // namespace

bool HasArtwork(int resourceId) {
    return QFile::exists(ArtworkPath(resourceId));
}

QSize ArtworkSize(int resourceId) {
    QSvgRenderer renderer(ArtworkPath(resourceId));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap ArtworkPixmap(int resourceId, QSize size, qreal devicePixelRatio) {
    QSvgRenderer renderer(ArtworkPath(resourceId));
    if (!renderer.isValid()) return {};
    if (!size.isValid()) size = renderer.defaultSize();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon ArtworkIcon(int resourceId) {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap = ArtworkPixmap(resourceId, QSize(side, side));
        if (!pixmap.isNull()) icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace orvanta::controls
