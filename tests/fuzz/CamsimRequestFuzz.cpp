// SPDX-License-Identifier: GPL-3.0-or-later
// Any request head as the simulated camera receives it: it always answers with an HTTP status
// line, whatever the query, the headers or the credentials hold. The first byte picks the
// camera: with or without Basic authorization, a camera or a registration server.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CameraCgi.h"

namespace {

camsim::CgiCamera Loaded(bool security, bool server) {
    camsim::SimCamera sim;
    sim.extra = {{"security", security ? "on" : "off"}, {"password", "secret"}};
    if (server) {
        sim.extra["role"] = "registration_server";
        sim.extra["account1"] = "id|pw|device+user|C1/10.0.0.2/80/00:0E:53:00:00:02/M";
    }
    camsim::CgiCamera camera;
    std::string error;
    if (!camsim::LoadCgiCamera(sim, camera, error)) __builtin_trap();
    return camera;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const camsim::CgiCamera kCameras[] = {Loaded(false, false), Loaded(true, false),
                                                 Loaded(false, true)};
    camsim::CgiCamera camera = kCameras[data[0] % 3];  // writes change it: a fresh one each time
    const std::string head(reinterpret_cast<const char*>(data) + 1, size - 1);
    camsim::CgiAnswer answer = camsim::Answer(camera, head);
    if (answer.bytes.compare(0, 9, "HTTP/1.0 ") != 0) __builtin_trap();
    return 0;
}
