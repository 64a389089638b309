// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: language choice, language files, single instance, keys, destruction.
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "WizardFixture.h"
#include "app/LiveBackend.h"
#include "app/Screenshots.h"
#include "lang/CDlgLanguage.h"
#include "pages/CSubChoose.h"
#include "pages/CSubFirst.h"
#include "pages/CSubOption.h"
#include "shell/CSubWait.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;
using pages::CSubFirst;

TEST_F(WizardTest, FirstStartAsksForTheLanguageAndRemembersIt) {
    auto wizard = Start(Options());
    ASSERT_EQ(prompt_.Dialogs(), std::vector<QString>{"CDlgLanguage"});
    // The user's language (ENU) has no file: English is preselected and taken.
    EXPECT_EQ(ReadDefaultLang(), "[DefaultLang]\nLangFile=ENG.ini\n");
    EXPECT_EQ(wizard->LangFilePath(), folder_.filePath("Language/ENG.ini"));
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)
                  ->Control<QPushButton>(CSubFirst::kSearchCamera)
                  ->text(),
              "Search for cameras");
    EXPECT_EQ(wizard->Pages().Current(), shell::kPageFirst);
    EXPECT_TRUE(wizard->Page<pages::CSubFirst>(kPageFirst)->isVisible());

    // The next start reads the file and asks nothing.
    wizard.reset();
    prompt_.Clear();
    wizard = Start(Options());
    EXPECT_TRUE(prompt_.Dialogs().empty());
}

TEST_F(WizardTest, LanguageDialogListsTheFilesByTheirOwnNamesAndPreselectsTheUsers) {
    app::WizardOptions options = Options();
    options.userLanguage = "CHT";
    prompt_.SetNextDialog([](QDialog& dialog) {
        auto& language = static_cast<lang::CDlgLanguage&>(dialog);
        QComboBox* list = language.LanguageList();
        EXPECT_FALSE(list->isEditable());  // no name without a file
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->itemText(0), QString::fromUtf8("繁體中文 (CHT)"));
        EXPECT_EQ(list->itemText(1), "English (ENG)");
        EXPECT_EQ(list->currentText(), QString::fromUtf8("繁體中文 (CHT)"));
        // The dialog speaks the language its list shows.
        EXPECT_EQ(dialog.findChild<QPushButton*>("1")->text(), QString::fromUtf8("確定"));
        language.accept();
        return dialog.result();
    });
    auto wizard = Start(options);
    EXPECT_EQ(ReadDefaultLang(), "[DefaultLang]\nLangFile=CHT.ini\n");
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)
                  ->Control<QPushButton>(CSubFirst::kSearchCamera)
                  ->text(),
              QString::fromUtf8("搜尋攝影機"));
}

TEST_F(WizardTest, AMissingLanguageFileGivesEnglishAndSaysSo) {
    WriteDefaultLang("[DefaultLang]\nLangFile=XYZ.ini\n");
    auto wizard = Start(Options());
    EXPECT_TRUE(prompt_.Dialogs().empty());
    EXPECT_EQ(wizard->LangFileName(), "ENG.ini");
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)
                  ->Control<QPushButton>(CSubFirst::kSearchCamera)
                  ->text(),
              "Search for cameras");
    EXPECT_NE(wizard->Texts().Message(WizardMessage::JobFailed), "");
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text,
              "The language file XYZ.ini is missing. Orvanta2 shows its texts in English.");
    // The choice stays for when the file is back.
    EXPECT_EQ(ReadDefaultLang(), "[DefaultLang]\nLangFile=XYZ.ini\n");
}

TEST_F(WizardTest, LanguageFileRulesReachTheControls) {
    // No Common section: Back and Next lose their captions, the rest stays.
    // A 300-character value shows its first 255 characters; an empty value is empty.
    QString longText(300, 'x');
    WriteLanguage("ENG.ini", "[FirstPage]\nBtn_FindCam=" + longText +
                                 "\nBtn_SetupCam=\n[ChoosePage]\nRadioYes=Yes\n"
                                 "[OptionPage]\nRadioWizard=Wizard\n");
    auto wizard = Start();
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)
                  ->Control<QPushButton>(CSubFirst::kSearchCamera)
                  ->text(),
              QString(255, 'x'));
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)
                  ->Control<QPushButton>(CSubFirst::kSetupCamera)
                  ->text(),
              "");
    EXPECT_EQ(wizard->Page<pages::CSubChoose>(kPageChoose)
                  ->Control<QRadioButton>(pages::CSubChoose::kYes)
                  ->text(),
              "Yes");
    EXPECT_EQ(wizard->Page<pages::CSubChoose>(kPageChoose)
                  ->Control<QPushButton>(pages::CSubChoose::kBack)
                  ->text(),
              "");
    EXPECT_EQ(wizard->Page<pages::CSubChoose>(kPageChoose)
                  ->Control<QPushButton>(pages::CSubChoose::kNext)
                  ->text(),
              "");
    EXPECT_EQ(wizard->Page<pages::CSubOption>(kPageOption)
                  ->Control<QRadioButton>(pages::CSubOption::kWizard)
                  ->text(),
              "Wizard");
    EXPECT_EQ(wizard->Page<pages::CSubOption>(kPageOption)
                  ->Control<QPushButton>(pages::CSubOption::kBack)
                  ->text(),
              "");
}

