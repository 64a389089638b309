// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/CXThemeHelper.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyle>

namespace orvanta::controls {

CXThemeHelper& CXThemeHelper::Instance() {
    static CXThemeHelper helper;
    return helper;
}

bool CXThemeHelper::IsThemeActive() const {
    if (override_ >= 0) return override_ != 0;
    QString platform = QGuiApplication::platformName();
    if (platform == "offscreen" || platform == "minimal") return false;
    // A theme plugin of a desktop makes the style name something other than Qt's own.
    QString style = QApplication::style() ? QApplication::style()->name().toLower() : QString();
    return !style.isEmpty() && style != "fusion" && style != "windows";
}

}  // namespace orvanta::controls
