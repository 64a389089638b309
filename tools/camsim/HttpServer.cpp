// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace camsim {
namespace {

constexpr size_t kMaxRequestBytes = 16384;
constexpr int kRequestTimeoutMs = 10000;  // a client that never finishes its request
constexpr int kSilentHoldMs = 30000;      // the "silent" fault keeps a connection this long
constexpr size_t kFloodLimitBytes = 256u << 20;
constexpr int kFloodPauseMs = 5;
constexpr int kLingerAfterAnswerMs = 3000;

bool HeadComplete(const std::string& data) {
    return data.find("\n\n") != std::string::npos || data.find("\n\r\n") != std::string::npos;
}

void SendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;  // the client went away or stalled past the send time-out
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

HttpServer::HttpServer(EventLoop& loop, std::vector<SimCamera>& cameras, bool verbose)
    : loop_(loop), cameras_(cameras), verbose_(verbose) {}

HttpServer::~HttpServer() {
    for (auto& [fd, connection] : connections_) {
        loop_.Unwatch(fd);
        close(fd);
    }
    for (int fd : listenFds_) {
        if (fd < 0) continue;
        loop_.Unwatch(fd);
        close(fd);
    }
}

bool HttpServer::Start(std::string& error) {
    cgi_.resize(cameras_.size());
    for (size_t i = 0; i < cameras_.size(); ++i) {
        std::string problem;
        if (!LoadCgiCamera(cameras_[i], cgi_[i], problem)) {
            error = "camera " + std::to_string(i + 1) + ": " + problem;
            return false;
        }
    }
    listenFds_.assign(cameras_.size(), -1);
    ports_.assign(cameras_.size(), 0);
    requests_.assign(cameras_.size(), {});
    for (size_t i = 0; i < cameras_.size(); ++i) Listen(i);
    return true;
}

bool HttpServer::Listen(size_t i) {
    const SimCamera& camera = cameras_[i];
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    // The camera's address may be added to the namespace after we start.
    setsockopt(fd, IPPROTO_IP, IP_FREEBIND, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = camera.ip;
    a.sin_port = htons(static_cast<uint16_t>(camera.httpPort));
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        listen(fd, SOMAXCONN) != 0) {
        std::fprintf(stderr, "camsim: no HTTP for %s:%d: %s\n", FormatIp(camera.ip).c_str(),
                     camera.httpPort, std::strerror(errno));
        if (fd >= 0) close(fd);
        return false;
    }
    socklen_t length = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    listenFds_[i] = fd;
    ports_[i] = ntohs(a.sin_port);
    loop_.Watch(fd, [this, fd, i] { OnAccept(fd, i); });
    return true;
}

void HttpServer::StopListening(size_t camera) {
    int& fd = listenFds_[camera];
    if (fd < 0) return;
    loop_.Unwatch(fd);
    close(fd);
    fd = -1;
    ports_[camera] = 0;
}

uint16_t HttpServer::Port(size_t camera) const {
    return camera < ports_.size() ? ports_[camera] : 0;
}

void HttpServer::OnAccept(int listenFd, size_t camera) {
    int fd = accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    switch (AcceptAction(cgi_[camera])) {
        case OnAccept::kClose:
            if (verbose_) std::fprintf(stderr, "camsim: closing at once (fault)\n");
            close(fd);
            return;
        case OnAccept::kReset:
            if (verbose_) std::fprintf(stderr, "camsim: resetting at once (fault)\n");
            Reset(fd);
            return;
        case OnAccept::kServe:
            break;
    }
    timeval sendLimit{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
    Connection& connection = connections_[fd];
    connection = Connection{};
    connection.id = nextId_++;
    connection.camera = camera;
    loop_.Watch(fd, [this, fd] { OnReadable(fd); });
    uint64_t id = connection.id;
    loop_.After(kRequestTimeoutMs, [this, fd, id] {
        auto it = connections_.find(fd);
        if (it != connections_.end() && it->second.id == id && !it->second.answered) Drop(fd);
    });
}

void HttpServer::OnReadable(int fd) {
    auto it = connections_.find(fd);
    if (it == connections_.end()) return;
    Connection& connection = it->second;
    char buffer[4096];
    ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) {  // the client closed (or failed): nothing more to do for it
        Drop(fd);
        return;
    }
    if (connection.answered) return;  // bytes after the request head are ignored
    connection.received.append(buffer, static_cast<size_t>(n));
    if (connection.received.size() > kMaxRequestBytes) {
        SendAll(fd, "HTTP/1.0 400 Bad Request\r\n\r\n");
        Finish(fd);
        return;
    }
    if (HeadComplete(connection.received)) Respond(fd, connection);
}

void HttpServer::Respond(int fd, Connection& connection) {
    connection.answered = true;
    const size_t index = connection.camera;
    std::vector<std::string>& kept = requests_[index];
    if (kept.size() == kKeptRequests) kept.erase(kept.begin());
    kept.push_back(connection.received);
    if (record_) {
        std::fprintf(record_, "REQUEST %zu %zu\n", index, connection.received.size());
        std::fwrite(connection.received.data(), 1, connection.received.size(), record_);
        std::fputc('\n', record_);
        std::fflush(record_);
    }
    CgiAnswer answer = Answer(cgi_[index], connection.received);
    if (answer.networkWritten && onNetworkWritten_) onNetworkWritten_(index);
    if (verbose_) {
        std::string line = connection.received.substr(0, connection.received.find('\n'));
        std::fprintf(stderr, "camsim: %s -> %s\n", line.c_str(),
                     answer.bytes.substr(0, answer.bytes.find('\r')).c_str());
    }
    ++answered_;
    switch (answer.delivery) {
        case Delivery::kNever:
            DropLater(fd, connection.id, kSilentHoldMs);
            return;
        case Delivery::kPieces:
            connection.pending = std::move(answer.bytes);
            connection.pieceBytes = answer.pieceBytes;
            connection.pauseMs = answer.pauseMs;
            SendNextPiece(fd, connection.id);
            return;
        case Delivery::kKeepOpen:
            SendAll(fd, answer.bytes);
            DropLater(fd, connection.id, kSilentHoldMs);
            return;
        case Delivery::kFlood:
            SendAll(fd, answer.bytes);
            FloodOn(fd, connection.id,
                    std::chrono::steady_clock::now() + std::chrono::milliseconds(kSilentHoldMs));
            return;
        case Delivery::kResetMidway:
            SendAll(fd, answer.bytes.substr(0, answer.bytes.size() / 2));
            connections_.erase(fd);
            loop_.Unwatch(fd);
            Reset(fd);
            return;
        case Delivery::kWhole:
            SendAll(fd, answer.bytes);
            Finish(fd);
            return;
    }
}

void HttpServer::SendNextPiece(int fd, uint64_t id) {
    auto it = connections_.find(fd);
    if (it == connections_.end() || it->second.id != id) return;
    Connection& connection = it->second;
    size_t size = static_cast<size_t>(connection.pieceBytes);
    SendAll(fd, connection.pending.substr(0, size));
    connection.pending.erase(0, size);
    if (connection.pending.empty()) {
        Finish(fd);
        return;
    }
    loop_.After(connection.pauseMs, [this, fd, id] { SendNextPiece(fd, id); });
}

void HttpServer::FloodOn(int fd, uint64_t id, std::chrono::steady_clock::time_point end) {
    auto it = connections_.find(fd);
    if (it == connections_.end() || it->second.id != id) return;
    Connection& connection = it->second;
    if (connection.flooded >= kFloodLimitBytes || std::chrono::steady_clock::now() >= end) {
        Drop(fd);
        return;
    }
    static const std::string filler = [] {
        std::string lines;
        while (lines.size() < 16384) lines += "Filler=" + std::string(60, 'f') + "\n";
        return lines;
    }();
    ssize_t n = send(fd, filler.data(), filler.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {  // the client went away
        Drop(fd);
        return;
    }
    if (n > 0) connection.flooded += static_cast<size_t>(n);
    loop_.After(kFloodPauseMs, [this, fd, id, end] { FloodOn(fd, id, end); });
}

void HttpServer::Reset(int fd) {
    linger abort{1, 0};  // close with a reset instead of the orderly end
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    close(fd);
}

void HttpServer::Finish(int fd) {
    // Half-close, then read until the client closes: closing with unread request bytes
    // would reset the connection and could cost the client the end of the answer.
    auto it = connections_.find(fd);
    if (it == connections_.end()) return;
    it->second.answered = true;
    shutdown(fd, SHUT_WR);
    DropLater(fd, it->second.id, kLingerAfterAnswerMs);
}

void HttpServer::DropLater(int fd, uint64_t id, int delayMs) {
    loop_.After(delayMs, [this, fd, id] {
        auto it = connections_.find(fd);
        if (it != connections_.end() && it->second.id == id) Drop(fd);
    });
}

void HttpServer::Drop(int fd) {
    loop_.Unwatch(fd);
    connections_.erase(fd);
    close(fd);
}

}  // namespace camsim
