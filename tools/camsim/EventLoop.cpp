// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventLoop.h"

#include <poll.h>
#include <signal.h>

#include <cerrno>

namespace camsim {
namespace {
volatile sig_atomic_t g_stopRequested = 0;
void OnStopSignal(int) {
    g_stopRequested = 1;
}
}  // namespace

void EventLoop::Watch(int fd, Handler onReadable) {
    watched_[fd] = std::move(onReadable);
}

void EventLoop::Unwatch(int fd) {
    watched_.erase(fd);
}

uint64_t EventLoop::After(int delayMs, Handler handler) {
    uint64_t id = nextTimerId_++;
    timers_.emplace(Clock::now() + std::chrono::milliseconds(delayMs),
                    std::make_pair(id, std::move(handler)));
    return id;
}

void EventLoop::Cancel(uint64_t timerId) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.first == timerId) {
            timers_.erase(it);
            return;
        }
    }
}

int EventLoop::NextTimeoutMs() const {
    if (timers_.empty()) return 200;  // wake now and then to notice a stop signal
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(timers_.begin()->first -
                                                                      Clock::now());
    if (wait.count() < 0) return 0;
    return static_cast<int>(std::min<long long>(wait.count(), 200));
}

void EventLoop::RunDueTimers() {
    auto now = Clock::now();
    while (!timers_.empty() && timers_.begin()->first <= now) {
        Handler handler = std::move(timers_.begin()->second.second);
        timers_.erase(timers_.begin());
        handler();
    }
}

void EventLoop::Run() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    running_ = true;
    while (running_ && !g_stopRequested) {
        std::vector<pollfd> fds;
        fds.reserve(watched_.size());
        for (const auto& entry : watched_) fds.push_back(pollfd{entry.first, POLLIN, 0});
        int n = poll(fds.data(), fds.size(), NextTimeoutMs());
        if (n < 0 && errno != EINTR) break;
        for (const pollfd& p : fds) {
            if (p.revents == 0) continue;
            auto it = watched_.find(p.fd);  // a handler may have unwatched it meanwhile
            if (it == watched_.end()) continue;
            Handler handler = it->second;
            handler();
        }
        RunDueTimers();
    }
}

}  // namespace camsim
