// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: starts up, owns the pages, the camera settings record, the job runner and
// the wait window, routes the navigation codes, and cleans up when it goes.
#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "app/SingleInstance.h"
#include "camera/record/CameraSettings.h"
#include "lang/CDlgLanguage.h"
#include "lang/LanguageFiles.h"
#include "shell/Backends.h"
#include "shell/CSubFormCollection.h"
#include "shell/NavigationCodes.h"
#include "shell/PageContext.h"
#include "shell/WizardTexts.h"

class QLabel;

namespace orvanta::shell {
class CSubWait;
class JobRunner;
}  // namespace orvanta::shell

namespace orvanta::app {

struct WizardOptions {
    std::string executablePath;  // locates defaultlang.ini and the Language folder
    std::shared_ptr<shell::CameraBackend> camera;
    std::shared_ptr<shell::NetworkBackend> network;
    std::shared_ptr<shell::DiscoveryBackend> discovery;
    std::shared_ptr<shell::ServerBackend> server;
    std::shared_ptr<shell::TimerSource> timers;     // set: the pages' timers (tests tick them)
    std::shared_ptr<shell::TimerSource> jobTimers;  // set: the job runner's (tests tick them)
    std::function<QDateTime()> clock;               // set: the PC clock the pages read
    std::string lockPath;                           // empty: the user's runtime folder
    std::string langFileName;  // set: this language file, defaultlang.ini is not used
    std::string userLanguage;  // set: the three-letter name instead of the locale's
    double timeScale = 1.0;    // multiplies every timer period and pause
};

class CWizardDlg : public QDialog, public shell::NavigationHost {
    Q_OBJECT
public:
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
    template <class T>
    T* Page(int index) const {
        return static_cast<T*>(page_[static_cast<size_t>(index)]);
    }
    camera::CameraSettings& Settings() { return settings_; }
    shell::CSubWait* WaitDialog() const { return waitDialog_; }
    shell::JobRunner& Jobs() { return *jobs_; }
    const shell::KeptResults& Kept() const { return kept_; }
    const shell::WizardTexts& Texts() const { return texts_; }
    lang::CDlgLanguage& LanguageDialog() { return *languageDialog_; }
    QString LangFilePath() const { return langFilePath_; }
    QString LangFileName() const { return langFileName_; }

    // Loads every page's texts and the window's own, in the start-up order.
    void LoadAllTexts();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The language file named by the options, else by defaultlang.ini ("" for none).
    QString StoredLanguage() const;
    QString LanguagePath(const QString& fileName) const;
    bool HasLanguageFile(const QString& fileName) const;
    // `fileName` when its file is there, else the English file.
    QString UsableLanguage(const QString& fileName) const;
    void SetLanguage(const QString& fileName);
    void ChooseLanguageAtStart();
    bool RunLanguageDialog(QString* chosen);
    void ChangeLanguage();
    void AskPassword(std::string& user, std::string& password);
    void Shutdown();

    WizardOptions options_;
    shell::CSubFormCollection pages_;
    std::array<shell::CSubPage*, shell::kPageCount> page_{};
    shell::CSubWait* waitDialog_ = nullptr;
    camera::CameraSettings settings_;
    shell::KeptResults kept_;
    shell::WizardTexts texts_;
    std::shared_ptr<shell::TimerSource> timers_;
    std::shared_ptr<shell::TimerSource> jobTimers_;
    shell::JobRunner* jobs_ = nullptr;
    QString langFileName_;
    QString langFilePath_;
    lang::ProgramPaths paths_;
    std::unique_ptr<lang::CDlgLanguage> languageDialog_;
    SingleInstance instance_;
    QLabel* banner_ = nullptr;
    QWidget* frame_ = nullptr;
    bool shutDown_ = false;
};

}  // namespace orvanta::app
