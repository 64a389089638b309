// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One simulated camera's HTTP side on 127.0.0.1 with an ephemeral port, served by the
// simulator's own event loop on a thread of the test.
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "EventLoop.h"
#include "HttpServer.h"
#include "SimConfig.h"
#include "platform/AddressText.h"

namespace orvanta::camera::testing {

class SimCameraFixture {
public:
    // `settings`: "key=value" items as in a [camera] section.
    explicit SimCameraFixture(const std::vector<std::pair<std::string, std::string>>& settings) {
        camsim::SimCamera camera;
        camera.ip = platform::ParseDottedAddressOr("127.0.0.1", 0);
        camera.httpPort = 0;
        for (const auto& [key, value] : settings) {
            std::string error;
            if (!camsim::SetCameraKey(camera, key, value, error)) throw std::runtime_error(error);
        }
        cameras_.push_back(camera);
        server_ = std::make_unique<camsim::HttpServer>(loop_, cameras_, false);
        std::string error;
        if (!server_->Start(error) || server_->Port(0) == 0)
            throw std::runtime_error("camsim HTTP: " + error);
        port_ = std::to_string(server_->Port(0));
        if (pipe(stop_) != 0) throw std::runtime_error("pipe");
        loop_.Watch(stop_[0], [this] { loop_.Stop(); });
        thread_ = std::thread([this] { loop_.Run(); });
    }
    ~SimCameraFixture() {
        (void)!write(stop_[1], "x", 1);
        thread_.join();
        server_.reset();
        close(stop_[0]);
        close(stop_[1]);
    }
    const char* Port() const { return port_.c_str(); }
    // The requests received so far. Call it once the client has its answers: the loop records
    // a request before it answers it.
    std::vector<std::string> Requests() const { return server_->Requests(0); }

private:
    camsim::EventLoop loop_;
    std::vector<camsim::SimCamera> cameras_;
    std::unique_ptr<camsim::HttpServer> server_;
    std::string port_;
    int stop_[2] = {-1, -1};
    std::thread thread_;
};

}  // namespace orvanta::camera::testing
