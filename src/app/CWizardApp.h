// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application: swallows Escape and Enter on the main window's pages, so neither key ever
// closes the wizard or presses a page's button.
#include <QApplication>
#include <QObject>

namespace orvanta::app {

class KeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class CWizardApp : public QApplication {
    Q_OBJECT
public:
    CWizardApp(int& argc, char** argv);
    // Runs the wizard; returns the process exit code.
    int Run();

private:
    KeyFilter keyFilter_;
};

}  // namespace orvanta::app
