// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/wire/Transport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/AddressText.h"

namespace orvanta::camera {
namespace {

using SteadyClock = std::chrono::steady_clock;

std::atomic<unsigned long> g_connectionsOpened{0};
thread_local int t_lastHttpStatus = 0;
// After an answer is whole by its Content-Length, bytes still arriving within this long are
// taken too: a camera that miscounts its length sends them in the same burst.
constexpr int kReceiveGraceMs = 100;
// A receive for a job that may be stopped looks at its stop this often.
constexpr int kStopLookMs = 100;

// What the head of an HTTP answer says: the status (0 without a status line, -1 for a broken
// one); the rest only when the head is complete (its blank line received).
struct Head {
    int status = 0;
    bool complete = false;
    size_t bodyStart = 0;
    bool hasLength = false;
    size_t contentLength = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "HTTP/" digits "." digits, a blank and three digits; leading blank lines are skipped.
int StatusOf(const char* text, size_t length, size_t& lineStart) {
    size_t i = 0;
    while (i < length && (text[i] == '\r' || text[i] == '\n')) ++i;
    lineStart = i;
    if (length - i < 5 || std::memcmp(text + i, "HTTP/", 5) != 0) return 0;
    i += 5;
    size_t digits = i;
    while (i < length && IsDigit(text[i])) ++i;
    if (i == digits || i >= length || text[i++] != '.') return -1;
    digits = i;
    while (i < length && IsDigit(text[i])) ++i;
    if (i == digits || i >= length || text[i++] != ' ') return -1;
    if (length - i < 3 || !IsDigit(text[i]) || !IsDigit(text[i + 1]) || !IsDigit(text[i + 2]))
        return -1;
    if (length - i > 3 && IsDigit(text[i + 3])) return -1;
    return (text[i] - '0') * 100 + (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
}

Head ParseHead(const char* text, size_t length) {
    Head head;
    size_t i = 0;
    head.status = StatusOf(text, length, i);
    if (head.status <= 0) return head;
    // Header lines up to the first empty one; lines may end in LF or CR LF.
    while (i < length) {
        const char* eol = static_cast<const char*>(std::memchr(text + i, '\n', length - i));
        if (!eol) return head;
        size_t end = static_cast<size_t>(eol - text);
        size_t lineEnd = end > i && text[end - 1] == '\r' ? end - 1 : end;
        if (lineEnd == i) {
            head.complete = true;
            head.bodyStart = end + 1;
            return head;
        }
        constexpr char kName[] = "content-length:";
        const size_t nameLength = sizeof kName - 1;
        bool named = lineEnd - i > nameLength;
        for (size_t k = 0; named && k < nameLength; ++k) named = Lower(text[i + k]) == kName[k];
        if (named) {
            size_t p = i + nameLength;
            while (p < lineEnd && (text[p] == ' ' || text[p] == '\t')) ++p;
            size_t value = 0, digits = 0;
            for (; p < lineEnd && IsDigit(text[p]) && digits < 12; ++p, ++digits)
                value = value * 10 + static_cast<size_t>(text[p] - '0');
            if (digits > 0 && digits < 12) {
                head.hasLength = true;
                head.contentLength = value;
            }
        }
        i = end + 1;
    }
    return head;
}

bool IsPlainText(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7f) return false;
    }
    return true;
}

int RemainingMs(SteadyClock::time_point deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// The flag is written by the window's thread while a worker connects: one atomic byte.
uint8_t ReadKeepConnecting(const uint8_t& flag) {
    return std::atomic_ref<uint8_t>(const_cast<uint8_t&>(flag)).load(std::memory_order_relaxed);
}

// 1 when `events` came, 0 on time-out, -1 when the wait failed or `keepConnecting` (may be
// null) went to 0, which the wait looks at every kStopLookMs. poll rather than select, so a
// descriptor number above FD_SETSIZE cannot overrun a set.
int WaitFor(int fd, short events, int timeoutMs, short* revents = nullptr,
            const uint8_t* keepConnecting = nullptr) {
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (keepConnecting && ReadKeepConnecting(*keepConnecting) == 0) return -1;
        const int left = RemainingMs(deadline);
        pollfd p{fd, events, 0};
        int n = poll(&p, 1, keepConnecting ? std::min(left, kStopLookMs) : left);
        if (n > 0) {
            if (revents) *revents = p.revents;
            return 1;
        }
        if (n == 0 && (!keepConnecting || RemainingMs(deadline) == 0)) return 0;
        if (n < 0 && errno != EINTR) return -1;
    }
}

bool SetBlocking(int fd, bool blocking) {
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0) return false;
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return fcntl(fd, F_SETFL, flags) == 0;
}

int PendingError(int fd) {
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
    return error;
}

int ConnectFailure(int error) {
    return error == ECONNREFUSED || error == ECONNRESET ? CAM_ERR_REFUSED : CAM_ERR_CONNECT;
}

// A dotted address, else the first IPv4 address the name resolves to.
bool ResolveForConnect(const char* host, uint32_t& address) {
    if (!host) host = "127.0.0.1";
    if (platform::ParseDottedAddress(host, &address)) return true;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &result) != 0 || !result) return false;
    address = reinterpret_cast<sockaddr_in*>(result->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(result);
    return true;
}

