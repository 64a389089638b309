// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One-line diagnostics of the discovery layer. They go to the standard output unless an
// owner (the command-line tool) sends them elsewhere or turns them off with nullptr.
#include <cstdio>

namespace orvanta::discovery {

void SetDiscoveryLog(std::FILE* stream);
void DiscoveryLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orvanta::discovery
