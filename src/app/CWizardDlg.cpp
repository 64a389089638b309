#include "app/CWizardDlg.h"

#include <arpa/inet.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QThread>

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
#include "shell/Prompt.h"

namespace orvanta::app {

using namespace shell;
using camera::SetFieldText;

namespace {
constexpr const char* kInitialWaitText = "Please Wait for few second ...... ";
constexpr int kHideAttempts = 10;
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
    first_ = new pages::CSubFirst(this);
    searchNet_ = new pages::CSubSearchNet(this);
    option_ = new pages::CSubOption(this);
    system_ = new pages::CSubSystem(this);
    showPic_ = new pages::CSubShowPic(this);
    lanIsp_ = new pages::CSubLANISP(this);
    lanIp_ = new pages::CSubLANIP(this);
    wlanAp_ = new pages::CSubWLANAP(this);
    wlanIp_ = new pages::CSubWLANIP(this);
    upnp_ = new pages::CSubUPnP(this);
    ddns_ = new pages::CSubDDNS(this);
    apScan_ = new pages::CSubAPScan(this);
    wps_ = new pages::CSubWPS(this);
    setAutoParam_ = new pages::CSubSetAutoParam(this);
    wpsPic_ = new pages::CSubWPSPic(this);
    choose_ = new pages::CSubChoose(this);
    pppoe_ = new pages::CSubPPPoE(this);
    wizardIp_ = new pages::CSubWizardIP(this);
    login_ = new pages::CSubLogin(this);
    setupFinish_ = new pages::CSubSetupFinish(this);
    linkSer_ = new pages::CSubLinkSer(this);

    paths_ = lang::ResolveProgramPaths(options_.executablePath);
    languageDialog_ =
        std::make_unique<lang::CDlgLanguage>(QString::fromStdString(paths_.languageFolder), this);
    if (!options_.userLanguage.empty())
        languageDialog_->SetUserLanguage(QString::fromStdString(options_.userLanguage));

