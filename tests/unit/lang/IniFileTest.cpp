// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "TempDir.h"
#include "lang/IniFile.h"

using namespace orvanta::lang;

namespace {

std::string Read(const std::string& path, const char* section, const char* key, size_t size = 260) {
    return Utf16ToUtf8(ReadProfileString(path, section, key, size));
}

}  // namespace

TEST(IniRead, SectionsAndKeysMatchWithoutCaseAndValuesAreTrimmed) {
    TempDir dir;
    std::string file = dir.Write("a.ini",
                                 "; comment\r\n[Common]\r\nBtnBack = Back \r\nbtnnext=Next\r\n"
                                 "[FirstPage]\r\nBtn_FindCam=\"  Search  \"\r\n");
    EXPECT_EQ(Read(file, "common", "BTNBACK"), "Back");
    EXPECT_EQ(Read(file, "COMMON", "BtnNext"), "Next");
    EXPECT_EQ(Read(file, "FirstPage", "Btn_FindCam"), "  Search  ");
}

TEST(IniRead, AnythingMissingGivesTheEmptyText) {
    TempDir dir;
    std::string file = dir.Write("a.ini", "[Common]\nBtnBack=\nBtnNext=Next\n[Other]\nX=1\n");
    EXPECT_EQ(Read(dir.File("missing.ini"), "Common", "BtnNext"), "");
    EXPECT_EQ(Read(file, "NoSection", "BtnNext"), "");
    EXPECT_EQ(Read(file, "Common", "NoKey"), "");
    EXPECT_EQ(Read(file, "Common", "BtnBack"), "");  // present but empty
    EXPECT_EQ(Read(file, "Common", "X"), "");        // keys belong to their own section
    EXPECT_EQ(Read(file, "Common", "BtnNext", 0), "");
}

TEST(IniRead, FirstSectionAndFirstKeyWin) {
    TempDir dir;
    std::string file = dir.Write("a.ini", "[S]\nK=one\nK=two\n[s]\nK=three\nL=four\n");
    EXPECT_EQ(Read(file, "S", "K"), "one");
    EXPECT_EQ(Read(file, "S", "L"), "");
}

TEST(IniRead, LongValuesAreCutToBufferSizeMinusOne) {
    TempDir dir;
    std::string value(300, 'x');
    std::string chinese;
    for (int i = 0; i < 300; ++i) chinese += "\xE4\xB8\xAD";  // U+4E2D, one UTF-16 unit
    std::string file =
        dir.Write("a.ini", "[FirstPage]\nBtn_FindCam=" + value + "\nZh=" + chinese + "\n");
    EXPECT_EQ(Read(file, "FirstPage", "Btn_FindCam", 256).size(), 255u);
    EXPECT_EQ(Read(file, "FirstPage", "Btn_FindCam", 260).size(), 259u);
    EXPECT_EQ(ReadProfileString(file, "FirstPage", "Zh", 256).size(), 255u);
    EXPECT_EQ(Read(file, "FirstPage", "Btn_FindCam", 1024), value);
}

TEST(IniRead, CutNeverSplitsASurrogatePair) {
    std::u16string text = u"ab\U0001F600";
    EXPECT_EQ(CutUtf16(text, 3), u"ab");
    EXPECT_EQ(CutUtf16(text, 4), text);
}

TEST(IniRead, Utf16FilesWithAByteOrderMarkAndUtf8BomAreRead) {
    TempDir dir;
    std::u16string content = u"[ChoosePage]\r\nNote1=\u65B0\u651D\u5F71\u6A5F\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t u : content) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    EXPECT_EQ(ReadProfileString(dir.Write("le.ini", le), "ChoosePage", "Note1", 260),
              u"\u65B0\u651D\u5F71\u6A5F");
    EXPECT_EQ(ReadProfileString(dir.Write("be.ini", be), "ChoosePage", "Note1", 260),
              u"\u65B0\u651D\u5F71\u6A5F");
    EXPECT_EQ(Read(dir.Write("bom.ini", "\xEF\xBB\xBF[A]\nB=c\n"), "A", "B"), "c");
}

TEST(IniWrite, WritingOneKeyKeepsEverythingElse) {
    TempDir dir;
    std::string before =
        "; kept\r\n[Other]\r\nX = 1\r\n\r\n[DefaultLang]\r\nLangFile=ENG.ini\r\nNote=keep me\r\n";
    std::string file = dir.Write("defaultlang.ini", before);
    ASSERT_TRUE(WriteProfileString(file, "defaultlang", "langfile", "CHT.ini"));
    EXPECT_EQ(
        TempDir::Read(file),
        "; kept\r\n[Other]\r\nX = 1\r\n\r\n[DefaultLang]\r\nLangFile=CHT.ini\r\nNote=keep me\r\n");
}

TEST(IniWrite, AddsMissingKeyAtTheEndOfItsSectionAndMissingSectionAtTheEnd) {
    TempDir dir;
    std::string file = dir.Write("a.ini", "[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(WriteProfileString(file, "A", "z", "3"));
    EXPECT_EQ(TempDir::Read(file), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
    ASSERT_TRUE(WriteProfileString(file, "DefaultLang", "LangFile", "ENG.ini"));
    EXPECT_EQ(TempDir::Read(file),
              "[A]\nx=1\nz=3\n\n[B]\ny=2\n\n[DefaultLang]\nLangFile=ENG.ini\n");
}

TEST(IniWrite, CreatesAMissingOrEmptyFileAndKeepsValuesOnOneLine) {
    TempDir dir;
    ASSERT_TRUE(
        WriteProfileString(dir.File("new.ini"), "DefaultLang", "LangFile", "ENG.ini\nevil=1"));
    EXPECT_EQ(TempDir::Read(dir.File("new.ini")), "[DefaultLang]\nLangFile=ENG.ini\n");
    std::string empty = dir.Write("empty.ini", "");
    ASSERT_TRUE(WriteProfileString(empty, "DefaultLang", "LangFile", "CHT.ini"));
    EXPECT_EQ(Read(empty, "DefaultLang", "LangFile"), "CHT.ini");
}

TEST(IniWrite, KeepsAUtf16FileInUtf16) {
    TempDir dir;
    std::string le = "\xFF\xFE";
    for (char c : std::string("[DefaultLang]\r\nLangFile=ENG.ini\r\n")) {
        le += c;
        le += '\0';
    }
    std::string file = dir.Write("u16.ini", le);
    ASSERT_TRUE(WriteProfileString(file, "DefaultLang", "LangFile", "CHT.ini"));
    std::string after = TempDir::Read(file);
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Read(file, "DefaultLang", "LangFile"), "CHT.ini");
}

TEST(IniWrite, FailsWithoutTouchingAnythingWhenTheFolderIsMissing) {
    TempDir dir;
    EXPECT_FALSE(WriteProfileString(dir.File("no/such/folder.ini"), "A", "B", "C"));
}

TEST(IniRecorder, SeesEveryKeyAsked) {
    std::vector<std::string> seen;
    SetKeyRecorder([&](std::string_view s, std::string_view k) {
        seen.push_back(std::string(s) + "/" + std::string(k));
    });
    ReadProfileString("/nonexistent.ini", "Common", "BtnBack", 260);
    SetKeyRecorder({});
    ReadProfileString("/nonexistent.ini", "Common", "BtnNext", 260);
    EXPECT_EQ(seen, std::vector<std::string>{"Common/BtnBack"});
}

TEST(Utf, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("a\xE4\xB8"), u"a\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xE4\xB8\xAD\xF0\x9F\x98\x80")),
              "\xE4\xB8\xAD\xF0\x9F\x98\x80");
}
