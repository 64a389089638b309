// SPDX-License-Identifier: GPL-3.0-or-later
// The transport against raw peers on loopback. The timing cases run side by side, each with
// its own peer, so the group costs one longest wait instead of their sum.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

namespace orvanta::camera {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A listening socket on 127.0.0.1 with an ephemeral port; `serve` runs on its own thread
// with the one accepted connection and what the client sent first.
class RawPeer {
public:
    using Script = std::function<void(int fd)>;
    explicit RawPeer(Script serve) {
        listen_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(listen_, 4);
        socklen_t length = sizeof a;
        getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &length);
        port_ = std::to_string(ntohs(a.sin_port));
        thread_ = std::thread([this, serve] {
            int fd = accept(listen_, nullptr, nullptr);
            if (fd < 0) return;
            char request[8192];
            ssize_t n = recv(fd, request, sizeof request, 0);
            received_.assign(request, n > 0 ? static_cast<size_t>(n) : 0);
            serve(fd);
            close(fd);
        });
    }
    ~RawPeer() {
        shutdown(listen_, SHUT_RDWR);  // frees an accept that never got its client
        thread_.join();
        close(listen_);
    }
    const char* Port() const { return port_.c_str(); }
    std::string Received() {  // after the exchange
        return received_;
    }

private:
    int listen_ = -1;
    std::string port_;
    std::thread thread_;
    std::string received_;
};

