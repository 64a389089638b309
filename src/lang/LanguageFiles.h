// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the language files and defaultlang.ini live, which language files there are, and which
// one matches the user's language.
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::lang {

constexpr const char* kDefaultLangFile = "defaultlang.ini";
constexpr const char* kDefaultLangSection = "DefaultLang";
constexpr const char* kLangFileKey = "LangFile";

struct ProgramPaths {
    std::string exeFolder;       // with a trailing '/'
    std::string defaultLangIni;  // full path of defaultlang.ini
    std::string languageFolder;  // with a trailing '/'
};

// The user's own folder for the wizard's settings: $XDG_CONFIG_HOME/orvanta2/, else
// ~/.config/orvanta2/ (with a trailing '/'). Not created here.
std::string UserConfigFolder();

// defaultlang.ini in the user's config folder (created, private to the user), never beside
// the program, so that each user of the machine keeps their own language; Language/ beside
// the program when it exists, else <prefix>/share/orvanta2/Language/ with prefix the program
// folder's parent.
ProgramPaths ResolveProgramPaths(const std::string& executablePath);

// Full path of the language file named `langFileName` (e.g. "ENG.ini").
std::string LanguageFilePath(const ProgramPaths& paths, std::string_view langFileName);

// Creates defaultlang.ini empty when it cannot be opened; then the value of LangFile
// (at most 255 characters, UTF-8).
std::string ReadLangFileName(const ProgramPaths& paths);
bool WriteLangFileName(const ProgramPaths& paths, std::string_view langFileName);

// The regular files "*.ini" of the folder, each without its first ".ini", sorted as the
// language dialog's list sorts them (case-insensitive, then by bytes).
std::vector<std::string> ListLanguageNames(const std::string& folder);

// How the language dialog lists the language `code` of the folder: the language's own name as
// its file gives it ([Common] LanguageName) with the code, "Deutsch (DEU)"; the code alone
// when the file names none.
std::string LanguageDisplayName(const std::string& folder, const std::string& code);

// The list position to preselect: the first name containing `abbreviation`, else the last
// name containing "ENG" before it; -1 for none. Case-sensitive. An empty abbreviation matches
// nothing (it would otherwise "match" the first name whatever the language).
int PreselectLanguage(const std::vector<std::string>& names, std::string_view abbreviation);

// The Windows three-letter language name for a POSIX locale name ("zh_TW.UTF-8" gives "CHT",
// "en_US" gives "ENU", "de_DE@euro" gives "DEU"); "" when unknown or for "C"/"POSIX".
std::string AbbreviatedLanguageName(std::string_view localeName);

// The user's locale: LC_ALL, else LC_MESSAGES, else LANG.
std::string UserLocaleName();

}  // namespace orvanta::lang
