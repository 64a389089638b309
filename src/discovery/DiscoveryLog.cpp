// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/DiscoveryLog.h"

#include <atomic>
#include <cstdarg>

namespace orvanta::discovery {
namespace {
std::atomic<std::FILE*> g_stream{stdout};
}

void SetDiscoveryLog(std::FILE* stream) {
    g_stream.store(stream);
}

void DiscoveryLog(const char* format, ...) {
    std::FILE* stream = g_stream.load();
    if (stream == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stream, format, args);
    va_end(args);
}

}  // namespace orvanta::discovery
