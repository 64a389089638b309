#include "shell/Browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace orvanta::shell {

namespace {
std::function<void(const QString&)>& Opener() {
    static std::function<void(const QString&)> opener;
    return opener;
}
}  // namespace

void OpenWebPage(const QString& url) {
    if (Opener()) {
        Opener()(url);
        return;
    }
    // A browser that cannot be started is not reported.
    QDesktopServices::openUrl(QUrl(url));
}

void SetWebPageOpener(std::function<void(const QString&)> opener) {
    Opener() = std::move(opener);
}

}  // namespace orvanta::shell
