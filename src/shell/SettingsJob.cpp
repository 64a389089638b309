#include "shell/SettingsJob.h"

#include <thread>

namespace orvanta::shell {

void SettingsJob::StopConnecting() {
    std::atomic_ref<uint8_t>(settings.keepConnecting).store(0, std::memory_order_relaxed);
}

void StartJobThread(std::shared_ptr<SettingsJob> job, std::function<void(SettingsJob&)> work) {
    std::thread([job, work = std::move(work)] {
        work(*job);
        job->ended.store(true, std::memory_order_release);
    }).detach();
}

}  // namespace orvanta::shell
