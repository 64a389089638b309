// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>

#include "app/CWizardDlg.h"
#include "app/OfflineBackend.h"
#include "camera/rules/DdnsProviders.h"
#include "controls/CXThemeHelper.h"
#include "lang/CAboutDlg.h"
#include "lang/CDlgLanguage.h"
#include "lang/LanguageFiles.h"
#include "pages/CDlgCameraAddress.h"
#include "pages/CDlgLoginRoot.h"
#include "shell/CSubPage.h"
#include "shell/CSubWait.h"
#include "shell/JobRunner.h"
#include "shell/Prompt.h"

namespace orvanta::app {

namespace {

// The pages whose prepare step only shows the record (and the kept results).
constexpr int kPreparedPages[] = {
    shell::kPageOption,   shell::kPageChoose,      shell::kPageShowPic, shell::kPageSystem,
    shell::kPageLanIsp,   shell::kPageLanIp,       shell::kPageWlanAp,  shell::kPageWlanIp,
    shell::kPageUpnp,     shell::kPageDdns,        shell::kPageApScan,  shell::kPagePppoe,
    shell::kPageWizardIp, shell::kPageSetAutoParam};

bool Save(QWidget* widget, const QString& path) {
    widget->adjustSize();
    QApplication::processEvents();
    return widget->grab().save(path);
}

}  // namespace

void PrepareRecordPage(CWizardDlg& wizard, int index) {
    if (std::find(std::begin(kPreparedPages), std::end(kPreparedPages), index) !=
        std::end(kPreparedPages))
        wizard.Pages().Form(index)->Prepare();
}

void FillSampleCamera(camera::CameraSettings& s) {
    using camera::SetFieldText;
    s.newFeatures = 1;
    s.WirelessCap = 1;
    s.useWireless = 1;
    SetFieldText(s.ModelName, "Mervo-71Z");
    SetFieldText(s.TitleBar, "Front door");
    SetFieldText(s.Desp, "Porch, facing the gate");
    s.IPType = 1;
    SetFieldText(s.IPAddr, "192.168.1.100");
    SetFieldText(s.Netmask, "255.255.255.0");
    SetFieldText(s.Gateway, "192.168.1.1");
    SetFieldText(s.DNS1, "192.168.1.1");
    SetFieldText(s.PhonebookUser, "home-dsl");
    s.Wireless = 1;
    SetFieldText(s.SSID, "Home WLAN");
    s.WireType = 1;
    s.WireCh = 6;
    s.WireSec = 3;
    SetFieldText(s.WPAKey, "correct horse");
    SetFieldText(s.TxRate, "Auto");
    s.WIPType = 0;
    s.DDNS = 1;
    SetFieldText(s.DDNSSrv, camera::DdnsProviders()[0].stored);
    SetFieldText(s.DDNSHost, "frontdoor.example.net");
    SetFieldText(s.DDNSUser, "home");
    s.NTPEN = 1;
    SetFieldText(s.NTPName, "pool.ntp.org");
    s.Timezone = 13;
    s.NTPPoll = 12;
    SetFieldText(s.Date, "2026/12/08");
    SetFieldText(s.Time, "09:30:00");
    s.UPnPE = 1;
    s.HttpPort = 80;
    s.SPort = 8000;
    s.RTSPPort = 554;
}

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
        options.timeScale = 0.01;
        CWizardDlg wizard(options);
        if (!wizard.Initialise()) continue;
        FillSampleCamera(wizard.Settings());
        wizard.show();
        wizard.Jobs().Rescan();  // the sample networks into the kept scan list
        QApplication::processEvents();
        for (int index = 0; index < shell::kPageCount; ++index) {
            shell::CSubPage* page = wizard.Pages().Form(index);
            PrepareRecordPage(wizard, index);
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
        pages::CDlgLoginRoot password(wizard.LangFilePath(), &wizard);
        pages::CDlgCameraAddress address(wizard.LangFilePath(), &wizard);
        for (QDialog* dialog : {static_cast<QDialog*>(&about), static_cast<QDialog*>(&password),
                                static_cast<QDialog*>(&address)}) {
            dialog->show();
            if (Save(dialog, out + "/" + dialog->objectName() + ".png")) ++written;
        }
    }
    return written;
}

}  // namespace orvanta::app
