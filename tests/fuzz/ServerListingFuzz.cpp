// SPDX-License-Identifier: GPL-3.0-or-later
// Any answer a registration server can send, at most one answer buffer's worth.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "camera/commands/ServerListing.h"
#include "camera/wire/Transport.h"

using namespace orvanta::camera;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t length = size < kAnswerCapacity - 1 ? size : kAnswerCapacity - 1;
    std::vector<char> answer(data, data + length);
    answer.push_back('\0');
    for (int page : {kUserLoginPage, kDeviceLoginPage}) {
        auto list = ParseServerListing(answer.data(), page);
        if (list) {
            for (const ServerCamera& c : *list)
                if (strnlen(c.id, sizeof c.id) == sizeof c.id) __builtin_trap();
        }
    }
    return 0;
}
