// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One text of the language file for a window: the file rule of the loaders in Qt terms.
#include <QString>

namespace orvanta::lang {

constexpr int kTextChars = 260;
constexpr int kLongTextChars = 1024;

QString LoadText(const QString& langPath, const char* section, const char* key,
                 int bufferChars = kTextChars);
// The same, or `builtIn` where the file has no text for the key.
QString LoadTextOr(const QString& langPath, const char* section, const char* key,
                   const QString& builtIn, int bufferChars = kTextChars);

}  // namespace orvanta::lang
