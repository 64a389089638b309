// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small single-threaded poll loop: file descriptors with read handlers and one-shot timers.
// Every emulated camera service of the simulator hangs off one of these.
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace camsim {

class EventLoop {
public:
    using Handler = std::function<void()>;
    using Clock = std::chrono::steady_clock;

    void Watch(int fd, Handler onReadable);
    void Unwatch(int fd);
    // Runs `handler` once, `delayMs` from now; returns an id for Cancel.
    uint64_t After(int delayMs, Handler handler);
    void Cancel(uint64_t timerId);
    // Runs until Stop() or SIGINT/SIGTERM.
    void Run();
    void Stop() { running_ = false; }

private:
    int NextTimeoutMs() const;
    void RunDueTimers();

    std::map<int, Handler> watched_;
    std::multimap<Clock::time_point, std::pair<uint64_t, Handler>> timers_;
    uint64_t nextTimerId_ = 1;
    bool running_ = false;
};

}  // namespace camsim