TEST_F(WizardTest, LanguageChangeRewritesOnlyLangFileAndReloadsEveryText) {
    WriteDefaultLang(
        "; mine\n[DefaultLang]\nLangFile=ENG.ini\nOther=kept\n[Settings]\nProbeHost=10.0.0.1\n");
    auto wizard = Start(Options());
    network_->internet = false;
    auto choose = [](const char* code) {
        return [code](QDialog& dialog) {
            QComboBox* list = static_cast<lang::CDlgLanguage&>(dialog).LanguageList();
            list->setCurrentIndex(list->findData(code));
            dialog.accept();
            return dialog.result();
        };
    };
    prompt_.SetNextDialog(choose("CHT"));
    wizard->HandleNavigation(shell::nav::kLanguage);
    EXPECT_EQ(
        ReadDefaultLang(),
        "; mine\n[DefaultLang]\nLangFile=CHT.ini\nOther=kept\n[Settings]\nProbeHost=10.0.0.1\n");
    EXPECT_EQ(wizard->LangFileName(), "CHT.ini");
    EXPECT_EQ(wizard->Page<pages::CSubOption>(kPageOption)
                  ->Control<QPushButton>(pages::CSubOption::kNext)
                  ->text(),
              QString::fromUtf8("下一步"));
    EXPECT_EQ(wizard->Texts().Message(WizardMessage::Unauthorized),
              QString::fromUtf8("攝影機拒絕存取。請確認管理員密碼後再試一次。"));
    // The first page's network text is made again in the new language.
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)->NetworkText().left(3),
              QString::fromUtf8("本電腦"));

    // Closed without OK: the language in force stays and nothing is written; the list opened
    // on the language in use.
    prompt_.SetNextDialog([](QDialog& dialog) {
        EXPECT_EQ(static_cast<lang::CDlgLanguage&>(dialog).ListedCode(), "CHT");
        dialog.reject();
        return dialog.result();
    });
    wizard->HandleNavigation(shell::nav::kLanguage);
    EXPECT_EQ(wizard->LangFileName(), "CHT.ini");
    EXPECT_TRUE(ReadDefaultLang().contains("LangFile=CHT.ini"));

    // A file gone while the list was open is not taken: texts never go blank.
    prompt_.SetNextDialog([&](QDialog& dialog) {
        QFile::remove(folder_.filePath("Language/ENG.ini"));
        return choose("ENG")(dialog);
    });
    wizard->HandleNavigation(shell::nav::kLanguage);
    EXPECT_EQ(wizard->LangFileName(), "CHT.ini");
    EXPECT_TRUE(ReadDefaultLang().contains("LangFile=CHT.ini"));
    EXPECT_EQ(wizard->Page<pages::CSubOption>(kPageOption)
                  ->Control<QPushButton>(pages::CSubOption::kNext)
                  ->text(),
              QString::fromUtf8("下一步"));
}

TEST_F(WizardTest, SecondInstanceIsRefusedAndTheFirstGoesOn) {
    auto first = Start();
    app::CWizardDlg second(Options());
    EXPECT_FALSE(second.Initialise());
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text, "Orvanta2 is already running");
    EXPECT_EQ(prompt_.Messages()[0].caption, "orvanta2");
    EXPECT_EQ(prompt_.Messages()[0].icon, shell::PromptIcon::Warning);
    EXPECT_EQ(network_->surveys, 1);  // the second one surveyed nothing
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->Pages().Current(), shell::kPageFirst);
}

TEST_F(WizardTest, ALockFileThatCannotBeOpenedIsReportedAsThat) {
    app::WizardOptions options = Options();
    options.lockPath = folder_.filePath("missing/lock").toStdString();
    app::CWizardDlg wizard(options);
    EXPECT_FALSE(wizard.Initialise());
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_TRUE(prompt_.Messages()[0].text.startsWith("Orvanta2 cannot open its lock file"))
        << prompt_.Messages()[0].text.toStdString();
    EXPECT_EQ(network_->surveys, 0);
}

