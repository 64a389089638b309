// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The camera's three service ports: how a typed port becomes a number, which values each
// port takes, and the checks a set of three must pass, in the order they are told.
#include <cstdint>
#include <string_view>

namespace orvanta::camera {

enum class PortKind { Http, Stream, Rtsp };

// A typed port as a number when it is digits only; anything else (blanks, a sign, a letter
// after the digits) gives 0, which no port is. A number too long for 32 bits stays far out of
// range instead of wrapping back into it.
int64_t PortNumber(std::string_view text);

// A number the record may hold as a port: 1 to 65535.
bool IsPortNumber(int64_t value);

// HTTP: 80 or 1025..65535; stream: 53 or 1025..65535; RTSP: 554 or 1025..65535.
bool IsAcceptedPort(PortKind kind, int64_t value);

// The first check a set of ports fails, in checking order.
enum class PortProblem {
    None,
    HttpNotAccepted,
    StreamNotAccepted,
    RtspNotAccepted,
    HttpIsStream,
    HttpIsRtsp,
    StreamIsRtsp,
};
PortProblem CheckPorts(int64_t http, int64_t stream, int64_t rtsp);

}  // namespace orvanta::camera