    timer3_.setObjectName("timer3");
    timer4_.setObjectName("timer4");
    connect(&timer3_, &QTimer::timeout, this, &CWizardDlg::OnJobTick);
    connect(&timer4_, &QTimer::timeout, this, &CWizardDlg::OnRefindTick);
}

CWizardDlg::~CWizardDlg() {
    Shutdown();
}

int CWizardDlg::Scaled(int milliseconds) const {
    return qMax(1, static_cast<int>(milliseconds * options_.timeScale));
}

bool CWizardDlg::Initialise() {
    setWindowIcon(controls::ArtworkIcon(kIcon));
    settings_.userName[0] = settings_.userPassword[0] = 0;

    std::string lockPath =
        options_.lockPath.empty() ? SingleInstance::DefaultLockPath() : options_.lockPath;
    if (!instance_.Acquire(lockPath)) {
        // Nothing else of the start-up runs in a second instance: no survey, no probe, no
        // language dialog for a window that closes at once.
        QString program = QFileInfo(QString::fromStdString(options_.executablePath)).baseName();
        ShowMessage(this, "Orvanta2 is already running", program, PromptIcon::Warning);
        return false;
    }

    settings_.newFeatures = settings_.Transversal = settings_.WirelessCap = settings_.WPSCap = 0;
    settings_.pcHasDialUp = settings_.pcHasLan = 0;
    if (options_.network) options_.network->SurveyPcNetwork(settings_);

    const std::array<CSubPage*, kPageCount> ordered = {
        first_,  searchNet_, option_, system_,   showPic_, lanIsp_,      lanIp_,
        wlanAp_, wlanIp_,    upnp_,   ddns_,     apScan_,  wps_,         setAutoParam_,
        wpsPic_, choose_,    pppoe_,  wizardIp_, login_,   setupFinish_, linkSer_};
    for (CSubPage* page : ordered) {
        page->SetHost(this);
        if (page != login_) page->SetSettings(&settings_);
    }

    if (!waitDialog_) {
        waitDialog_ = new CSubWait(this);
        waitDialog_->SetPosition(0);
        waitDialog_->SetText(kInitialWaitText);
        waitDialog_->TransferText();
    }

    settings_.internetReachable = options_.network && options_.network->ProbeInternet() ? 1 : 0;

    banner_->setPixmap(
        controls::ArtworkPixmap(kBannerPicture, banner_->size(), devicePixelRatioF()));
    pages_.SetFrame(frame_->geometry());
    for (CSubPage* page : ordered) pages_.AddForm(page, this);

    ChooseLanguageAtStart();
    LoadAllTexts();
    first_->ShowNetworkType();
    pages_.ShowForm(kPageFirst);
    update();
    return true;
}

void CWizardDlg::ChooseLanguageAtStart() {
    if (!options_.langFileName.empty()) {
        langFileName_ = QString::fromStdString(options_.langFileName);
    } else {
        langFileName_ = QString::fromStdString(lang::ReadLangFileName(paths_));
        if (langFileName_.isEmpty()) {
            QString chosen;
            RunLanguageDialog(&chosen);
            langFileName_ = chosen + ".ini";
            lang::WriteLangFileName(paths_, langFileName_.toStdString());
        }
    }
    langFilePath_ =
        QString::fromStdString(lang::LanguageFilePath(paths_, langFileName_.toStdString()));
}

bool CWizardDlg::RunLanguageDialog(QString* chosen) {
    bool accepted = CurrentPrompt().Exec(*languageDialog_) == QDialog::Accepted;
    *chosen = languageDialog_->ChosenName();
    // Closed without OK before any choice: take what the list offered, not a bare ".ini".
    if (!accepted && chosen->isEmpty()) *chosen = languageDialog_->LanguageList()->currentText();
    return accepted;
}

void CWizardDlg::LoadOwnTexts() {
    for (int i = 0; i < 8; ++i) {
        std::string key = "Message" + std::to_string(i + 1);
        messageTexts_[i] = lang::LoadText(langFilePath_, "WizardDlg", key.c_str(), 1024);
    }
    for (int i = 0; i < 4; ++i) {
        std::string key = "note" + std::to_string(i + 1);
        waitNotes_[i] = lang::LoadText(langFilePath_, "WaitDlg", key.c_str(), 1024);
    }
}

void CWizardDlg::LoadAllTexts() {
    const CSubPage* order[] = {first_,  searchNet_, choose_,      option_, showPic_,     wizardIp_,
                               upnp_,   ddns_,      login_,       pppoe_,  setupFinish_, wpsPic_,
                               wps_,    lanIsp_,    lanIp_,       wlanIp_, wlanAp_,      system_,
                               apScan_, linkSer_,   setAutoParam_};
    for (const CSubPage* page : order) const_cast<CSubPage*>(page)->LoadTexts(langFilePath_);
    LoadOwnTexts();
}

void CWizardDlg::PostNavigation(int code) {
    QMetaObject::invokeMethod(
        this, [this, code] { HandleNavigation(code); }, Qt::QueuedConnection);
}

void CWizardDlg::SendNavigation(int code) {
    HandleNavigation(code);
}

void CWizardDlg::PrepareAndShow(int page) {
    pages_.Form(page)->Prepare();
    pages_.ShowForm(page);
}

void CWizardDlg::HandleNavigation(int code) {
    if (shutDown_) return;
    switch (code) {
        case nav::kHome:
            settings_.wizardMode = 1;
            settings_.useWps = settings_.useWireless = settings_.skipAddressCheck = 0;
            pages_.ShowForm(kPageFirst);
            break;
        case nav::kSystem:
            PrepareAndShow(kPageSystem);
            break;
        case nav::kOption:
            PrepareAndShow(kPageOption);
            break;
        case nav::kShowPic:
            PrepareAndShow(kPageShowPic);
            break;
        case nav::kLanIsp:
            PrepareAndShow(kPageLanIsp);
            break;
        case nav::kWlanAp:
            PrepareAndShow(kPageWlanAp);
            break;
        case nav::kLanIp:
            PrepareAndShow(kPageLanIp);
            break;
        case nav::kWlanIp:
            PrepareAndShow(kPageWlanIp);
            break;
        case nav::kSearch:
            PrepareAndShow(kPageSearchNet);
            break;
        case nav::kLogin:
            pages_.ShowForm(kPageLogin);
            break;
        case nav::kServerList:
            PrepareAndShow(kPageLinkSer);
            break;
        case nav::kUpnp:
            PrepareAndShow(kPageUpnp);
            break;
        case nav::kDdns:
            PrepareAndShow(kPageDdns);
            break;
        case nav::kEnsureSubnet:
            if (options_.network) options_.network->EnsureCameraSubnet(settings_);
            break;
        case nav::kReadSettings:
            StartRead();
            break;
        case nav::kSave:
            StartSave();
            break;
        case nav::kApScan:
            apScan_->SetScanList(keptScanList_);
            PrepareAndShow(kPageApScan);
            break;
        case nav::kSummary:
            PrepareAndShow(kPageSetAutoParam);
            break;
        case nav::kRescan:
            Rescan();
            break;
        case nav::kAbout: {
            lang::CAboutDlg about(langFilePath_, this);
            CurrentPrompt().Exec(about);
            update();
            break;
        }
        case nav::kWps:
            PrepareAndShow(kPageWps);
            break;
        case nav::kWpsPic:
            pages_.ShowForm(kPageWpsPic);
            break;
        case nav::kChoose:
            PrepareAndShow(kPageChoose);
            break;
        case nav::kPppoe:
            PrepareAndShow(kPagePppoe);
            break;
        case nav::kWizardIp:
            wizardIp_->SetProposals(keptFreeAddresses_);
            PrepareAndShow(kPageWizardIp);
            break;
        case nav::kSetupFinish:
            PrepareAndShow(kPageSetupFinish);
            break;
        case nav::kLanguage:
            ChangeLanguage();
            break;
        default:
            break;
    }
}

void CWizardDlg::ShowWait() {
    QRect area = geometry();
    waitDialog_->move(area.center() - QPoint(waitDialog_->width() / 2, waitDialog_->height() / 2));
    waitDialog_->show();
    waitDialog_->UpdateNow();
}

void CWizardDlg::EndWait() {
    setEnabled(true);
    for (int i = 0; i < kHideAttempts && waitDialog_->isVisible(); ++i) waitDialog_->hide();
    timer3_.stop();
}

void CWizardDlg::StartRead() {
    setEnabled(false);
    keptFreeAddresses_.clear();
    keptScanList_.clear();
    if (options_.network) options_.network->EnsureCameraSubnet(settings_);
    settings_.userName[0] = settings_.userPassword[0] = 0;
    int result = camera::CAM_ERR_CONNECT;
    // Cameras answer the first reads after a restart unreliably: the third one counts.
    for (int i = 0; i < 3; ++i) result = options_.camera->ReadSystemPage(settings_);
    if (result == camera::CAM_ERR_UNAUTHORIZED) {
        pages::CDlgLoginRoot dialog(langFilePath_, this);
        CurrentPrompt().Exec(dialog);
        SetFieldText(settings_.userName, dialog.UserName().toLatin1().toStdString());
        SetFieldText(settings_.userPassword, dialog.Password().toLatin1().toStdString());
        if (options_.camera->ReadSystemWithAuth(settings_) != 0) {
            setEnabled(true);
            ShowMessage(this, messageTexts_[6], QString(), PromptIcon::Error);
            return;
        }
    }
    setEnabled(false);
    job_ = std::make_shared<SettingsJob>();
    job_->code = JOB_READ;
    job_->settings = settings_;
    waitDialog_->SetRange(0, CSubWait::kMaximum);
    waitDialog_->SetPosition(0);
    waitDialog_->SetText(waitNotes_[1]);
    waitDialog_->TransferText();
    std::shared_ptr<CameraBackend> camera = options_.camera;
    StartJobThread(job_, [camera](SettingsJob& job) {
        job.scanResult.clear();
        job.freeAddresses.clear();
        camera::SettingsReadResult result = camera->RunSettingsRead(job.settings);
        job.error = result.error;
        job.scanResult = std::move(result.accessPoints);
        job.hasScanResult = !job.scanResult.empty();
        job.freeAddresses = std::move(result.freeAddresses);
        job.succeeded = result.succeeded;
    });
    ShowWait();
    jobTicks_ = 0;
    timer3_.start(Scaled(kReadTickMs));
}

void CWizardDlg::StartSave() {
    setEnabled(false);
    waitDialog_->SetRange(0, CSubWait::kMaximum);
    waitDialog_->SetPosition(0);
    waitDialog_->SetText(waitNotes_[2]);
    waitDialog_->TransferText();
    job_ = std::make_shared<SettingsJob>();
    job_->settings = settings_;
    job_->code = settings_.useWps == 1 ? JOB_SAVE_WPS : JOB_SAVE;
    ShowWait();
    std::shared_ptr<CameraBackend> camera = options_.camera;
    StartJobThread(job_, [camera](SettingsJob& job) {
        job.succeeded = camera->RunSave(job.settings, job.code == JOB_SAVE_WPS) == 0;
    });
    jobTicks_ = 0;
    timer3_.start(Scaled(kSaveTickMs));
}

void CWizardDlg::OnJobTick() {
    if (!job_) {
        timer3_.stop();
        return;
    }
    ++jobTicks_;
    const int p = waitDialog_->Position();
    const bool read = job_->code == JOB_READ;
    if (p <= (read ? 950 : 900)) {
        waitDialog_->SetPosition(p + 10);
        return;
    }
    if (!job_->Ended()) {
        waitDialog_->SetPosition(p + 10);
        if (p == CSubWait::kMaximum) {
            // Timed out: the worker may go on with its own record; nothing of it is used.
            EndWait();
            job_.reset();
            ShowMessage(this, messageTexts_[1], read ? "Orvanta2" : QString(), PromptIcon::Warning);
        }
        return;
    }
    std::shared_ptr<SettingsJob> job = std::move(job_);
    if (read) {
        if (job->succeeded) {
            settings_ = job->settings;
            EndWait();
            keptFreeAddresses_ = job->freeAddresses;
            keptScanList_ = job->scanResult;
            PostNavigation(settings_.newCameraSetup != 0 ? nav::kOption : nav::kSystem);
        } else {
            EndWait();
            if (job->error == camera::CAM_ERR_UNAUTHORIZED)
                ShowMessage(this, messageTexts_[7], QString(), PromptIcon::Error);
            else
                ShowMessage(this, messageTexts_[1], QString(), PromptIcon::Warning);
        }
        return;
    }
    EndWait();
    if (!job->succeeded) {
        ShowMessage(this, messageTexts_[1], QString(), PromptIcon::Warning);
        return;
    }
    settings_ = job->settings;
    bool wireless = settings_.useWireless == 1 && settings_.WirelessCap == 1;
    ShowMessage(this, messageTexts_[wireless ? 2 : 3], QString(), PromptIcon::Information);
    if (settings_.wizardMode == 1 && settings_.newCameraSetup == 1) {
        waitDialog_->SetPosition(0);
        waitDialog_->SetText(waitNotes_[3]);
        waitDialog_->TransferText();
        ShowWait();
        timer4_.start(Scaled(kRefindTickMs));
    } else {
        PostNavigation(nav::kHome);
    }
}

void CWizardDlg::OnRefindTick() {
    setEnabled(false);
    const int p = waitDialog_->Position();
    waitDialog_->SetPosition(p + 10);
    if (p >= CSubWait::kMaximum) {
        timer4_.stop();
        ShowMessage(this, messageTexts_[4], QString(), PromptIcon::Warning);
        PostNavigation(nav::kHome);
        setEnabled(true);
        waitDialog_->hide();
        return;
    }
    if (p < 600 || !options_.refind) return;
    discovery::CameraRow* rows = nullptr;
    int count = 0, capacity = 0;
    if (options_.refind->Query(&rows, &count, &capacity, 1) != 1 || !rows) return;
    std::string_view wanted = camera::FieldText(settings_.cameraIdText);
    for (int i = 0; i < count; ++i) {
        const discovery::CameraRow& row = rows[i];
        if (camera::FieldText(row.serial) != wanted) continue;
        timer4_.stop();
        SetFieldText(settings_.cameraAddressText, camera::FieldText(row.ip));
        SetFieldText(settings_.cameraPortText, camera::FieldText(row.port));
        in_addr address{};
        settings_.cameraAddress =
            ::inet_pton(AF_INET, settings_.cameraAddressText, &address) == 1 ? address.s_addr : 0;
        discovery::CameraRow found = row;
        SendNavigation(nav::kEnsureSubnet);
        options_.camera->ReadNatStatus(settings_);
        waitDialog_->hide();
        ShowMessage(this, messageTexts_[5], QString(), PromptIcon::Information);
        setEnabled(true);
        setupFinish_->SetFoundCamera(found);
        PostNavigation(nav::kSetupFinish);
        return;
    }
}

void CWizardDlg::Pause(int milliseconds) {
    waitDialog_->UpdateNow();
    QThread::msleep(static_cast<unsigned long>(Scaled(milliseconds)));
}

void CWizardDlg::Rescan() {
    waitDialog_->SetPosition(0);
    waitDialog_->TransferText();
    ShowWait();
    for (int position : {20, 40, 60}) {
        waitDialog_->SetPosition(position);
        Pause(200);
    }
    keptScanList_ = options_.camera->ScanAccessPoints(settings_);
    waitDialog_->SetPosition(80);
    Pause(200);
    if (settings_.apScanDone == 0) {
        waitDialog_->hide();
        ShowMessage(this, messageTexts_[1], QString(), PromptIcon::Warning);
        return;
    }
    waitDialog_->SetPosition(100);
    Pause(200);
    waitDialog_->hide();
    PostNavigation(settings_.useWps == 1 ? nav::kWps : nav::kApScan);
}

void CWizardDlg::ChangeLanguage() {
    QString chosen;
    // Closed without OK: the language in force stays (nothing is rewritten).
    if (!RunLanguageDialog(&chosen)) return;
    langFileName_ = chosen + ".ini";
    lang::WriteLangFileName(paths_, langFileName_.toStdString());
    langFilePath_ =
        QString::fromStdString(lang::LanguageFilePath(paths_, langFileName_.toStdString()));
    LoadAllTexts();
    first_->ShowNetworkType();
    first_->update();
}

void CWizardDlg::closeEvent(QCloseEvent* event) {
    Shutdown();
    QDialog::closeEvent(event);
}

void CWizardDlg::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    timer3_.stop();
    timer4_.stop();
    if (options_.network) options_.network->RemoveTemporaryAddresses();
    delete waitDialog_;
    waitDialog_ = nullptr;
    keptFreeAddresses_.clear();
    keptScanList_.clear();
    settings_.keepConnecting = 0;
    if (job_) job_->StopConnecting();
}

}  // namespace orvanta::app
