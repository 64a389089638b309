// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CWizardApp.h"

#include <QKeyEvent>

#include "app/CWizardDlg.h"
#include "app/LiveBackend.h"
#include "controls/Artwork.h"

namespace orvanta::app {

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        int key = static_cast<QKeyEvent*>(event)->key();
        auto* widget = qobject_cast<QWidget*>(watched);
        // Only on the main window's pages: message boxes, dialogs and open drop-down lists
        // are windows of their own and take both keys as usual.
        const bool onPage = widget && qobject_cast<CWizardDlg*>(widget->window());
        if (onPage && (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

CWizardApp::CWizardApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Orvanta2");
    setWindowIcon(controls::ArtworkIcon(128));
    installEventFilter(&keyFilter_);
}

int CWizardApp::Run() {
    WizardOptions options = LiveOptions(applicationFilePath().toStdString());
    CWizardDlg dialog(options);
    if (!dialog.Initialise()) return 0;
    dialog.show();
    return exec();
}

}  // namespace orvanta::app
