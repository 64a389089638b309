#pragma once
// Opens a camera's web page in the desktop's browser. Tests install their own opener.
#include <QString>
#include <functional>

namespace orvanta::shell {

void OpenWebPage(const QString& url);
void SetWebPageOpener(std::function<void(const QString&)> opener);

}  // namespace orvanta::shell
