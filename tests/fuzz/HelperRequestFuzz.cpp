// SPDX-License-Identifier: GPL-3.0-or-later
// The network helper reads request lines from a process it does not trust: any bytes must be
// refused or parsed into a request its rules allow, and the client reads any reply safely.
#include <cstddef>
#include <cstdint>

#include "platform/HelperProtocol.h"

using namespace orvanta::nethelper;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* line = reinterpret_cast<const char*>(data);
    Request request;
    const char* why = nullptr;
    int rc = ParseRequest(line, size, &request, &why);
    if (rc != 0 && why == nullptr) __builtin_trap();
    if (rc == 0) {
        if (request.verb == Verb::Add &&
            CheckTemporaryAddress(request.address, request.prefixLength, nullptr) != 0)
            __builtin_trap();
        if (request.verb == Verb::Probe) {
            if (request.count < 1 || request.count > kMaxProbeTargets) __builtin_trap();
            for (int i = 0; i < request.count; ++i)
                if (CheckProbeAddress(request.targets[i], nullptr) != 0) __builtin_trap();
        }
        if (request.verb == Verb::Delete && request.handle == 0) __builtin_trap();
    }
    Reply reply;
    if (ParseReply(line, size, &reply) == 0 && reply.count > kMaxProbeTargets) __builtin_trap();
    char out[kMaxLine + 2];
    FormatError(out, sizeof out, rc == 0 ? 1 : rc, why);
    return 0;
}
