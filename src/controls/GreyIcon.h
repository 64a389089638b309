// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>

namespace orvanta::controls {

// The disabled look of an icon: every pixel becomes grey at the mean of its colour channels
// (255 becomes 254), keeping its alpha; a transparent black pixel stays as it is.
QImage MakeGreyImage(const QImage& image);

}  // namespace orvanta::controls
