// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every page is handed once, when the window builds it: the window that takes its
// navigation codes, the record, the backends through which it reaches the network, what the
// window keeps from the last jobs, timers that tests can tick, and the PC clock.
#include <QDateTime>
#include <functional>
#include <memory>
#include <vector>

#include "camera/commands/AccessPointScan.h"
#include "camera/record/CameraSettings.h"
#include "discovery/CPLipf.h"
#include "shell/Backends.h"
#include "shell/NavigationCodes.h"

class QObject;

namespace orvanta::shell {

// A repeating timer of a page.
class PageTimer {
public:
    virtual ~PageTimer() = default;
    virtual void Start(int periodMs) = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
};

class TimerSource {
public:
    virtual ~TimerSource() = default;
    // A stopped timer that calls `onTick` on the user-interface thread; it lives as long as
    // the returned object, never longer than `owner`.
    virtual std::unique_ptr<PageTimer> MakeTimer(QObject* owner, std::function<void()> onTick) = 0;
};

// Qt timers whose periods are multiplied by `scale` (1 in the program).
std::unique_ptr<TimerSource> QtTimers(double scale);

// What the window keeps from the last jobs, for the pages that show it.
struct KeptResults {
    std::vector<camera::AccessPoint> scanList;  // the last access-point scan
    std::vector<uint32_t> freeAddresses;        // free addresses of the last read, highest first
    discovery::CameraRow foundCamera{};         // the camera found again after the last save
    // The last save's steps and read-backs, the network page's from where it was found again.
    workflow::SaveOutcome lastSave;
    bool lastSaveWps = false;
};

struct PageContext {
    NavigationHost* host = nullptr;
    camera::CameraSettings* settings = nullptr;
    CameraBackend* camera = nullptr;
    NetworkBackend* network = nullptr;
    DiscoveryBackend* discovery = nullptr;
    ServerBackend* server = nullptr;
    const KeptResults* kept = nullptr;
    TimerSource* timers = nullptr;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
};

}  // namespace orvanta::shell
