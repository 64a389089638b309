// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens a camera's web page in the desktop's browser. Tests install their own opener.
#include <QString>
#include <functional>

class QWidget;

namespace orvanta::shell {

// Starts the desktop's browser on `url`. When none can be started, `parent` shows
// `noBrowserText` (its %1 the address) in a message whose text can be selected and copied.
void OpenWebPage(QWidget* parent, const QString& url, const QString& noBrowserText);
// The opener tells whether a browser took the address.
void SetWebPageOpener(std::function<bool(const QString&)> opener);

}  // namespace orvanta::shell
