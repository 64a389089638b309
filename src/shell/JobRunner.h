// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's long actions: the settings read (code 18) and the save (code 19) on a worker
// thread watched by timer 3, the search for the camera at its new address after a save
// (timer 4), and the access-point re-scan (code 22). The window is disabled while a job runs
// and the wait window shows the progress.
#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "shell/PageContext.h"
#include "shell/SettingsJob.h"
#include "shell/WizardTexts.h"
#include "workflow/FindAgain.h"

class QWidget;

namespace orvanta::shell {

class CSubWait;

class JobRunner : public QObject {
    Q_OBJECT
public:
    // Asks for the camera's administrator password; fills what was typed (the user "root"
    // and an empty password when the dialog was cancelled).
    using PasswordDialog = std::function<void(std::string& user, std::string& password)>;

    // Timers 3 and 4 come from `timers`; `timeScale` multiplies the re-scan's pauses.
    JobRunner(QWidget* window, const PageContext& context, TimerSource& timers, KeptResults& kept,
              const WizardTexts& texts, double timeScale, PasswordDialog askPassword);

    void SetWaitDialog(CSubWait* wait) { wait_ = wait; }

    void Read();
    void Save();
    void Rescan();
    // The window goes: no more ticks, and the job's worker stops and is waited for (within
    // the transport's connect wait).
    void Stop();

    bool JobTimerActive() const { return timer3_->Active(); }
    bool RefindTimerActive() const { return timer4_->Active(); }
    // The last read's or save's worker has ended, a dropped one too (or none ran).
    bool WorkerEnded() const { return worker_.Ended(); }
    int JobTicks() const { return jobTicks_; }

private:
    void OnJobTick();
    void OnReadEnded(const SettingsJob& job);
    void OnSaveEnded(const SettingsJob& job);
    void StartSave();
    void OnRefindTick();
    void DropEarlierAnswers();
    // A camera without a serial number: true once its system page was read at the address
    // its save left it at; else starts the next read when none runs.
    bool ReadAtSavedAddress();
    void FoundAgain(const discovery::CameraRow& row);
    // The network page read back where the saved camera was found again; false when that
    // decided the network write was not taken.
    bool VerifyNetwork();
    // The message after a save; without a re-find, with what the pages read back found.
    QString Saved(const workflow::SaveOutcome& outcome, bool withWps, bool refind) const;
    // `text` and what the pages read back found.
    QString WithChecks(const QString& text, const workflow::SaveOutcome& outcome,
                       bool withWps) const;
    // The failure message, with the pages a save that stopped part-way took and did not.
    QString Failed(const workflow::SaveOutcome& outcome, bool withWps) const;
    void StartWait(WaitNote note);
    void ShowWait();
    void EndWait();
    void Pause(int milliseconds);
    int Scaled(int milliseconds) const;

    QWidget* window_;
    PageContext context_;
    camera::CameraSettings& settings_;
    KeptResults& kept_;
    const WizardTexts& texts_;
    double timeScale_;
    PasswordDialog askPassword_;
    CSubWait* wait_ = nullptr;
    std::shared_ptr<SettingsJob> job_;  // the job whose outcome the window waits for
    JobWorker worker_;                  // the thread of the last job, dropped or not
    std::unique_ptr<DiscoveryEngine> refindEngine_;
    workflow::SavedCamera refindFor_;  // what the last save left to look for
    discovery::CameraRow refindAt_{};  // where it is read when it has no serial number
    std::shared_ptr<SettingsJob> refindRead_;
    std::unique_ptr<PageTimer> timer3_;
    std::unique_ptr<PageTimer> timer4_;
    int jobTicks_ = 0;
    bool savePasswordAsked_ = false;  // this save asked for the password once already
};

}  // namespace orvanta::shell
