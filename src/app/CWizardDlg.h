#pragma once
// The main window: owns the pages, the camera settings record, the worker job, the wait window
// and the discovery engine that finds the camera again after a save; handles every
// navigation code.
#include <QDialog>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/SingleInstance.h"
#include "camera/CameraSettings.h"
#include "lang/CDlgLanguage.h"
#include "lang/LanguageFiles.h"
#include "shell/Backends.h"
#include "shell/CSubFormCollection.h"
#include "shell/NavigationCodes.h"
#include "shell/SettingsJob.h"

class QLabel;

namespace orvanta::pages {
class CSubFirst;
class CSubSearchNet;
class CSubOption;
class CSubSystem;
class CSubShowPic;
class CSubLANISP;
class CSubLANIP;
class CSubWLANAP;
class CSubWLANIP;
class CSubUPnP;
class CSubDDNS;
class CSubAPScan;
class CSubWPS;
class CSubSetAutoParam;
class CSubWPSPic;
class CSubChoose;
class CSubPPPoE;
class CSubWizardIP;
class CSubLogin;
class CSubSetupFinish;
class CSubLinkSer;
}  // namespace orvanta::pages

namespace orvanta::shell {
class CSubWait;
}

namespace orvanta::app {

struct WizardOptions {
    std::string executablePath;  // locates defaultlang.ini and the Language folder
    std::shared_ptr<shell::CameraBackend> camera;
    std::shared_ptr<shell::NetworkBackend> network;
    std::shared_ptr<shell::RefindSource> refind;
    std::string lockPath;      // empty: the user's runtime folder
    std::string langFileName;  // set: this language file, defaultlang.ini is not used
    std::string userLanguage;  // set: the three-letter name instead of the locale's
    double timeScale = 1.0;    // multiplies every timer period and pause
};

class CWizardDlg : public QDialog, public shell::NavigationHost {
    Q_OBJECT
public:
    static constexpr int kTemplate = 102;
    static constexpr int kBanner = 1245;
    static constexpr int kPageFrame = 1005;
    static constexpr int kBannerPicture = 198;
    static constexpr int kIcon = 128;

    explicit CWizardDlg(WizardOptions options, QWidget* parent = nullptr);
    ~CWizardDlg() override;

    // The window's initialisation. False when the window must close at once (another
    // instance runs); the caller then ends the process.
    bool Initialise();

    void PostNavigation(int code) override;
    void SendNavigation(int code) override;
    // One navigation code, handled now.
    void HandleNavigation(int code);

    shell::CSubFormCollection& Pages() { return pages_; }
    camera::CameraSettings& Settings() { return settings_; }
    shell::CSubWait* WaitDialog() const { return waitDialog_; }
    lang::CDlgLanguage& LanguageDialog() { return *languageDialog_; }
    QString LangFilePath() const { return langFilePath_; }
    QString LangFileName() const { return langFileName_; }
    const lang::ProgramPaths& Paths() const { return paths_; }
    QString MessageText(int number) const { return messageTexts_.at(number - 1); }
    QString WaitNote(int number) const { return waitNotes_.at(number - 1); }
    bool JobTimerActive() const { return timer3_.isActive(); }
    bool RefindTimerActive() const { return timer4_.isActive(); }
    int JobTicks() const { return jobTicks_; }
    const std::vector<camera::AccessPoint>& KeptScanList() const { return keptScanList_; }
    const std::vector<uint32_t>& KeptFreeAddresses() const { return keptFreeAddresses_; }

    pages::CSubFirst* First() const { return first_; }
    pages::CSubOption* Option() const { return option_; }
    pages::CSubChoose* Choose() const { return choose_; }
    pages::CSubShowPic* ShowPic() const { return showPic_; }
    pages::CSubSetupFinish* SetupFinish() const { return setupFinish_; }

    // Loads every page's texts and the window's own, in the start-up order.
    void LoadAllTexts();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadOwnTexts();
    void ChooseLanguageAtStart();
    bool RunLanguageDialog(QString* chosen);
    void SetLanguage(const QString& chosenName);
    void PrepareAndShow(int page);
    void StartRead();
    void StartSave();
    void Rescan();
    void ChangeLanguage();
    void OnJobTick();
    void OnRefindTick();
    void EndWait();
    void ShowWait();
    void Pause(int milliseconds);
    int Scaled(int milliseconds) const;
    void Shutdown();

    WizardOptions options_;
    shell::CSubFormCollection pages_;
    pages::CSubFirst* first_;
    pages::CSubSearchNet* searchNet_;
    pages::CSubOption* option_;
    pages::CSubSystem* system_;
    pages::CSubShowPic* showPic_;
    pages::CSubLANISP* lanIsp_;
    pages::CSubLANIP* lanIp_;
    pages::CSubWLANAP* wlanAp_;
    pages::CSubWLANIP* wlanIp_;
    pages::CSubUPnP* upnp_;
    pages::CSubDDNS* ddns_;
    pages::CSubAPScan* apScan_;
    pages::CSubWPS* wps_;
    pages::CSubSetAutoParam* setAutoParam_;
    pages::CSubWPSPic* wpsPic_;
    pages::CSubChoose* choose_;
    pages::CSubPPPoE* pppoe_;
    pages::CSubWizardIP* wizardIp_;
    pages::CSubLogin* login_;
    pages::CSubSetupFinish* setupFinish_;
    pages::CSubLinkSer* linkSer_;
    shell::CSubWait* waitDialog_ = nullptr;
    camera::CameraSettings settings_;
    std::shared_ptr<shell::SettingsJob> job_;
    std::vector<camera::AccessPoint> keptScanList_;
    std::vector<uint32_t> keptFreeAddresses_;
    QTimer timer3_;
    QTimer timer4_;
    int jobTicks_ = 0;
    QString langFileName_;
    QString langFilePath_;
    lang::ProgramPaths paths_;
    std::unique_ptr<lang::CDlgLanguage> languageDialog_;
    std::array<QString, 8> messageTexts_;
    std::array<QString, 4> waitNotes_;
    SingleInstance instance_;
    QLabel* banner_ = nullptr;
    QWidget* frame_ = nullptr;
    bool shutDown_ = false;
};

}  // namespace orvanta::app
