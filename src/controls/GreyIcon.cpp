// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/GreyIcon.h"

namespace orvanta::controls {

QImage MakeGreyImage(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QRgb p = line[x];
            int a = (qBlue(p) + qGreen(p) + qRed(p)) / 3;
            if (qAlpha(p) == 0 && a == 0) continue;
            int grey = a == 255 ? 254 : a;
            line[x] = qRgba(grey, grey, grey, qAlpha(p));
        }
    }
    return out;
}

}  // namespace orvanta::controls
