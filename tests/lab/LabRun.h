// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of a program inside a lab host, watched while it runs: its exit status, how long it
// took, its peak memory, and the most TCP connections it held at once.
#include <string>
#include <vector>

#include "Lab.h"

namespace orvanta::lab {

struct WatchedRun {
    int status = -1;  // the exit status, or -1 when it did not exit normally
    double seconds = 0;
    long peakRssKb = 0;
    int mostTcpConnections = 0;
    std::string output;  // stdout, and stderr unless it was dropped
};

// Runs `argv` in `host` with its output in a file of its own, sampling its TCP sockets every
// few milliseconds until it exits. Safe to call from several threads.
WatchedRun RunWatched(Lab& lab, const std::string& host, const std::vector<std::string>& argv,
                      bool keepStderr = true);

// The number of open descriptors of a process, -1 when it is gone.
int OpenDescriptors(int pid);

}  // namespace orvanta::lab
