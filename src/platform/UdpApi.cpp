// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UdpApi.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

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

// Beyond this age a stamp is taken for a step of the wall clock rather than a wait.
constexpr int64_t kMaxAgeMs = 10 * 60 * 1000;

// How long ago the kernel stamped a datagram, from its receive time (wall clock).
uint32_t AgeOf(const timeval& stamp) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    // Whole milliseconds, rounded down, so that an arrival is never placed too early.
    int64_t us = (static_cast<int64_t>(now.tv_sec) - stamp.tv_sec) * 1000000 +
                 (now.tv_nsec / 1000 - stamp.tv_usec);
    return us < 0 || us / 1000 > kMaxAgeMs ? 0u : static_cast<uint32_t>(us / 1000);
}

void ReadControl(msghdr& message, DatagramInfo& info) {
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMP) {
            timeval stamp{};
            std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
            info.ageMs = AgeOf(stamp);
        } else if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo packet{};
            std::memcpy(&packet, CMSG_DATA(c), sizeof packet);
            info.localAddress = packet.ipi_spec_dst.s_addr;
        }
    }
}

class BsdUdpApi final : public UdpApi {
public:
    int Open() override { return socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0); }
    int EnableReuseAddress(int fd) override {
        return SetIntOption(fd, SOL_SOCKET, SO_REUSEADDR, 1);
    }
    int EnableBroadcast(int fd) override { return SetIntOption(fd, SOL_SOCKET, SO_BROADCAST, 1); }
    int SetReceiveBuffer(int fd, int bytes) override {
        // Past net.core.rmem_max only with CAP_NET_ADMIN; else as far as the limit goes.
        if (SetIntOption(fd, SOL_SOCKET, SO_RCVBUFFORCE, bytes) == 0) return 0;
        return SetIntOption(fd, SOL_SOCKET, SO_RCVBUF, bytes);
    }
    int EnableDatagramInfo(int fd) override {
        if (SetIntOption(fd, IPPROTO_IP, IP_PKTINFO, 1) < 0) return -1;
        return SetIntOption(fd, SOL_SOCKET, SO_TIMESTAMP, 1);
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
    int Receive(int fd, void* buffer, size_t capacity, DatagramInfo* info) override {
        iovec part{buffer, capacity};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timeval)) + CMSG_SPACE(sizeof(in_pktinfo))];
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        int n;
        do {
            n = static_cast<int>(recvmsg(fd, &message, 0));
        } while (n < 0 && errno == EINTR);
        if (n >= 0 && info != nullptr) ReadControl(message, *info);
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