// Non-blocking connect and up to `attempts` writability waits of `waitMs`. `keepConnecting`
// (may be null) is looked at before the connect and before each wait.
int Connect(uint32_t address, uint16_t port, const uint8_t* keepConnecting, int attempts,
            int waitMs, int& socketOut) {
    if (keepConnecting && ReadKeepConnecting(*keepConnecting) == 0) return CAM_ERR_CONNECT;
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return CAM_ERR_CONNECT;
    if (!SetBlocking(fd, false)) {
        close(fd);
        return CAM_ERR_CONNECT;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = address;
    bool connected = connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    if (!connected && errno != EINPROGRESS && errno != EINTR) {
        int failure = ConnectFailure(errno);
        close(fd);
        return failure;
    }
    int failure = CAM_ERR_CONNECT;
    for (int attempt = 0; !connected && attempt < attempts; ++attempt) {
        if (keepConnecting && ReadKeepConnecting(*keepConnecting) == 0) break;
        int ready = WaitFor(fd, POLLOUT, waitMs);
        if (ready == 1) {
            // Writable with an error pending is a refused or failed connect: no point waiting.
            if (int error = PendingError(fd)) {
                failure = ConnectFailure(error);
                break;
            }
            connected = true;
        }
    }
    if (!connected || !SetBlocking(fd, true)) {
        close(fd);
        return failure;
    }
    linger l{1, 1};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    socketOut = fd;
    g_connectionsOpened.fetch_add(1, std::memory_order_relaxed);
    return CAM_OK;
}

int Open(const char* host, const char* portText, const uint8_t* keepConnecting, int& socketOut) {
    uint32_t address = 0;
    if (!ResolveForConnect(host, address)) return CAM_ERR_CONNECT;
    uint16_t port = 0;  // port 0 is refused by the connect, as a camera without one should be
    platform::ParsePortText(portText ? portText : "", &port);
    return Connect(address, port, keepConnecting, 2, 1000, socketOut);
}

}  // namespace

uint32_t ResolveHost(const char* name) {
    if (!name || !*name) return 0;
    unsigned char first = static_cast<unsigned char>(name[0]);
    if ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* result = nullptr;
        if (getaddrinfo(name, nullptr, &hints, &result) != 0 || !result) return 0;
        uint32_t address = 0;
        for (addrinfo* a = result; a; a = a->ai_next)  // the last one wins
            address = reinterpret_cast<sockaddr_in*>(a->ai_addr)->sin_addr.s_addr;
        freeaddrinfo(result);
        return address;
    }
    uint32_t address = 0;
    if (!platform::ParseDottedAddress(name, &address)) {
        std::printf("The IPv4 address entered must be a legal address\n");
        return 0;
    }
    // A dotted address is its own answer; a reverse look-up could only fail on a missing
    // name record and turn a good address into none.
    return address;
}

