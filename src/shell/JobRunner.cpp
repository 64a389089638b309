// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/JobRunner.h"

#include <QThread>
#include <QWidget>

#include "discovery/ListedCamera.h"
#include "platform/Clock.h"
#include "shell/CSubWait.h"
#include "shell/Prompt.h"
#include "workflow/FindAgain.h"
#include "workflow/Save.h"

namespace orvanta::shell {

namespace {
constexpr int kHideAttempts = 10;
// The wait window's position from which a read or a save looks at its worker.
constexpr int kReadLookFrom = 950;
constexpr int kSaveLookFrom = 900;
// Timer 4 compares the found cameras from this position on, and gives up at the maximum.
constexpr int kRefindCompareFrom = 600;
}  // namespace

JobRunner::JobRunner(QWidget* window, const PageContext& context, TimerSource& timers,
                     KeptResults& kept, const WizardTexts& texts, double timeScale,
                     PasswordDialog askPassword)
    : QObject(window),
      window_(window),
      context_(context),
      settings_(*context.settings),
      kept_(kept),
      texts_(texts),
      timeScale_(timeScale),
      askPassword_(std::move(askPassword)) {
    timer3_ = timers.MakeTimer(this, [this] { OnJobTick(); });
    timer4_ = timers.MakeTimer(this, [this] { OnRefindTick(); });
    if (context_.discovery) refindEngine_ = context_.discovery->NewEngine();
}

int JobRunner::Scaled(int milliseconds) const {
    return qMax(1, static_cast<int>(milliseconds * timeScale_));
}

void JobRunner::StartWait(WaitNote note) {
    wait_->SetRange(0, CSubWait::kMaximum);
    wait_->SetPosition(0);
    wait_->SetText(texts_.Note(note));
    wait_->TransferText();
}

void JobRunner::ShowWait() {
    QRect area = window_->geometry();
    wait_->move(area.center() - QPoint(wait_->width() / 2, wait_->height() / 2));
    wait_->show();
    wait_->UpdateNow();
}

void JobRunner::EndWait() {
    window_->setEnabled(true);
    for (int i = 0; i < kHideAttempts && wait_->isVisible(); ++i) wait_->hide();
    timer3_->Stop();
}

void JobRunner::Read() {
    window_->setEnabled(false);
    kept_.freeAddresses.clear();
    kept_.scanList.clear();
    if (context_.network) context_.network->EnsureCameraSubnet(settings_);
    camera::SelectResult selected =
        context_.camera->SelectCamera(settings_, [this](std::string& user, std::string& password) {
            askPassword_(user, password);
            return true;
        });
    if (selected.authTried && selected.code != camera::CAM_OK) {
        window_->setEnabled(true);
        ShowMessage(window_, texts_.Message(WizardMessage::AuthReadFailed), QString(),
                    PromptIcon::Error);
        return;
    }
    // Any other outcome of the system read goes on: the read job finds out for itself.
    window_->setEnabled(false);
    job_ = std::make_shared<SettingsJob>();
    job_->code = JOB_READ;
    job_->settings = settings_;
    StartWait(WaitNote::Reading);
    CameraBackend* camera = context_.camera;
    worker_.Start(job_, [camera](SettingsJob& job) {
        camera::SettingsReadResult result = camera->RunSettingsRead(job.settings);
        job.error = result.error;
        job.scanResult = std::move(result.accessPoints);
        job.freeAddresses = std::move(result.freeAddresses);
        job.succeeded = result.succeeded;
    });
    ShowWait();
    jobTicks_ = 0;
    timer3_->Start(kReadTickMs);
}

void JobRunner::Save() {
    savePasswordAsked_ = false;
    StartSave();
}

void JobRunner::StartSave() {
    window_->setEnabled(false);
    StartWait(WaitNote::Saving);
    job_ = std::make_shared<SettingsJob>();
    job_->settings = settings_;
    job_->code = settings_.useWps == 1 ? JOB_SAVE_WPS : JOB_SAVE;
    ShowWait();
    CameraBackend* camera = context_.camera;
    worker_.Start(job_, [camera](SettingsJob& job) {
        job.saved = camera->RunSave(job.settings, job.code == JOB_SAVE_WPS);
        job.error = job.saved.code;
        job.succeeded = job.saved.Succeeded();
    });
    jobTicks_ = 0;
    timer3_->Start(kSaveTickMs);
}

void JobRunner::OnJobTick() {
    if (!job_) {
        timer3_->Stop();
        return;
    }
    ++jobTicks_;
    const int p = wait_->Position();
    const bool read = job_->code == JOB_READ;
    if (p <= (read ? kReadLookFrom : kSaveLookFrom)) {
        wait_->SetPosition(p + 10);
        return;
    }
    if (!job_->Ended()) {
        wait_->SetPosition(p + 10);
        if (p == CSubWait::kMaximum) {
            // Timed out: the job is dropped. Its worker sends nothing more and ends on its own
            // record, which is never used; the next job or the window's close joins it.
            job_->StopConnecting();
            job_.reset();
            EndWait();
            ShowMessage(window_, texts_.Message(WizardMessage::JobFailed),
                        read ? "Orvanta2" : QString(), PromptIcon::Warning);
        }
        return;
    }
    std::shared_ptr<SettingsJob> job = std::move(job_);
    if (read)
        OnReadEnded(*job);
    else
        OnSaveEnded(*job);
}

void JobRunner::OnReadEnded(const SettingsJob& job) {
    EndWait();
    if (!job.succeeded) {
        if (job.error == camera::CAM_ERR_UNAUTHORIZED)
            ShowMessage(window_, texts_.Message(WizardMessage::Unauthorized), QString(),
                        PromptIcon::Error);
        else
            ShowMessage(window_, texts_.Message(WizardMessage::JobFailed), QString(),
                        PromptIcon::Warning);
        return;
    }
    settings_ = job.settings;
    kept_.freeAddresses = job.freeAddresses;
    kept_.scanList = job.scanResult;
    context_.host->PostNavigation(settings_.newCameraSetup != 0 ? nav::kOption : nav::kSystem);
}

void JobRunner::OnSaveEnded(const SettingsJob& job) {
    EndWait();
    auto ask = [this](std::string& user, std::string& password) {
        askPassword_(user, password);
        return true;
    };
    if (!job.succeeded &&
        workflow::TakeSaveCredentials(settings_, job.error, savePasswordAsked_, ask)) {
        savePasswordAsked_ = true;
        StartSave();
        return;
    }
    const bool withWps = job.code == JOB_SAVE_WPS;
    if (!job.succeeded) {
        ShowMessage(window_, Failed(job.saved, withWps), QString(), PromptIcon::Warning);
        return;
    }
    settings_ = job.settings;
    kept_.lastSave = job.saved;
    kept_.lastSaveWps = withWps;
    const bool refind = settings_.wizardMode == 1 && settings_.newCameraSetup == 1;
    ShowMessage(window_, Saved(job.saved, withWps, refind), QString(), PromptIcon::Information);
    if (refind) {
        // The worker has ended, so the network write is behind this moment.
        refindFor_ = workflow::ExpectAfterSave(settings_, platform::SystemTickMs());
        refindAt_ = workflow::AddressAfterSave(settings_);
        refindRead_.reset();
        wait_->SetPosition(0);
        wait_->SetText(texts_.Note(WaitNote::Refinding));
        wait_->TransferText();
        ShowWait();
        timer4_->Start(kRefindTickMs);
    } else {
        context_.host->PostNavigation(nav::kHome);
    }
}

void JobRunner::OnRefindTick() {
    window_->setEnabled(false);
    const int p = wait_->Position();
    wait_->SetPosition(p + 10);
    if (p >= CSubWait::kMaximum) {
        timer4_->Stop();
        // No setup-finished page to tell what the pages read back found: the message does.
        ShowMessage(window_,
                    WithChecks(texts_.Message(WizardMessage::NotFoundAgain), kept_.lastSave,
                               kept_.lastSaveWps),
                    QString(), PromptIcon::Warning);
        context_.host->PostNavigation(nav::kHome);
        window_->setEnabled(true);
        wait_->hide();
        return;
    }
    if (p >= kRefindCompareFrom && refindFor_.serial.empty()) {
        if (ReadAtSavedAddress()) FoundAgain(refindAt_);
        return;
    }
    if (p < kRefindCompareFrom || !refindEngine_) return;
    if (p == kRefindCompareFrom) {
        DropEarlierAnswers();
        return;
    }
    // Mode 1: only the cameras that answer in this tick count.
    discovery::CameraRow* rows = nullptr;
    int count = 0, capacity = 0;
    if (refindEngine_->Query(&rows, &count, &capacity, 1) != 1 || !rows) return;
    const discovery::FoundCamera* found =
        workflow::FindSavedCamera(refindEngine_->Cameras(), refindFor_);
    if (!found) return;
    discovery::CameraRow row{};
    discovery::FillRow(*found, row);
    FoundAgain(row);
}

bool JobRunner::ReadAtSavedAddress() {
    if (!worker_.Ended()) return false;  // one read at a time
    if (refindRead_ && refindRead_->succeeded) return true;
    refindRead_ = std::make_shared<SettingsJob>();
    refindRead_->settings = settings_;
    discovery::TakeFoundCamera(refindRead_->settings, refindAt_);
    // The password the camera took before its restart; nobody is asked in the middle of a wait.
    const std::string user(camera::FieldText(settings_.userName));
    const std::string password(camera::FieldText(settings_.userPassword));
    CameraBackend* camera = context_.camera;
    worker_.Start(refindRead_, [camera, user, password](SettingsJob& job) {
        auto given = [&](std::string& u, std::string& p) {
            u = user;
            p = password;
            return !user.empty();
        };
        job.succeeded = camera->SelectCamera(job.settings, given).code == camera::CAM_OK;
    });
    return false;
}

void JobRunner::FoundAgain(const discovery::CameraRow& row) {
    timer4_->Stop();
    kept_.foundCamera = row;
    discovery::TakeFoundCamera(settings_, row);
    if (context_.network) context_.network->EnsureCameraSubnet(settings_);
    const bool networkTaken = VerifyNetwork();
    context_.camera->ReadNatStatus(settings_);
    wait_->hide();
    // The camera is where it was found either way: the setup-finished page shows it and what
    // it did not keep, after a message that says the network write was not taken.
    if (networkTaken)
        ShowMessage(window_, texts_.Message(WizardMessage::FoundAgain), QString(),
                    PromptIcon::Information);
    else
        ShowMessage(window_, Failed(kept_.lastSave, kept_.lastSaveWps), QString(),
                    PromptIcon::Warning);
    window_->setEnabled(true);
    context_.host->PostNavigation(nav::kSetupFinish);
}

bool JobRunner::VerifyNetwork() {
    workflow::SaveOutcome& saved = kept_.lastSave;
    if (!saved.Took(camera::SaveStep::Network) && saved.networkOpen == camera::CAM_OK)
        return true;  // the save did not get as far as the network
    context_.camera->VerifyNetwork(settings_, kept_.lastSaveWps, saved);
    return saved.Succeeded();
}

QString JobRunner::Saved(const workflow::SaveOutcome& outcome, bool withWps, bool refind) const {
    const bool wireless = settings_.useWireless == 1 && settings_.WirelessCap == 1;
    QString text = texts_.Message(wireless ? WizardMessage::SavedWireless : WizardMessage::Saved);
    // After a re-find the setup-finished page tells what the camera kept, its network too.
    return refind ? text : WithChecks(text, outcome, withWps);
}

QString JobRunner::WithChecks(const QString& text, const workflow::SaveOutcome& outcome,
                              bool withWps) const {
    const QString checked =
        CheckReportText(DescribeChecks(outcome, withWps, settings_.wizardMode == 1, texts_.report));
    return checked.isEmpty() ? text : text + "\n\n" + checked;
}

QString JobRunner::Failed(const workflow::SaveOutcome& outcome, bool withWps) const {
    const QString unsafe = DescribeUnsafe(outcome, settings_.wizardMode == 1, texts_.report);
    if (!unsafe.isEmpty()) return unsafe;
    QString text = texts_.Message(WizardMessage::JobFailed);
    const QString taken = DescribeTaken(outcome, withWps, texts_.report);
    return taken.isEmpty() ? text : text + "\n\n" + taken;
}

void JobRunner::DropEarlierAnswers() {
    // The engine was idle since the last re-find: it hears only what arrives from now on, and
    // answers from before the save never count (FindSavedCamera). A new request cycle asks
    // the restarted camera at once rather than at the next period.
    refindEngine_->RequestCycle();
}

void JobRunner::Pause(int milliseconds) {
    wait_->UpdateNow();
    QThread::msleep(static_cast<unsigned long>(Scaled(milliseconds)));
}

void JobRunner::Rescan() {
    wait_->SetPosition(0);
    wait_->TransferText();
    ShowWait();
    for (int position : {20, 40, 60}) {
        wait_->SetPosition(position);
        Pause(200);
    }
    kept_.scanList = context_.camera->ScanAccessPoints(settings_);
    wait_->SetPosition(80);
    Pause(200);
    if (settings_.apScanDone == 0) {
        wait_->hide();
        ShowMessage(window_, texts_.Message(WizardMessage::JobFailed), QString(),
                    PromptIcon::Warning);
        return;
    }
    wait_->SetPosition(100);
    Pause(200);
    wait_->hide();
    context_.host->PostNavigation(settings_.useWps == 1 ? nav::kWps : nav::kApScan);
}

void JobRunner::Stop() {
    timer3_->Stop();
    timer4_->Stop();
    job_.reset();
    worker_.Stop();
}

}  // namespace orvanta::shell
