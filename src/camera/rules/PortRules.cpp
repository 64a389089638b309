#include "camera/rules/PortRules.h"

namespace orvanta::camera {
namespace {

// Far above any port and far below overflow: digits beyond it cannot change the verdict.
constexpr int64_t kSaturated = int64_t{1} << 40;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int64_t PortNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kSaturated) value = kSaturated;
    }
    return negative ? -value : value;
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
