// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SettingsJob.h"

#include "camera/wire/Transport.h"

namespace orvanta::shell {

void SettingsJob::StopConnecting() {
    camera::SetKeepConnecting(settings, 0);
}

void JobWorker::Start(std::shared_ptr<SettingsJob> job, std::function<void(SettingsJob&)> work) {
    Stop();
    job_ = job;
    thread_ = std::thread([job = std::move(job), work = std::move(work)] {
        work(*job);
        job->ended.store(true, std::memory_order_release);
    });
}

void JobWorker::Stop() {
    if (job_) job_->StopConnecting();
    if (thread_.joinable()) thread_.join();
}

}  // namespace orvanta::shell
