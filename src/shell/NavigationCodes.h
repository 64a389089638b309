// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The codes pages post to the main window, the main window's jobs and timers, and what pages
// talk to.
#include "workflow/Roads.h"

namespace orvanta::shell {

namespace nav = workflow::nav;
using enum workflow::PageIndex;
using workflow::FindPageRoute;
using workflow::PageRoute;

// Jobs of the worker thread.
constexpr int JOB_READ = 1;
constexpr int JOB_SAVE = 3;
constexpr int JOB_SAVE_WPS = 6;

// The main window's timers.
constexpr int kReadTickMs = 200;
constexpr int kSaveTickMs = 600;
constexpr int kRefindTickMs = 1200;

// What pages talk to: the main window.
class NavigationHost {
public:
    virtual ~NavigationHost() = default;
    // Handled later, in order of arrival, by whatever event loop runs.
    virtual void PostNavigation(int code) = 0;
    // Handled at once (code 17).
    virtual void SendNavigation(int code) = 0;
};

}  // namespace orvanta::shell
