#include "lang/LangText.h"

#include "lang/IniFile.h"

namespace orvanta::lang {

QString LoadText(const QString& langPath, const char* section, const char* key, int bufferChars) {
    return QString::fromStdU16String(
        ReadProfileString(langPath.toStdString(), section, key, static_cast<size_t>(bufferChars)));
}

}  // namespace orvanta::lang
