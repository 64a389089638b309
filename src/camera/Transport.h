#pragma once
// One short TCP connection per camera command: open with a short time-out, send the request
// in one piece, read until the peer closes, classify the answer by the marks in its text.
// Every wait is bounded; the diagnostics go to stderr.
#include <cstddef>
#include <cstdint>

#include "camera/CameraSettings.h"

namespace orvanta::camera {

// Answer buffers, with room for the terminating NUL.
constexpr size_t kAnswerCapacity = 6145;
constexpr size_t kSmallAnswerCapacity = 4097;

// Once the first answer byte is there, the rest must come within this long: cameras close
// right after their answer, and a peer that keeps the connection open must not hold a job.
constexpr int kReceiveIdleLimitMs = 10000;
// A reachability probe waits this long for its connection.
constexpr int kProbeTimeoutMs = 3000;

// IPv4 address (network byte order) of `name`, or 0. Names that begin with a letter are
// looked up; anything else must be a dotted address.
uint32_t ResolveHost(const char* name);

// 0 when a TCP connection to name:port could be made within kProbeTimeoutMs, else -1.
int ProbeReachable(const char* name, uint16_t port);

// 0 and a connected blocking socket in `socketOut`, or -1. A null host means 127.0.0.1; the
// port is base-10 text (anything else is port 0). The camera variant gives up as soon as it
// finds settings.keepConnecting at 0.
int OpenCameraConnection(const CameraSettings& settings, const char* host, const char* port,
                         int& socketOut);
int OpenServerConnection(const char* host, const char* port, int& socketOut);

// How the window sets keepConnecting while a worker may be connecting (no lock, no race).
void SetKeepConnecting(CameraSettings& settings, uint8_t value);

void CloseConnection(int socket);

// Connections the open functions made in this process, for the benchmark's figures.
unsigned long ConnectionsOpened();

// Bytes sent (> 0), or 0 when the socket did not become writable within 3 s or the send
// failed. One send call: a partial send is returned as it is.
int SendRequest(int socket, const char* bytes, size_t length);

// Receives until the peer closes, the buffer is full (capacity - 1 bytes; the rest of the
// answer is dropped) or the waits run out: 5 s for the first byte, then 1 s waits until
// kReceiveIdleLimitMs have passed. Zero-fills the buffer first, so the answer is NUL-terminated.
// Returns the number of bytes received (0 when nothing came).
int ReceiveAnswer(int socket, char* buffer, size_t capacity);

// The common classification of a NUL-terminated answer: the 404, 402 marks, "Unauthorized"
// for reads, the incomplete network report for reads of page 3.
int ClassifyAnswer(const char* answer, bool isRead, int page);

}  // namespace orvanta::camera
