#include "platform/UdpApi.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace orvanta::platform {
namespace {

int SetIntOption(int fd, int level, int name, int value) {
    return setsockopt(fd, level, name, &value, sizeof value);
}

sockaddr_in MakeAddress(uint32_t address, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = address;
    sa.sin_port = htons(port);
    return sa;
}

class BsdUdpApi final : public UdpApi {
public:
    int Open() override { return socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0); }
    int EnableReuseAddress(int fd) override {
        return SetIntOption(fd, SOL_SOCKET, SO_REUSEADDR, 1);
    }
    int EnableBroadcast(int fd) override { return SetIntOption(fd, SOL_SOCKET, SO_BROADCAST, 1); }
    int SetReceiveBuffer(int fd, int bytes) override {
        return SetIntOption(fd, SOL_SOCKET, SO_RCVBUF, bytes);
    }
    int Bind(int fd, uint32_t address, uint16_t port) override {
        sockaddr_in sa = MakeAddress(address, port);
        return bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    }
    int SendTo(int fd, const void* data, size_t length, uint32_t address, uint16_t port) override {
        sockaddr_in sa = MakeAddress(address, port);
        return static_cast<int>(
            sendto(fd, data, length, 0, reinterpret_cast<sockaddr*>(&sa), sizeof sa));
    }
    int WaitReadable(int fd, int timeoutMs) override {
        pollfd p{fd, POLLIN, 0};
        int n;
        do {
            n = poll(&p, 1, timeoutMs);
        } while (n < 0 && errno == EINTR);
        if (n <= 0) return n;
        return (p.revents & POLLIN) ? 1 : -1;
    }
    int Receive(int fd, void* buffer, size_t capacity) override {
        int n;
        do {
            n = static_cast<int>(recvfrom(fd, buffer, capacity, 0, nullptr, nullptr));
        } while (n < 0 && errno == EINTR);
        return n;
    }
    void Close(int fd) override {
        if (fd >= 0) close(fd);
    }
};

}  // namespace

UdpApi& SystemUdpApi() {
    static BsdUdpApi api;
    return api;
}

}  // namespace orvanta::platform
