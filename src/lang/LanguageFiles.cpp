// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/LanguageFiles.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "lang/IniFile.h"

namespace orvanta::lang {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::string UserConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return WithSlash(xdg) + "orvanta2/";
    const char* home = std::getenv("HOME");
    if (home && *home) return WithSlash(home) + ".config/orvanta2/";
    struct passwd* entry = ::getpwuid(::getuid());
    return WithSlash(entry && entry->pw_dir ? entry->pw_dir : "/") + ".config/orvanta2/";
}

ProgramPaths ResolveProgramPaths(const std::string& executablePath) {
    ProgramPaths paths;
    std::error_code ec;
    fs::path exe = fs::absolute(fs::path(executablePath), ec);
    std::string folder = exe.parent_path().string();
    paths.exeFolder = WithSlash(folder);
    const std::string config = UserConfigFolder();
    if (fs::create_directories(config, ec))
        fs::permissions(config, fs::perms::owner_all, fs::perm_options::replace, ec);
    paths.defaultLangIni = config + kDefaultLangFile;
    std::string beside = paths.exeFolder + "Language/";
    if (fs::is_directory(beside, ec)) {
        paths.languageFolder = beside;
    } else {
        paths.languageFolder =
            WithSlash(exe.parent_path().parent_path().string()) + "share/orvanta2/Language/";
    }
    return paths;
}

std::string LanguageFilePath(const ProgramPaths& paths, std::string_view langFileName) {
    return paths.languageFolder + std::string(langFileName);
}

std::string ReadLangFileName(const ProgramPaths& paths) {
    {
        std::ifstream in(paths.defaultLangIni);
        if (!in) std::ofstream create(paths.defaultLangIni, std::ios::app);
    }
    return Utf16ToUtf8(
        ReadProfileString(paths.defaultLangIni, kDefaultLangSection, kLangFileKey, 256));
}

bool WriteLangFileName(const ProgramPaths& paths, std::string_view langFileName) {
    return WriteProfileString(paths.defaultLangIni, kDefaultLangSection, kLangFileKey,
                              langFileName);
}

std::vector<std::string> ListLanguageNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    // The listing is bounded: nobody ships thousands of languages.
    for (int seen = 0; !ec && it != end && seen < 4096; it.increment(ec), ++seen) {
        if (it->is_directory(ec)) continue;
        std::string name = it->path().filename().string();
        size_t dot = name.find(".ini");
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".ini") != 0) continue;
        names.push_back(name.erase(dot, 4));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        std::string la = Lower(a), lb = Lower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::string LanguageDisplayName(const std::string& folder, const std::string& code) {
    const std::string name = Utf16ToUtf8(
        ReadProfileString(WithSlash(folder) + code + ".ini", "Common", "LanguageName", 64));
    return name.empty() ? code : name + " (" + code + ")";
}

int PreselectLanguage(const std::vector<std::string>& names, std::string_view abbreviation) {
    int selected = -1;
    for (size_t i = 0; i < names.size(); ++i) {
        if (!abbreviation.empty() && names[i].find(abbreviation) != std::string::npos)
            return static_cast<int>(i);
        if (names[i].find("ENG") != std::string::npos) selected = static_cast<int>(i);
    }
    return selected;
}

std::string AbbreviatedLanguageName(std::string_view localeName) {
    std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return {};
    std::string_view language = name.substr(0, name.find('_'));
    std::string_view region =
        name.find('_') == std::string_view::npos ? "" : name.substr(name.find('_') + 1);
    struct Region {
        const char* language;
        const char* region;
        const char* abbreviation;
    };
    static const Region regions[] = {
        {"zh", "TW", "CHT"}, {"zh", "HK", "ZHH"}, {"zh", "MO", "ZHM"}, {"zh", "SG", "ZHI"},
        {"zh", "CN", "CHS"}, {"en", "US", "ENU"}, {"en", "GB", "ENG"}, {"en", "AU", "ENA"},
        {"en", "CA", "ENC"}, {"en", "IE", "ENI"}, {"en", "NZ", "ENZ"}, {"en", "ZA", "ENS"},
        {"fr", "CA", "FRC"}, {"fr", "BE", "FRB"}, {"fr", "CH", "FRS"}, {"de", "AT", "DEA"},
        {"de", "CH", "DES"}, {"pt", "BR", "PTB"}, {"es", "MX", "ESM"}, {"nl", "BE", "NLB"},
    };
    for (const Region& r : regions)
        if (language == r.language && region == r.region) return r.abbreviation;
    struct Language {
        const char* language;
        const char* abbreviation;
    };
    static const Language languages[] = {
        {"zh", "CHS"}, {"en", "ENU"}, {"de", "DEU"}, {"fr", "FRA"}, {"es", "ESP"}, {"it", "ITA"},
        {"ja", "JPN"}, {"ko", "KOR"}, {"pt", "PTG"}, {"nl", "NLD"}, {"ru", "RUS"}, {"pl", "PLK"},
        {"sv", "SVE"}, {"da", "DAN"}, {"fi", "FIN"}, {"nb", "NOR"}, {"cs", "CSY"}, {"hu", "HUN"},
        {"tr", "TRK"}, {"el", "ELL"}, {"th", "THA"}, {"vi", "VIT"}, {"he", "HEB"}, {"ar", "ARA"},
    };
    for (const Language& l : languages)
        if (language == l.language) return l.abbreviation;
    return {};
}

std::string UserLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

}  // namespace orvanta::lang