int ProbeReachable(const char* name, uint16_t port) {
    uint32_t address = ResolveHost(name);
    if (address == 0) return -1;
    int fd = -1;
    if (Connect(address, port, nullptr, 1, kProbeTimeoutMs, fd) != CAM_OK) return -1;
    close(fd);
    return 0;
}

int OpenCameraConnection(const CameraSettings& settings, const char* host, const char* port,
                         int& socketOut) {
    return Open(host, port, &settings.keepConnecting, socketOut);
}

int OpenServerConnection(const char* host, const char* port, int& socketOut) {
    return Open(host, port, nullptr, socketOut);
}

void SetKeepConnecting(CameraSettings& settings, uint8_t value) {
    std::atomic_ref<uint8_t>(settings.keepConnecting).store(value, std::memory_order_relaxed);
}

bool KeepConnecting(const CameraSettings& settings) {
    return ReadKeepConnecting(settings.keepConnecting) != 0;
}

unsigned long ConnectionsOpened() {
    return g_connectionsOpened.load();
}

void CloseConnection(int socket) {
    if (socket >= 0) close(socket);
}

int SendRequest(int socket, const char* bytes, size_t length) {
    short revents = 0;
    int ready = WaitFor(socket, POLLOUT, 3000, &revents);
    if (ready < 0) {
        std::fputs("select: error\n", stderr);
        return 0;
    }
    if (ready == 0) {
        std::fputs("timeout\n", stderr);
        return 0;
    }
    if (!(revents & POLLOUT)) {
        std::fputs("error: case not handled.", stderr);
        return 0;
    }
    ssize_t sent = send(socket, bytes, length, MSG_NOSIGNAL);
    if (sent <= 0) {
        std::fputs("error send()ing request\n", stderr);
        return 0;
    }
    return static_cast<int>(sent);
}

namespace {

// The loop of ReceiveAnswer after the first byte is readable; returns how it ended.
AnswerEnd ReceiveRest(int socket, char* buffer, size_t room, size_t& total, const uint8_t* keep) {
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(kReceiveTotalLimitMs);
    bool whole = false;  // the body is as long as its Content-Length says
    for (;;) {
        int left = RemainingMs(deadline);
        if (left == 0) return AnswerEnd::kTimeLimit;  // a peer that trickles on
        // Two idle seconds end the answer of a peer that keeps its connection open; a whole
        // answer waits only for what a miscounted length may have left in flight.
        int idle = whole ? kReceiveGraceMs : kReceiveIdleEndMs;
        const int wait = total == 0 ? left : std::min(left, idle);
        int ready = WaitFor(socket, POLLIN, wait, nullptr, keep);
        if (ready < 0) return AnswerEnd::kReset;
        if (ready == 0 && total > 0) {
            if (whole) return AnswerEnd::kComplete;
            // A wait cut short by the total bound ended it, not an idle peer.
            return wait == left ? AnswerEnd::kTimeLimit : AnswerEnd::kIdle;
        }
        if (ready == 0) continue;
        // When full, one more byte tells an answer that was longer from one that just fit.
        char extra;
        ssize_t n = total == room ? recv(socket, &extra, 1, 0)
                                  : recv(socket, buffer + total, room - total, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) return AnswerEnd::kClosed;
        if (n < 0) return AnswerEnd::kReset;
        if (total == room) return AnswerEnd::kOverflow;
        total += static_cast<size_t>(n);
        Head head = ParseHead(buffer, total);
        whole = head.complete && head.hasLength && total - head.bodyStart >= head.contentLength;
    }
}

// A write's answer says only whether the camera took it. A whole 2xx head does, an error
// status or an unauthorized text does not; a redirect, a plain answer, an answer that never
// ended or whose head was cut leave it open for the read-back to decide.
int CheckWriteAnswer(const char* answer, const Head& head, AnswerEnd end) {
    if (head.status >= 300 && head.status <= 399) return CAM_ERR_REDIRECTED;
    if (head.status != 0 && (head.status < 200 || head.status > 299)) return CAM_ERR_HTTP_STATUS;
    if (std::strstr(answer, "Unauthorized")) return CAM_ERR_UNAUTHORIZED;
    if (end == AnswerEnd::kTimeLimit) return CAM_ERR_TOO_SLOW;
    if (head.status == 0) return CAM_ERR_NO_STATUS;
    return head.complete ? CAM_OK : CAM_ERR_CLOSED_EARLY;
}

}  // namespace

