#pragma once
// The worker thread's job. Each job works on its own copy of the camera settings record; the
// main window copies it back only after the job ended with success. A job that timed out may
// go on in the background, but it can never write into the record that the next job or the
// pages use.
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "camera/commands/AccessPointScan.h"
#include "camera/record/CameraSettings.h"

namespace orvanta::shell {

struct SettingsJob {
    int code = 0;
    camera::CameraSettings settings{};  // the job's own record
    std::vector<camera::AccessPoint> scanResult;
    std::vector<uint32_t> freeAddresses;
    bool succeeded = false;
    int error = 0;

    // Set by the worker as its very last write: everything above is then final.
    bool Ended() const { return ended.load(std::memory_order_acquire); }
    // Asks a connection still pending in the worker to give up.
    void StopConnecting();

    std::atomic<bool> ended{false};
};

// Runs `work` on a new thread that owns a share of the job, so the job lives as long as the
// thread even when the main window has let go of it.
void StartJobThread(std::shared_ptr<SettingsJob> job, std::function<void(SettingsJob&)> work);

}  // namespace orvanta::shell
