// SPDX-License-Identifier: GPL-3.0-or-later
// Every key a loader reads exists, with a text, in every shipped language file.
#include <QDir>
#include <set>
#include <sstream>

#include "WizardFixture.h"
#include "lang/CAboutDlg.h"
#include "lang/IniFile.h"
#include "pages/CDlgCameraAddress.h"
#include "pages/CDlgLoginRoot.h"

using namespace orvanta;
using namespace orvanta::test;

namespace {
using Key = std::pair<std::string, std::string>;

std::set<Key> KeysOf(const std::string& path) {
    std::set<Key> keys;
    std::string section;
    auto text = lang::ReadTextFile(path);
    if (!text) return keys;
    std::istringstream in(*text);
    std::string line;
    for (int i = 0; i < 100000 && std::getline(in, line); ++i) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (line.find('=') != std::string::npos) {
            keys.insert({section, line.substr(0, line.find('='))});
        }
    }
    return keys;
}
}  // namespace

TEST_F(WizardTest, EveryKeyTheLoadersReadIsInEveryShippedFile) {
    std::set<Key> read;
    lang::SetKeyRecorder([&](std::string_view s, std::string_view k) {
        read.insert({std::string(s), std::string(k)});
    });
    {
        auto wizard = Start();
        wizard->LoadAllTexts();
        lang::CAboutDlg about(wizard->LangFilePath());
        pages::CDlgLoginRoot password(wizard->LangFilePath());
        pages::CDlgCameraAddress address(wizard->LangFilePath());
    }
    lang::SetKeyRecorder({});
    read.erase({"DefaultLang", "LangFile"});
    ASSERT_GT(read.size(), 150u);

    QDir shipped(ORVANTA_SOURCE_DIR "/resources/Language");
    QStringList files = shipped.entryList({"*.ini"}, QDir::Files);
    ASSERT_GE(files.size(), 2);
    std::set<Key> english = KeysOf(shipped.filePath("ENG.ini").toStdString());
    for (const QString& file : files) {
        std::string path = shipped.filePath(file).toStdString();
        for (const Key& key : read) {
            std::u16string value = lang::ReadProfileString(path, key.first, key.second, 8192);
            EXPECT_FALSE(value.empty())
                << file.toStdString() << ": " << key.first << "/" << key.second;
        }
        // Every language carries the same keys, also those only later pages read.
        EXPECT_EQ(KeysOf(path), english) << file.toStdString();
    }
}
