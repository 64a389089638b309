// SPDX-License-Identifier: GPL-3.0-or-later
// Any answer to the access-point scan, as its parser gets it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "camera/commands/AccessPointScan.h"
#include "camera/wire/Transport.h"

using namespace orvanta::camera;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t length = size < kAnswerCapacity - 1 ? size : kAnswerCapacity - 1;
    std::vector<char> answer(length + 1, '\0');
    if (length) std::memcpy(answer.data(), data, length);
    int32_t count = -1;
    std::vector<AccessPoint> list;
    if (ParseAccessPointReport(answer.data(), count, list)) {
        if (count < 0 || count > kMaxAccessPoints || list.size() != static_cast<size_t>(count))
            __builtin_trap();
        for (const AccessPoint& ap : list)
            if (ap.ssid[63] || ap.mac[63] || ap.mode[63] || ap.security[63] || ap.algorithm[63])
                __builtin_trap();
    }
    return 0;
}
