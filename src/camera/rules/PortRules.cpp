// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/rules/PortRules.h"

namespace orvanta::camera {
namespace {

// Far above any port and far below overflow: digits beyond it cannot change the verdict.
constexpr int64_t kSaturated = int64_t{1} << 40;

}  // namespace

int64_t PortNumber(std::string_view text) {
    int64_t value = 0;
    for (char c : text) {
        // "8080&x" is no port, not port 8080: what was typed is taken whole or not at all.
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > kSaturated) value = kSaturated;
    }
    return value;
}

bool IsPortNumber(int64_t value) {
    return value >= 1 && value <= 65535;
}

bool IsAcceptedPort(PortKind kind, int64_t value) {
    if (value >= 1025 && value <= 65535) return true;
    switch (kind) {
        case PortKind::Http:
            return value == 80;
        case PortKind::Stream:
            return value == 53;
        case PortKind::Rtsp:
            return value == 554;
    }
    return false;
}

PortProblem CheckPorts(int64_t http, int64_t stream, int64_t rtsp) {
    if (!IsAcceptedPort(PortKind::Http, http)) return PortProblem::HttpNotAccepted;
    if (!IsAcceptedPort(PortKind::Stream, stream)) return PortProblem::StreamNotAccepted;
    if (!IsAcceptedPort(PortKind::Rtsp, rtsp)) return PortProblem::RtspNotAccepted;
    if (http == stream) return PortProblem::HttpIsStream;
    if (http == rtsp) return PortProblem::HttpIsRtsp;
    if (stream == rtsp) return PortProblem::StreamIsRtsp;
    return PortProblem::None;
}

}  // namespace orvanta::camera
