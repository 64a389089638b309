// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/CWizardApp.h"
#include "controls/CXThemeHelper.h"

int main(int argc, char** argv) {
    // Also when the test list is read at build time.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    orvanta::app::KeyFilter keys;
    app.installEventFilter(&keys);
    orvanta::controls::CXThemeHelper::Instance().Override(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
