// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2: the camera setup wizard. `orvanta2 --screenshots DIR` renders every page and
// dialog to PNG files instead of running.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/CWizardApp.h"
#include "app/Screenshots.h"

int main(int argc, char** argv) {
    const char* screenshots = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshots") == 0 && i + 1 < argc) screenshots = argv[++i];
    }
    if (screenshots && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    orvanta::app::CWizardApp app(argc, argv);
    if (screenshots) {
        int written = orvanta::app::WriteScreenshots(QString::fromLocal8Bit(screenshots),
                                                     app.applicationFilePath().toStdString());
        std::printf("%d screenshots in %s\n", written < 0 ? 0 : written, screenshots);
        return written > 0 ? 0 : 1;
    }
    return app.Run();
}