int ReceiveAnswer(int socket, char* buffer, size_t capacity, AnswerEnd* end,
                  const uint8_t* keepConnecting) {
    AnswerEnd ended = AnswerEnd::kNothing;
    size_t total = 0;
    if (buffer && capacity > 0) {
        std::memset(buffer, 0, capacity);
        // capacity - 1: the terminating NUL stays.
        if (WaitFor(socket, POLLIN, 5000, nullptr, keepConnecting) == 1)
            ended = ReceiveRest(socket, buffer, capacity - 1, total, keepConnecting);
    }
    if (end) *end = ended;
    return static_cast<int>(total);
}

int LastHttpStatus() {
    return t_lastHttpStatus;
}

int CheckAnswer(const char* answer, size_t length, AnswerEnd end, AnswerKind kind) {
    t_lastHttpStatus = 0;
    if (!answer) return CAM_ERR_NO_ANSWER;
    // A write's status line says whether it was taken, however long the rest.
    if (kind == AnswerKind::kRead && end == AnswerEnd::kOverflow) return CAM_ERR_TOO_LONG;
    if (std::memchr(answer, '\0', length)) return CAM_ERR_NOT_HTTP;
    Head head = ParseHead(answer, length);
    if (head.status < 0) return CAM_ERR_NOT_HTTP;
    t_lastHttpStatus = head.status;
    if (head.status == 0 && !IsPlainText(answer, length)) return CAM_ERR_NOT_HTTP;
    if (head.status == 401) return CAM_ERR_UNAUTHORIZED;
    if (kind == AnswerKind::kWrite) return CheckWriteAnswer(answer, head, end);
    if (head.status != 0 && (head.status < 200 || head.status > 299)) return CAM_ERR_HTTP_STATUS;
    if (kind == AnswerKind::kRead && end == AnswerEnd::kTimeLimit) return CAM_ERR_TOO_SLOW;
    // A list cut at the full buffer keeps what it read; any other cut that shows is one.
    if (end == AnswerEnd::kOverflow) return CAM_OK;
    if (head.status > 0 && !head.complete) return CAM_ERR_CLOSED_EARLY;
    const bool lengthKnown = head.complete && head.hasLength;
    if (lengthKnown && length - head.bodyStart < head.contentLength) return CAM_ERR_CLOSED_EARLY;
    // A reset broke off whatever was still to come, unless the length says it had all come.
    if (end == AnswerEnd::kReset && !lengthKnown) return CAM_ERR_CLOSED_EARLY;
    return CAM_OK;
}

int ClassifyAnswer(const char* answer, bool isRead) {
    if (!answer) answer = "";
    if (std::strstr(answer, "HTTP/1.0 404 Not Found")) return CAM_ERR_HTTP_NOT_FOUND;
    if (std::strstr(answer, "404 Not Found")) return CAM_ERR_NOT_FOUND;
    if (std::strstr(answer, "402 Failure")) return CAM_ERR_FAILURE;
    if (isRead && std::strstr(answer, "Unauthorized")) return CAM_ERR_UNAUTHORIZED;
    return CAM_OK;
}

}  // namespace orvanta::camera
