// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worker thread's job. Each job works on its own copy of the camera settings record; the
// main window copies it back only after the job ended with success. A job that timed out is
// dropped: its record's keepConnecting goes to 0, so it sends nothing more and its waits end,
// and what it leaves is never used.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "camera/commands/AccessPointScan.h"
#include "camera/record/CameraSettings.h"
#include "workflow/Save.h"

namespace orvanta::shell {

struct SettingsJob {
    int code = 0;
    camera::CameraSettings settings{};  // the job's own record
    std::vector<camera::AccessPoint> scanResult;
    std::vector<uint32_t> freeAddresses;
    bool succeeded = false;
    int error = 0;
    workflow::SaveOutcome saved;  // a save's steps and read-backs

    // Set by the worker as its very last write: everything above is then final.
    bool Ended() const { return ended.load(std::memory_order_acquire); }
    // Stops the job's connects and requests; the worker then ends within the transport's
    // connect wait.
    void StopConnecting();

    std::atomic<bool> ended{false};
};

// The thread of one job at a time, joined before the next job starts and when the worker
// goes, so that no thread outlives what its work uses.
class JobWorker {
public:
    JobWorker() = default;
    JobWorker(const JobWorker&) = delete;
    JobWorker& operator=(const JobWorker&) = delete;
    ~JobWorker() { Stop(); }

    // Runs `work` on a new thread, after stopping the job before and joining its thread.
    void Start(std::shared_ptr<SettingsJob> job, std::function<void(SettingsJob&)> work);
    // Stops the job's connects and requests and waits for its thread.
    void Stop();
    // The last job's thread has ended (or none ran).
    bool Ended() const { return !job_ || job_->Ended(); }

private:
    std::shared_ptr<SettingsJob> job_;
    std::thread thread_;
};

}  // namespace orvanta::shell
