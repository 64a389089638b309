#include "app/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "app/CWizardDlg.h"
#include "app/OfflineBackend.h"
#include "controls/CXThemeHelper.h"
#include "lang/CAboutDlg.h"
#include "lang/CDlgLanguage.h"
#include "lang/LanguageFiles.h"
#include "pages/CDlgLoginRoot.h"
#include "shell/CSubPage.h"
#include "shell/CSubWait.h"
#include "shell/Prompt.h"

namespace orvanta::app {

namespace {

bool Save(QWidget* widget, const QString& path) {
    widget->adjustSize();
    QApplication::processEvents();
    return widget->grab().save(path);
}

}  // namespace

int WriteScreenshots(const QString& folder, const std::string& executablePath) {
    if (!QDir().mkpath(folder)) return -1;
    controls::CXThemeHelper::Instance().Override(0);
    shell::ScriptedPrompt prompt;  // nothing may wait for a user
    QTemporaryDir lockFolder;
    int written = 0;
    lang::ProgramPaths paths = lang::ResolveProgramPaths(executablePath);
    for (const std::string& language : lang::ListLanguageNames(paths.languageFolder)) {
        QString out = folder + "/" + QString::fromStdString(language);
        QDir().mkpath(out);
        WizardOptions options;
        options.executablePath = executablePath;
        options.camera = OfflineCamera();
        options.network = OfflineNetwork(true);
        options.lockPath = lockFolder.filePath("screenshots.lock").toStdString();
        options.langFileName = language + ".ini";
        options.userLanguage = language;
        CWizardDlg wizard(options);
        if (!wizard.Initialise()) continue;
        camera::CameraSettings& s = wizard.Settings();
        s.newFeatures = 1;
        s.WirelessCap = 1;
        s.useWireless = 1;
        s.apCount = 1;
        wizard.show();
        for (int index = 0; index < shell::kPageCount; ++index) {
            shell::CSubPage* page = wizard.Pages().Form(index);
            if (index == shell::kPageOption || index == shell::kPageChoose ||
                index == shell::kPageShowPic)
                page->Prepare();
            wizard.Pages().ShowForm(index);
            QApplication::processEvents();
            if (wizard.grab().save(out + "/" + page->ClassName() + ".png")) ++written;
        }
        wizard.Pages().ShowForm(shell::kPageFirst);

        shell::CSubWait* wait = wizard.WaitDialog();
        wait->SetText(wizard.Texts().Note(shell::WaitNote::Reading));
        wait->TransferText();
        wait->SetPosition(420);
        wait->show();
        if (Save(wait, out + "/CSubWait.png")) ++written;
        wait->hide();

        lang::CDlgLanguage& languageDialog = wizard.LanguageDialog();
        languageDialog.show();
        if (Save(&languageDialog, out + "/CDlgLanguage.png")) ++written;
        languageDialog.hide();

        lang::CAboutDlg about(wizard.LangFilePath(), &wizard);
        about.show();
        if (Save(&about, out + "/CAboutDlg.png")) ++written;

        pages::CDlgLoginRoot password(wizard.LangFilePath(), &wizard);
        password.show();
        if (Save(&password, out + "/CDlgLoginRoot.png")) ++written;
    }
    return written;
}

}  // namespace orvanta::app
