// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "TempDir.h"
#include "lang/IniFile.h"
#include "lang/LanguageFiles.h"

using namespace orvanta::lang;

TEST(LanguageList, ListsIniFilesWithoutExtensionSkipsFoldersAndSorts) {
    TempDir dir;
    dir.Write("ENG.ini", "[Common]\nLanguageName=English\n");
    dir.Write("CHT.ini", "");
    dir.Write("readme.txt", "");
    dir.Write("a.ini.ini", "");
    std::filesystem::create_directory(dir.File("X.ini"));
    EXPECT_EQ(ListLanguageNames(dir.Path()), (std::vector<std::string>{"a.ini", "CHT", "ENG"}));
    EXPECT_TRUE(ListLanguageNames(dir.File("missing")).empty());
    // Each by the name its file gives, else by its code.
    EXPECT_EQ(LanguageDisplayName(dir.Path(), "ENG"), "English (ENG)");
    EXPECT_EQ(LanguageDisplayName(dir.Path(), "CHT"), "CHT");
}

TEST(LanguageList, PreselectsTheUsersLanguageElseTheLastEnglish) {
    std::vector<std::string> names{"CHT", "ENG"};
    EXPECT_EQ(PreselectLanguage(names, "CHT"), 0);
    EXPECT_EQ(PreselectLanguage(names, "ENU"), 1);
    EXPECT_EQ(PreselectLanguage(names, "DEU"), 1);
    EXPECT_EQ(PreselectLanguage(names, ""), 1);
    EXPECT_EQ(PreselectLanguage({"DEU", "FRA"}, "JPN"), -1);
    EXPECT_EQ(PreselectLanguage({"ENG-old", "ENG", "JPN"}, "KOR"), 1);
    EXPECT_EQ(PreselectLanguage({"ENG", "JPN"}, "jpn"), 0);  // case-sensitive
    EXPECT_EQ(PreselectLanguage({}, "ENG"), -1);
}

TEST(LanguageList, MapsLocalesToThreeLetterNames) {
    EXPECT_EQ(AbbreviatedLanguageName("zh_TW.UTF-8"), "CHT");
    EXPECT_EQ(AbbreviatedLanguageName("zh_CN.UTF-8"), "CHS");
    EXPECT_EQ(AbbreviatedLanguageName("en_US.UTF-8"), "ENU");
    EXPECT_EQ(AbbreviatedLanguageName("en_GB"), "ENG");
    EXPECT_EQ(AbbreviatedLanguageName("de_DE@euro"), "DEU");
    EXPECT_EQ(AbbreviatedLanguageName("ja"), "JPN");
    EXPECT_EQ(AbbreviatedLanguageName("C.UTF-8"), "");
    EXPECT_EQ(AbbreviatedLanguageName("POSIX"), "");
    EXPECT_EQ(AbbreviatedLanguageName("xx_YY"), "");
}

TEST(ProgramPathsTest, EachUserKeepsDefaultLangInTheirOwnConfigFolderNeverBesideTheProgram) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("Language"));
    setenv("XDG_CONFIG_HOME", dir.File("alice").c_str(), 1);
    ProgramPaths paths = ResolveProgramPaths(dir.File("orvanta2"));
    EXPECT_EQ(paths.exeFolder, dir.Path() + "/");
    EXPECT_EQ(paths.defaultLangIni, dir.Path() + "/alice/orvanta2/defaultlang.ini");
    EXPECT_EQ(paths.languageFolder, dir.Path() + "/Language/");
    EXPECT_EQ(LanguageFilePath(paths, "ENG.ini"), dir.Path() + "/Language/ENG.ini");
    ASSERT_TRUE(WriteLangFileName(paths, "CHT.ini"));
    auto mode = std::filesystem::status(dir.File("alice/orvanta2")).permissions();
    EXPECT_EQ(mode, std::filesystem::perms::owner_all);  // private to the user

    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", dir.File("bob").c_str(), 1);
    ProgramPaths bob = ResolveProgramPaths(dir.File("orvanta2"));
    EXPECT_EQ(bob.defaultLangIni, dir.Path() + "/bob/.config/orvanta2/defaultlang.ini");
    EXPECT_EQ(ReadLangFileName(bob), "");  // Alice's choice is hers
    EXPECT_FALSE(std::filesystem::exists(dir.File("defaultlang.ini")));
}

TEST(ProgramPathsTest, SharedLanguageFolderWhenNoneBesideTheProgram) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("bin"));
    ProgramPaths paths = ResolveProgramPaths(dir.File("bin/orvanta2"));
    EXPECT_EQ(paths.languageFolder, dir.Path() + "/share/orvanta2/Language/");
}

TEST(ProgramPathsTest, FirstReadCreatesDefaultLangAndWriteRoundTrips) {
    TempDir dir;
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    ProgramPaths paths = ResolveProgramPaths(dir.File("orvanta2"));
    EXPECT_EQ(ReadLangFileName(paths), "");
    EXPECT_TRUE(std::filesystem::exists(paths.defaultLangIni));
    ASSERT_TRUE(WriteLangFileName(paths, "CHT.ini"));
    EXPECT_EQ(ReadLangFileName(paths), "CHT.ini");
    EXPECT_EQ(TempDir::Read(paths.defaultLangIni), "[DefaultLang]\nLangFile=CHT.ini\n");
}

TEST(LanguageList, EveryShippedLanguageIsPreselectedForItsLocale) {
    const std::vector<std::string> names = ListLanguageNames(ORVANTA_LANGUAGE_DIR);
    const std::pair<const char*, const char*> locales[] = {
        {"en_GB.UTF-8", "ENG"}, {"zh_TW.UTF-8", "CHT"}, {"zh_CN.UTF-8", "CHS"},
        {"de_DE.UTF-8", "DEU"}, {"fr_FR.UTF-8", "FRA"}, {"es_ES.UTF-8", "ESP"},
        {"it_IT.UTF-8", "ITA"}, {"ja_JP.UTF-8", "JPN"}, {"ko_KR.UTF-8", "KOR"}};
    std::vector<std::string> covered;
    for (auto [locale, expected] : locales) {
        int at = PreselectLanguage(names, AbbreviatedLanguageName(locale));
        if (std::find(names.begin(), names.end(), expected) == names.end()) continue;
        ASSERT_GE(at, 0) << locale;
        EXPECT_EQ(names[static_cast<size_t>(at)], expected) << locale;
        covered.push_back(expected);
    }
    std::sort(covered.begin(), covered.end());
    std::vector<std::string> shipped = names;
    std::sort(shipped.begin(), shipped.end());
    EXPECT_EQ(covered, shipped) << "a shipped language without a locale here";
}
