// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One short TCP connection per camera command: open with a short time-out, send the request
// in one piece, read until the peer closes, classify the answer by the marks in its text.
// Every wait is bounded; the diagnostics go to stderr.
#include <cstddef>
#include <cstdint>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

// Answer buffers, with room for the terminating NUL.
constexpr size_t kAnswerCapacity = 6145;
constexpr size_t kSmallAnswerCapacity = 4097;

// Once the first answer byte is there, the rest must come within this long: cameras close
// right after their answer, and a peer that keeps the connection open must not hold a job.
constexpr int kReceiveTotalLimitMs = 10000;
// ... and an answer ends after this long without a byte, even when the peer keeps it open.
constexpr int kReceiveIdleEndMs = 2000;
// A reachability probe waits this long for its connection.
constexpr int kProbeTimeoutMs = 3000;

// IPv4 address (network byte order) of `name`, or 0. Names that begin with a letter are
// looked up; anything else must be a dotted address.
uint32_t ResolveHost(const char* name);

// 0 when a TCP connection to name:port could be made within kProbeTimeoutMs, else -1.
int ProbeReachable(const char* name, uint16_t port);

// 0 and a connected blocking socket in `socketOut`, CAM_ERR_REFUSED when the peer refused the
// connection, or CAM_ERR_CONNECT (-1) for any other failure. A null host means 127.0.0.1;
// the port is base-10 text (anything else is port 0). The camera variant gives up as soon as
// it finds settings.keepConnecting at 0: before it connects and before each connect wait.
int OpenCameraConnection(const CameraSettings& settings, const char* host, const char* port,
                         int& socketOut);
int OpenServerConnection(const char* host, const char* port, int& socketOut);

// How the window sets keepConnecting while a worker may be connecting (no lock, no race),
// and how a worker looks at it. At 0 the record's job is dropped: it sends nothing more.
void SetKeepConnecting(CameraSettings& settings, uint8_t value);
bool KeepConnecting(const CameraSettings& settings);

void CloseConnection(int socket);

// Connections the open functions made in this process, for the benchmark's figures.
unsigned long ConnectionsOpened();

// Bytes sent (> 0), or 0 when the socket did not become writable within 3 s or the send
// failed. One send call: a partial send is returned as it is.
int SendRequest(int socket, const char* bytes, size_t length);

// How a receive ended.
enum class AnswerEnd {
    kNothing,    // no byte within the first wait
    kClosed,     // the peer closed: the normal end of an HTTP/1.0 answer
    kComplete,   // the body as long as its Content-Length, and nothing more came
    kIdle,       // no byte for the idle bound, the connection left open
    kTimeLimit,  // the total bound ran out while the peer still sent
    kOverflow,   // the buffer was full and more came (the rest is dropped)
    kReset,      // the connection broke (reset) or the wait failed
};

// Receives until the peer closes, the answer is complete by its Content-Length, the buffer is
// full (capacity - 1 bytes) or the waits run out: 5 s for the first byte, then the answer ends
// after kReceiveIdleEndMs without a byte or kReceiveTotalLimitMs in all. Zero-fills the buffer
// first, so the answer is NUL-terminated. Returns the number of bytes received (0 when
// nothing came); `end`, when given, says how it ended. With `keepConnecting`, the waits end
// as a reset within 100 ms of the flag going to 0.
int ReceiveAnswer(int socket, char* buffer, size_t capacity, AnswerEnd* end = nullptr,
                  const uint8_t* keepConnecting = nullptr);

// What an answer is to its command, for CheckAnswer.
enum class AnswerKind {
    kRead,   // a report whose values are taken: it must be whole
    kWrite,  // only whether the camera took the write
    kList,   // a scan or a listing: a long one is cut at the buffer, the entries read are kept
};

// What the answer's form says beyond the marks of ClassifyAnswer: CAM_ERR_NOT_HTTP (NUL or
// control bytes without a status line, or a broken status line), CAM_ERR_UNAUTHORIZED
// (status 401), CAM_ERR_HTTP_STATUS (any other status but 2xx). A read also fails with
// CAM_ERR_TOO_LONG when it overflowed the buffer and CAM_ERR_TOO_SLOW when it was still coming
// at the total bound. A read or a list fails with CAM_ERR_CLOSED_EARLY when its head never
// ended, its body is shorter than its Content-Length, or a reset ended an answer without a
// Content-Length (a list that filled the buffer is kept as it is); a plain text without a
// status line is a camera's plain report and passes. A write passes with a whole 2xx head;
// it fails when its answer says "Unauthorized" (CAM_ERR_UNAUTHORIZED); a redirect
// (CAM_ERR_REDIRECTED), a plain answer (CAM_ERR_NO_STATUS), one still coming at the total
// bound (CAM_ERR_TOO_SLOW) or one whose head never ended (CAM_ERR_CLOSED_EARLY) says nothing
// either way. Sets LastHttpStatus().
int CheckAnswer(const char* answer, size_t length, AnswerEnd end, AnswerKind kind);

// The status number of the last answer this thread checked (0 when it had no status line):
// what a CAM_ERR_HTTP_STATUS result was.
int LastHttpStatus();

// The common classification of a NUL-terminated answer: the 404, 402 marks, "Unauthorized"
// for reads. Whether a report has its keys is CheckReport's: models differ in what they list.
int ClassifyAnswer(const char* answer, bool isRead);

}  // namespace orvanta::camera
