// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cameras' HTTP/1.0 side: one listener per camera on its address and HTTP port, one
// request per connection, answered by CameraCgi and closed after the answer.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "CameraCgi.h"
#include "EventLoop.h"
#include "SimConfig.h"

namespace camsim {

class HttpServer {
public:
    HttpServer(EventLoop& loop, std::vector<SimCamera>& cameras, bool verbose);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // False on a bad CGI setting. A camera whose address and port cannot be bound is only
    // reported on stderr: the other cameras and discovery still work.
    bool Start(std::string& error);
    // The port a camera listens on (useful with http_port=0), 0 when it has no listener.
    uint16_t Port(size_t camera) const;
    uint64_t RequestsAnswered() const { return answered_; }

    // Every request a camera received, byte for byte (the latest kKeptRequests).
    static constexpr size_t kKeptRequests = 1000;
    const std::vector<std::string>& Requests(size_t camera) const { return requests_[camera]; }
    // Also appends each request to `file` as "REQUEST <camera> <length>\n<bytes>\n".
    void RecordTo(std::FILE* file) { record_ = file; }

    // Called once a camera has answered a network write.
    void OnNetworkWritten(std::function<void(size_t camera)> handler) {
        onNetworkWritten_ = std::move(handler);
    }
    CgiCamera& Cgi(size_t camera) { return cgi_[camera]; }
    // A restarting camera stops listening, and listens again at its (new) address and port.
    void StopListening(size_t camera);
    bool Listen(size_t camera);

private:
    struct Connection {
        uint64_t id = 0;
        size_t camera = 0;
        std::string received;
        bool answered = false;
        std::string pending;  // the rest of an answer sent in pieces
        int pieceBytes = 0, pauseMs = 0;
        size_t flooded = 0;
    };

    void OnAccept(int listenFd, size_t camera);
    void OnReadable(int fd);
    void Respond(int fd, Connection& connection);
    void SendNextPiece(int fd, uint64_t id);
    void FloodOn(int fd, uint64_t id, std::chrono::steady_clock::time_point end);
    void Reset(int fd);
    void Finish(int fd);
    void Drop(int fd);
    void DropLater(int fd, uint64_t id, int delayMs);

    EventLoop& loop_;
    std::vector<SimCamera>& cameras_;
    std::vector<CgiCamera> cgi_;
    bool verbose_;
    std::vector<int> listenFds_;
    std::vector<uint16_t> ports_;
    std::map<int, Connection> connections_;
    uint64_t nextId_ = 1;
    uint64_t answered_ = 0;
    std::vector<std::vector<std::string>> requests_;
    std::FILE* record_ = nullptr;
    std::function<void(size_t)> onNetworkWritten_;
};

}  // namespace camsim
