// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Browser.h"

#include <QPointer>
#include <QProcess>
#include <QWidget>

#include "shell/Prompt.h"

namespace orvanta::shell {

namespace {
std::function<bool(const QString&)>& Opener() {
    static std::function<bool(const QString&)> opener;
    return opener;
}

// xdg-open starts whatever browser the desktop is set to; it fails when there is none. The
// process has no owner: deleting a running one would end a browser it runs in the foreground.
void StartDesktopOpener(const QString& url, std::function<void()> failed) {
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0) failed();
                         process->deleteLater();
                     });
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start("xdg-open", {url});
}
}  // namespace

void OpenWebPage(QWidget* parent, const QString& url, const QString& noBrowserText) {
    // The address on a line of its own, so that no line break cuts it.
    auto failed = [window = QPointer<QWidget>(parent), text = noBrowserText.arg("\n" + url)] {
        ShowMessage(window, text, "Orvanta2", PromptIcon::Information);
    };
    if (Opener()) {
        if (!Opener()(url)) failed();
        return;
    }
    StartDesktopOpener(url, failed);
}

void SetWebPageOpener(std::function<bool(const QString&)> opener) {
    Opener() = std::move(opener);
}

}  // namespace orvanta::shell
