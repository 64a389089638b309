// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CWizardDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <cstring>

#include "controls/Artwork.h"
#include "lang/CAboutDlg.h"
#include "lang/LangText.h"
#include "pages/CDlgLoginRoot.h"
#include "pages/CSubAPScan.h"
#include "pages/CSubChoose.h"
#include "pages/CSubDDNS.h"
#include "pages/CSubFirst.h"
#include "pages/CSubLANIP.h"
#include "pages/CSubLANISP.h"
#include "pages/CSubLinkSer.h"
#include "pages/CSubLogin.h"
#include "pages/CSubOption.h"
#include "pages/CSubPPPoE.h"
#include "pages/CSubSearchNet.h"
#include "pages/CSubSetAutoParam.h"
#include "pages/CSubSetupFinish.h"
#include "pages/CSubShowPic.h"
#include "pages/CSubSystem.h"
#include "pages/CSubUPnP.h"
#include "pages/CSubWLANAP.h"
#include "pages/CSubWLANIP.h"
#include "pages/CSubWPS.h"
#include "pages/CSubWPSPic.h"
#include "pages/CSubWizardIP.h"
#include "shell/CSubPage.h"
#include "shell/CSubWait.h"
#include "shell/JobRunner.h"
#include "shell/Prompt.h"

namespace orvanta::app {

using namespace shell;

namespace {
constexpr const char* kInitialWaitText = "Please Wait for few second ...... ";
// The language taken when the chosen one has no file.
constexpr const char* kFallbackLanguage = "ENG.ini";
// The order in which the pages load their texts.
constexpr int kTextOrder[kPageCount] = {
    kPageFirst,  kPageSearchNet, kPageChoose,      kPageOption, kPageShowPic,     kPageWizardIp,
    kPageUpnp,   kPageDdns,      kPageLogin,       kPagePppoe,  kPageSetupFinish, kPageWpsPic,
    kPageWps,    kPageLanIsp,    kPageLanIp,       kPageWlanIp, kPageWlanAp,      kPageSystem,
    kPageApScan, kPageLinkSer,   kPageSetAutoParam};
}  // namespace

CWizardDlg::CWizardDlg(WizardOptions options, QWidget* parent)
    : QDialog(parent), options_(std::move(options)), settings_(camera::NewCameraSettings()) {
    setObjectName("CWizardDlg");
    setWindowTitle("Orvanta2");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(DluX(395), DluY(319));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    // Static texts of the main window in its own light blue.
    white.setColor(QPalette::WindowText, QColor(96, 175, 255));
    setPalette(white);
    setAutoFillBackground(true);

    banner_ = new QLabel(this);
    banner_->setObjectName(ControlName(kBanner));
    banner_->setGeometry(0, 0, DluX(397), DluY(49));
    frame_ = new QWidget(this);
    frame_->setObjectName(ControlName(kPageFrame));
    frame_->setGeometry(0, DluY(52), DluX(394), DluY(261));
    frame_->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The pages, in index order.
    page_ = {new pages::CSubFirst(this),   new pages::CSubSearchNet(this),
             new pages::CSubOption(this),  new pages::CSubSystem(this),
             new pages::CSubShowPic(this), new pages::CSubLANISP(this),
             new pages::CSubLANIP(this),   new pages::CSubWLANAP(this),
             new pages::CSubWLANIP(this),  new pages::CSubUPnP(this),
             new pages::CSubDDNS(this),    new pages::CSubAPScan(this),
             new pages::CSubWPS(this),     new pages::CSubSetAutoParam(this),
             new pages::CSubWPSPic(this),  new pages::CSubChoose(this),
             new pages::CSubPPPoE(this),   new pages::CSubWizardIP(this),
             new pages::CSubLogin(this),   new pages::CSubSetupFinish(this),
             new pages::CSubLinkSer(this)};

    paths_ = lang::ResolveProgramPaths(options_.executablePath);
    languageDialog_ =
        std::make_unique<lang::CDlgLanguage>(QString::fromStdString(paths_.languageFolder), this);
    if (!options_.userLanguage.empty())
        languageDialog_->SetUserLanguage(QString::fromStdString(options_.userLanguage));

    timers_ = options_.timers ? options_.timers
                              : std::shared_ptr<TimerSource>(QtTimers(options_.timeScale));
    PageContext context;
    context.host = this;
    context.settings = &settings_;
    context.camera = options_.camera.get();
    context.network = options_.network.get();
    context.discovery = options_.discovery.get();
    context.server = options_.server.get();
    context.kept = &kept_;
    context.timers = timers_.get();
    if (options_.clock) context.clock = options_.clock;
    jobTimers_ = options_.jobTimers ? options_.jobTimers
                                    : std::shared_ptr<TimerSource>(QtTimers(options_.timeScale));
    jobs_ = new JobRunner(
        this, context, *jobTimers_, kept_, texts_, options_.timeScale,
        [this](std::string& user, std::string& password) { AskPassword(user, password); });
    for (CSubPage* page : page_) page->Attach(context);
}

CWizardDlg::~CWizardDlg() {
    Shutdown();
}

bool CWizardDlg::Initialise() {
    setWindowIcon(controls::ArtworkIcon(kIcon));
    settings_.userName[0] = settings_.userPassword[0] = 0;

    std::string lockPath =
        options_.lockPath.empty() ? SingleInstance::DefaultLockPath() : options_.lockPath;
    if (SingleInstance::Result lock = instance_.Acquire(lockPath);
        lock != SingleInstance::Result::Acquired) {
        // Nothing else of the start-up runs in a second instance: no survey, no probe, no
        // language dialog for a window that closes at once.
        QString program = QFileInfo(QString::fromStdString(options_.executablePath)).baseName();
        const QString langPath = LanguagePath(UsableLanguage(StoredLanguage()));
        QString text = lock == SingleInstance::Result::Held
                           ? lang::LoadTextOr(langPath, "Common", "AlreadyRunning",
                                              "Orvanta2 is already running")
                           : lang::LoadTextOr(langPath, "Common", "LockFileError",
                                              "Orvanta2 cannot open its lock file %1: %2")
                                 .arg(QString::fromStdString(lockPath),
                                      QString::fromLocal8Bit(std::strerror(instance_.Error())));
        ShowMessage(this, text, program, PromptIcon::Warning);
        return false;
    }

    settings_.newFeatures = settings_.Transversal = settings_.WirelessCap = settings_.WPSCap = 0;
    settings_.pcHasDialUp = settings_.pcHasLan = 0;
    if (options_.network) options_.network->SurveyPcNetwork(settings_);

    if (!waitDialog_) {
        waitDialog_ = new CSubWait(this);
        waitDialog_->SetPosition(0);
        waitDialog_->SetText(kInitialWaitText);
        waitDialog_->TransferText();
        jobs_->SetWaitDialog(waitDialog_);
    }

    settings_.internetReachable = options_.network && options_.network->ProbeInternet() ? 1 : 0;

    banner_->setPixmap(
        controls::ArtworkPixmap(kBannerPicture, banner_->size(), devicePixelRatioF()));
    pages_.SetFrame(frame_->geometry());
    for (CSubPage* page : page_) pages_.AddForm(page, this);

    ChooseLanguageAtStart();
    LoadAllTexts();
    waitDialog_->SetText(
        lang::LoadTextOr(langFilePath_, "WaitDlg", "FirstNote", kInitialWaitText, 1024));
    waitDialog_->TransferText();
    Page<pages::CSubFirst>(kPageFirst)->ShowNetworkType();
    pages_.ShowForm(kPageFirst);
    update();
    return true;
}

QString CWizardDlg::StoredLanguage() const {
    if (!options_.langFileName.empty()) return QString::fromStdString(options_.langFileName);
    return QString::fromStdString(lang::ReadLangFileName(paths_));
}

QString CWizardDlg::LanguagePath(const QString& fileName) const {
    return QString::fromStdString(lang::LanguageFilePath(paths_, fileName.toStdString()));
}

bool CWizardDlg::HasLanguageFile(const QString& fileName) const {
    return !fileName.isEmpty() && QFileInfo(LanguagePath(fileName)).isFile();
}

QString CWizardDlg::UsableLanguage(const QString& fileName) const {
    return HasLanguageFile(fileName) ? fileName : kFallbackLanguage;
}

void CWizardDlg::ChooseLanguageAtStart() {
    QString stored = StoredLanguage();
    if (stored.isEmpty()) {
        QString chosen;
        RunLanguageDialog(&chosen);
        // Closed with no language listed at all: English, and the next start asks again.
        if (!chosen.isEmpty()) {
            stored = chosen + ".ini";
            lang::WriteLangFileName(paths_, stored.toStdString());
        }
    }
    SetLanguage(UsableLanguage(stored));
    // A language file that has gone since it was chosen: English, and the user is told which.
    if (!stored.isEmpty() && langFileName_ != stored)
        ShowMessage(this,
                    lang::LoadTextOr(langFilePath_, "Common", "LanguageMissing",
                                     "The language file %1 is missing. Orvanta2 shows its texts "
                                     "in English.")
                        .arg(stored),
                    "Orvanta2", PromptIcon::Warning);
}

void CWizardDlg::SetLanguage(const QString& fileName) {
    langFileName_ = fileName;
    langFilePath_ = LanguagePath(fileName);
    languageDialog_->SetCurrentLanguage(QFileInfo(fileName).completeBaseName());
}

bool CWizardDlg::RunLanguageDialog(QString* chosen) {
    bool accepted = CurrentPrompt().Exec(*languageDialog_) == QDialog::Accepted;
    *chosen = languageDialog_->ChosenName();
    // Closed without OK before any choice: take what the list offered.
    if (!accepted && chosen->isEmpty()) *chosen = languageDialog_->ListedCode();
    return accepted;
}

void CWizardDlg::LoadAllTexts() {
    for (int index : kTextOrder) page_[static_cast<size_t>(index)]->LoadTexts(langFilePath_);
    texts_.Load(langFilePath_);
    SetPromptButtonTexts({lang::LoadText(langFilePath_, "Common", "BtnOK"),
                          lang::LoadText(langFilePath_, "Common", "BtnCancel"),
                          lang::LoadText(langFilePath_, "Common", "BtnYes"),
                          lang::LoadText(langFilePath_, "Common", "BtnNo")});
}

void CWizardDlg::PostNavigation(int code) {
    QMetaObject::invokeMethod(
        this, [this, code] { HandleNavigation(code); }, Qt::QueuedConnection);
}

void CWizardDlg::SendNavigation(int code) {
    HandleNavigation(code);
}

void CWizardDlg::HandleNavigation(int code) {
    if (shutDown_) return;
    if (code == nav::kServerList)
        Page<pages::CSubLinkSer>(kPageLinkSer)
            ->SetCameras(Page<pages::CSubLogin>(kPageLogin)->Cameras());
    if (const PageRoute* route = FindPageRoute(code)) {
        if (route->prepare) page_[static_cast<size_t>(route->page)]->Prepare();
        pages_.ShowForm(route->page);
        return;
    }
    switch (code) {
        case nav::kHome:
            settings_.wizardMode = 1;
            settings_.useWps = settings_.useWireless = settings_.skipAddressCheck = 0;
            pages_.ShowForm(kPageFirst);
            break;
        case nav::kEnsureSubnet:
            if (options_.network) options_.network->EnsureCameraSubnet(settings_);
            break;
        case nav::kReadSettings:
            jobs_->Read();
            break;
        case nav::kSave:
            jobs_->Save();
            break;
        case nav::kRescan:
            jobs_->Rescan();
            break;
        case nav::kAbout: {
            lang::CAboutDlg about(langFilePath_, this);
            CurrentPrompt().Exec(about);
            update();
            break;
        }
        case nav::kLanguage:
            ChangeLanguage();
            break;
        default:
            break;
    }
}

void CWizardDlg::AskPassword(std::string& user, std::string& password) {
    pages::AskAdministratorPassword(langFilePath_, this, user, password);
}

void CWizardDlg::ChangeLanguage() {
    QString chosen;
    // Closed without OK, or a file gone since the list was made: the language in force stays
    // (nothing is rewritten).
    if (!RunLanguageDialog(&chosen) || !HasLanguageFile(chosen + ".ini")) return;
    SetLanguage(chosen + ".ini");
    lang::WriteLangFileName(paths_, langFileName_.toStdString());
    LoadAllTexts();
    auto* first = Page<pages::CSubFirst>(kPageFirst);
    first->ShowNetworkType();
    first->update();
}

void CWizardDlg::closeEvent(QCloseEvent* event) {
    Shutdown();
    QDialog::closeEvent(event);
}

void CWizardDlg::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    jobs_->Stop();
    if (options_.network) options_.network->RemoveTemporaryAddresses();
    delete waitDialog_;
    waitDialog_ = nullptr;
    jobs_->SetWaitDialog(nullptr);
    kept_ = KeptResults{};
    settings_.keepConnecting = 0;
}

}  // namespace orvanta::app