TEST_F(WizardTest, EscapeAndEnterDoNothing) {
    auto wizard = Start();
    wizard->HandleNavigation(shell::nav::kChoose);
    Flush();
    QWidget* next = wizard->Page<pages::CSubChoose>(kPageChoose)
                        ->Control<QPushButton>(pages::CSubChoose::kNext);
    next->setFocus();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(wizard.get(), static_cast<Qt::Key>(key));
        QTest::keyClick(next, static_cast<Qt::Key>(key));
        Flush();
    }
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->result(), 0);
    EXPECT_EQ(wizard->Pages().Current(), shell::kPageChoose);
    EXPECT_TRUE(prompt_.Messages().empty());
    // A dialog of its own takes them as usual.
    lang::CDlgLanguage& choice = wizard->LanguageDialog();
    choice.show();
    QTest::keyClick(&choice, Qt::Key_Escape);
    EXPECT_FALSE(choice.isVisible());
}

TEST_F(WizardTest, DestructionRemovesTemporaryAddressesAndStopsConnecting) {
    auto wizard = Start();
    wizard->close();
    EXPECT_EQ(network_->removals, 1);
    EXPECT_EQ(wizard->Settings().keepConnecting, 0);
    EXPECT_EQ(wizard->WaitDialog(), nullptr);
    wizard.reset();
    EXPECT_EQ(network_->removals, 1);  // once only
}

TEST_F(WizardTest, WaitWindowStartsWithItsOwnTextAndHoldsItsRange) {
    auto wizard = Start();
    shell::CSubWait* wait = wizard->WaitDialog();
    ASSERT_NE(wait, nullptr);
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(wait->ShownText(), "Please Wait for few second ...... ");
    wait->SetPosition(1010);
    EXPECT_EQ(wait->Position(), 1000);
    wait->SetPosition(-5);
    EXPECT_EQ(wait->Position(), 0);
}

TEST_F(WizardTest, ScreenshotsOfEveryPageAndDialogInEveryLanguage) {
    QString out = folder_.filePath("shots");
    int written = app::WriteScreenshots(out, folder_.filePath("orvanta2").toStdString());
    EXPECT_EQ(written, 2 * (shell::kPageCount + 5));
    for (const char* name :
         {"ENG/CSubFirst.png", "CHT/CSubChoose.png", "ENG/CSubWait.png", "CHT/CDlgLanguage.png",
          "ENG/CAboutDlg.png", "CHT/CDlgLoginRoot.png"}) {
        QImage image(out + "/" + name);
        EXPECT_FALSE(image.isNull()) << name;
    }
    // The wizard's own prompt is back in force.
    EXPECT_EQ(&shell::CurrentPrompt(), static_cast<shell::Prompt*>(&prompt_));
}

TEST_F(WizardTest, ProbeHostAndRegistrationServerAreSettingsThatTheEnvironmentOverrides) {
    unsetenv("ORVANTA2_PROBE_HOST");
    unsetenv("ORVANTA2_REGISTRATION_SERVER");
    lang::ProgramPaths paths =
        lang::ResolveProgramPaths(folder_.filePath("orvanta2").toStdString());
    EXPECT_EQ(app::ProbeHost(paths), "example.com");
    EXPECT_EQ(app::RegistrationServer(paths).host, camera::kDefaultRegistrationServer);
    WriteDefaultLang(
        "[DefaultLang]\nLangFile=ENG.ini\n[Settings]\nProbeHost=192.168.0.77\n"
        "RegistrationServer=192.168.0.88:8080\n");
    EXPECT_EQ(app::ProbeHost(paths), "192.168.0.77");
    EXPECT_EQ(app::RegistrationServer(paths).host, "192.168.0.88");
    EXPECT_EQ(app::RegistrationServer(paths).port, "8080");
    setenv("ORVANTA2_PROBE_HOST", "10.1.2.3", 1);
    setenv("ORVANTA2_REGISTRATION_SERVER", "reg.lab.test:http", 1);  // not a port: port 80
    EXPECT_EQ(app::ProbeHost(paths), "10.1.2.3");
    EXPECT_EQ(app::RegistrationServer(paths).host, "reg.lab.test");
    EXPECT_EQ(app::RegistrationServer(paths).port, "80");
    unsetenv("ORVANTA2_PROBE_HOST");
    unsetenv("ORVANTA2_REGISTRATION_SERVER");
}
