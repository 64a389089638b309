// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pictures, drawn from SVG at the size and device pixel ratio asked for, by the
// numbers of the original resources (198 banner, 206/210/211 PC network, 224/227/228
// connection diagrams, 209/216 WPS, 128 program icon, 181 ... 245 button and page icons).
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace orvanta::controls {

bool HasArtwork(int resourceId);
QPixmap ArtworkPixmap(int resourceId, QSize size, qreal devicePixelRatio = 1.0);
QIcon ArtworkIcon(int resourceId);
// The picture's own size in logical pixels.
QSize ArtworkSize(int resourceId);

}  // namespace orvanta::controls
