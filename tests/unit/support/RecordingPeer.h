// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A peer on 127.0.0.1 that takes one connection per scripted answer, records each request
// byte for byte and answers it (an empty answer closes without a word).
#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvanta::camera::testing {

class RecordingPeer {
public:
    explicit RecordingPeer(std::vector<std::string> answers) : answers_(std::move(answers)) {
        listen_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(listen_, 8);
        socklen_t length = sizeof a;
        getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &length);
        port_ = std::to_string(ntohs(a.sin_port));
        thread_ = std::thread([this] { Serve(); });
    }
    ~RecordingPeer() {
        shutdown(listen_, SHUT_RDWR);
        thread_.join();
        close(listen_);
    }
    const char* Port() const { return port_.c_str(); }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    void Serve() {
        for (const std::string& answer : answers_) {
            int fd = accept(listen_, nullptr, nullptr);
            if (fd < 0) return;
            // Requests come in one send; a short idle wait collects a split one all the same.
            std::string request;
            timeval idle{0, 200000};
            setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &idle, sizeof idle);
            char buffer[8192];
            ssize_t n;
            while ((n = recv(fd, buffer, sizeof buffer, 0)) > 0) {
                request.append(buffer, static_cast<size_t>(n));
                idle = {0, 20000};
                setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &idle, sizeof idle);
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back(request);
            }
            if (!answer.empty()) send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
            close(fd);
        }
    }

    std::vector<std::string> answers_;
    int listen_ = -1;
    std::string port_;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

}  // namespace orvanta::camera::testing
