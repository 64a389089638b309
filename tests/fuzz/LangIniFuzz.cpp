// SPDX-License-Identifier: GPL-3.0-or-later
// Language files come from anywhere (made on Windows, edited by hand): any bytes must parse,
// and writing the one key the program writes must always read back, also after a round trip.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lang/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text =
        orvanta::lang::DecodeText(std::string(reinterpret_cast<const char*>(data), size));
    orvanta::lang::IniDocument doc(text);
    (void)doc.Get("Common", "BtnBack");
    (void)orvanta::lang::CutUtf16(orvanta::lang::Utf8ToUtf16(text), 255);
    doc.Set("DefaultLang", "LangFile", "CHT.ini");
    if (doc.Get("defaultlang", "LANGFILE") != std::optional<std::string>("CHT.ini"))
        __builtin_trap();
    orvanta::lang::IniDocument again(doc.Text());
    if (again.Get("DefaultLang", "LangFile") != std::optional<std::string>("CHT.ini"))
        __builtin_trap();
    return 0;
}
