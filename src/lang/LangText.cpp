// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/LangText.h"

#include "lang/IniFile.h"

namespace orvanta::lang {

QString LoadText(const QString& langPath, const char* section, const char* key, int bufferChars) {
    return QString::fromStdU16String(
        ReadProfileString(langPath.toStdString(), section, key, static_cast<size_t>(bufferChars)));
}

QString LoadTextOr(const QString& langPath, const char* section, const char* key,
                   const QString& builtIn, int bufferChars) {
    const QString text = LoadText(langPath, section, key, bufferChars);
    return text.isEmpty() ? builtIn : text;
}

}  // namespace orvanta::lang
