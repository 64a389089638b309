#pragma once
// The cameras' HTTP/1.0 side: one listener per camera on its address and HTTP port, one
// request per connection, answered by CameraCgi and closed after the answer.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "CameraCgi.h"
#include "EventLoop.h"
#include "SimConfig.h"

namespace camsim {

class HttpServer {
public:
    HttpServer(EventLoop& loop, const std::vector<SimCamera>& cameras, bool verbose);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // False on a bad CGI setting. A camera whose address and port cannot be bound is only
    // reported on stderr: the other cameras and discovery still work.
    bool Start(std::string& error);
    // The port a camera listens on (useful with http_port=0), 0 when it has no listener.
    uint16_t Port(size_t camera) const;
    uint64_t RequestsAnswered() const { return answered_; }

private:
    struct Connection {
        uint64_t id = 0;
        size_t camera = 0;
        std::string received;
        bool answered = false;
        std::string pending;  // the rest of an answer sent in pieces
    };

    void OnAccept(int listenFd, size_t camera);
    void OnReadable(int fd);
    void Respond(int fd, Connection& connection);
    void SendNextPiece(int fd, uint64_t id);
    void Finish(int fd);
    void Drop(int fd);
    void DropLater(int fd, uint64_t id, int delayMs);

    EventLoop& loop_;
    const std::vector<SimCamera>& cameras_;
    std::vector<CgiCamera> cgi_;
    bool verbose_;
    std::vector<int> listenFds_;
    std::vector<uint16_t> ports_;
    std::map<int, Connection> connections_;
    uint64_t nextId_ = 1;
    uint64_t answered_ = 0;
};

}  // namespace camsim