void SendText(int fd, const std::string& text) {
    send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

// Waits until the client closes (or 20 s pass), without answering.
void HoldOpen(int fd) {
    char sink[256];
    timeval limit{20, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    while (recv(fd, sink, sizeof sink, 0) > 0) {
    }
}

struct Outcome {
    int code = 0;
    int bytes = 0;
    double seconds = 0;
    std::string answer;
};

Outcome Exchange(const char* port, const std::string& request, size_t capacity = kAnswerCapacity) {
    CameraSettings s = NewCameraSettings();
    std::string answer(capacity, 'x');
    auto start = Clock::now();
    int fd = -1;
    Outcome out;
    out.code = OpenCameraConnection(s, "127.0.0.1", port, fd);
    if (out.code == CAM_OK) {
        if (SendRequest(fd, request.data(), request.size()) <= 0) out.code = CAM_ERR_SEND;
        out.bytes = ReceiveAnswer(fd, answer.data(), capacity);
        CloseConnection(fd);
    }
    out.seconds = SecondsSince(start);
    out.answer = answer.c_str();
    return out;
}

TEST(CameraTransport, TimingAgainstRawPeers) {
    const std::string request = "GET /goform/Parameters?Act=1&Page=1 HTTP/1.0\n\n";

    RawPeer silent(HoldOpen);
    RawPeer pieces([](int fd) {
        for (int i = 0; i < 4; ++i) {
            SendText(fd, "piece" + std::to_string(i) + "\n");
            std::this_thread::sleep_for(milliseconds(700));
        }
    });
    RawPeer trickle([](int fd) {  // sends, then keeps the connection open
        SendText(fd, "TitleBar=cam\n");
        HoldOpen(fd);
    });
    RawPeer measured([](int fd) {  // the same with a Content-Length that says it is whole
        SendText(fd, "HTTP/1.0 200 OK\r\nContent-Length: 13\r\n\r\nTitleBar=cam\n");
        HoldOpen(fd);
    });
    RawPeer flood([](int fd) {
        std::string big(20000, 'z');
        big.replace(100, 11, "402 Failure");
        big.replace(6200, 22, "HTTP/1.0 404 Not Found");  // beyond the kept part
        SendText(fd, big);
    });
    RawPeer slam([](int) {});  // reads the request and closes without a byte

    auto silentRun =
        std::async(std::launch::async, [&] { return Exchange(silent.Port(), request); });
    auto piecesRun =
        std::async(std::launch::async, [&] { return Exchange(pieces.Port(), request); });
    auto trickleRun =
        std::async(std::launch::async, [&] { return Exchange(trickle.Port(), request); });
    auto measuredRun =
        std::async(std::launch::async, [&] { return Exchange(measured.Port(), request); });
    auto floodRun = std::async(std::launch::async, [&] { return Exchange(flood.Port(), request); });
    auto slamRun = std::async(std::launch::async, [&] { return Exchange(slam.Port(), request); });

    Outcome o = silentRun.get();
    EXPECT_EQ(o.code, CAM_OK);
    EXPECT_EQ(o.bytes, 0);  // the caller turns this into CAM_ERR_NO_ANSWER
    EXPECT_GT(o.seconds, 4.8);
    EXPECT_LT(o.seconds, 6.5);
    EXPECT_EQ(silent.Received(), request);  // sent whole, in one piece

    o = piecesRun.get();
    EXPECT_EQ(o.answer, "piece0\npiece1\npiece2\npiece3\n");
    EXPECT_LT(o.seconds, 5.0);

    o = trickleRun.get();
    EXPECT_EQ(o.answer, "TitleBar=cam\n");
    EXPECT_GT(o.seconds, kReceiveIdleEndMs / 1000.0 - 0.3);
    EXPECT_LT(o.seconds, kReceiveIdleEndMs / 1000.0 + 2.0);

    o = measuredRun.get();
    EXPECT_NE(o.answer.find("\r\n\r\nTitleBar=cam\n"), std::string::npos);
    EXPECT_LT(o.seconds, 1.0);

    o = floodRun.get();
    EXPECT_EQ(o.bytes, static_cast<int>(kAnswerCapacity - 1));
    EXPECT_EQ(o.answer.size(), kAnswerCapacity - 1);
    EXPECT_EQ(ClassifyAnswer(o.answer.c_str(), true), CAM_ERR_FAILURE);

    o = slamRun.get();
    EXPECT_EQ(o.bytes, 0);
    EXPECT_LT(o.seconds, 1.0);
}

TEST(CameraTransport, ConnectFailuresAreQuick) {
    // A port with nobody listening: refused at once.
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    getsockname(probe, reinterpret_cast<sockaddr*>(&a), &length);
    std::string closedPort = std::to_string(ntohs(a.sin_port));  // bound, never listening

    CameraSettings s = NewCameraSettings();
    int fd = -1;
    auto start = Clock::now();
    EXPECT_EQ(OpenCameraConnection(s, "127.0.0.1", closedPort.c_str(), fd), CAM_ERR_REFUSED);
    EXPECT_LT(SecondsSince(start), 2.5);
    EXPECT_EQ(CameraCommand(s, "127.0.0.1", closedPort.c_str(), 1, 1, 0), CAM_ERR_REFUSED);
    EXPECT_EQ(ProbeReachable("127.0.0.1", ntohs(a.sin_port)), -1);
    close(probe);

    // Bad hosts and ports, and a closing window, give -1 before anything is sent.
    EXPECT_EQ(OpenCameraConnection(s, "256.1.1.1.invalid", "80", fd), CAM_ERR_CONNECT);
    EXPECT_EQ(OpenServerConnection("no-such-host.invalid", "80", fd), CAM_ERR_CONNECT);
    EXPECT_EQ(OpenCameraConnection(s, "127.0.0.1", "eighty", fd), CAM_ERR_REFUSED);  // port 0

    // A listener whose queue is full leaves new connects pending: the connect gives up after
    // its two 1-second waits, and at once when the window is closing.
    int full = socket(AF_INET, SOCK_STREAM, 0);
    a.sin_port = 0;
    bind(full, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(full, 0);
    length = sizeof a;
    getsockname(full, reinterpret_cast<sockaddr*>(&a), &length);
    std::string fullPort = std::to_string(ntohs(a.sin_port));
    int fillers[3];
    for (int& f : fillers) {
        f = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(f, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
    std::this_thread::sleep_for(milliseconds(100));
    start = Clock::now();
    EXPECT_EQ(OpenCameraConnection(s, "127.0.0.1", fullPort.c_str(), fd), CAM_ERR_CONNECT);
    double waited = SecondsSince(start);
    EXPECT_GT(waited, 1.8);
    EXPECT_LT(waited, 3.0);
    SetKeepConnecting(s, 0);
    start = Clock::now();
    EXPECT_EQ(OpenCameraConnection(s, "127.0.0.1", fullPort.c_str(), fd), CAM_ERR_CONNECT);
    EXPECT_LT(SecondsSince(start), 0.5);
    // Dropping the job while a connect waits: it gives up at its next attempt; while its
    // answer is awaited: within a tenth of a second.
    RawPeer held(HoldOpen);
    const std::pair<std::string, double> drops[] = {{fullPort, 0.9}, {held.Port(), 0.25}};
    for (const auto& [port, least] : drops) {
        SetKeepConnecting(s, 1);
        start = Clock::now();
        std::thread closer([&s] {
            std::this_thread::sleep_for(milliseconds(300));
            SetKeepConnecting(s, 0);
        });
        EXPECT_EQ(CameraCommand(s, "127.0.0.1", port.c_str(), 1, 1, 0), CAM_ERR_CONNECT);
        closer.join();
        waited = SecondsSince(start);
        EXPECT_GT(waited, least);
        EXPECT_LT(waited, least + 0.7);
    }

    // The reachability probe is bounded too, not left to the system's connect time-out.
    start = Clock::now();
    EXPECT_EQ(ProbeReachable("127.0.0.1", ntohs(a.sin_port)), -1);
    waited = SecondsSince(start);
    EXPECT_GT(waited, kProbeTimeoutMs / 1000.0 - 0.2);
    EXPECT_LT(waited, kProbeTimeoutMs / 1000.0 + 1.0);
    for (int f : fillers) close(f);
    close(full);
}

TEST(CameraTransport, ResolveHostRules) {
    EXPECT_EQ(ResolveHost("127.0.0.1"), htonl(INADDR_LOOPBACK));
    EXPECT_EQ(ResolveHost("10.1.2.3"), htonl(0x0A010203));
    EXPECT_EQ(ResolveHost("localhost"), htonl(INADDR_LOOPBACK));  // from /etc/hosts
    EXPECT_EQ(ResolveHost("1.2.3.256"), 0u);                      // not a letter: must be dotted
    EXPECT_EQ(ResolveHost("300"), 0u);
    EXPECT_EQ(ResolveHost(""), 0u);
    EXPECT_EQ(ResolveHost(nullptr), 0u);

    // The open functions look up whatever is not a dotted address.
    int fd = -1;
    RawPeer peer([](int f) { SendText(f, "hello"); });
    RawPeer probed([](int) {});
    EXPECT_EQ(ProbeReachable("localhost", static_cast<uint16_t>(std::atoi(probed.Port()))), 0);
    ASSERT_EQ(OpenServerConnection("localhost", peer.Port(), fd), CAM_OK);
    EXPECT_GT(SendRequest(fd, "GET /\n\n", 7), 0);
    char answer[16];
    EXPECT_EQ(ReceiveAnswer(fd, answer, sizeof answer), 5);
    EXPECT_STREQ(answer, "hello");
    CloseConnection(fd);
}

}  // namespace
}  // namespace orvanta::camera
