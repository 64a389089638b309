// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scripted stand-in for the datagram sockets: records what is opened, bound and sent, and
// hands out datagrams queued per receive socket, each with the PC address it came in on.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <vector>

#include "platform/UdpApi.h"

namespace orvanta::test {

class FakeUdp : public platform::UdpApi {
public:
    struct Sent {
        int fd;
        uint32_t from;
        uint32_t to;
        uint16_t port;
        bool broadcast;
        std::vector<uint8_t> bytes;
    };
    struct Socket {
        uint32_t address = 0;
        uint16_t port = 0;
        bool bound = false, broadcast = false, reuse = false;
        std::deque<std::pair<std::vector<uint8_t>, platform::DatagramInfo>> inbox;
    };

    int Open() override {
        if (failOpen) return -1;
        sockets[nextFd] = Socket{};
        return nextFd++;
    }
    int EnableReuseAddress(int fd) override { return sockets[fd].reuse = true, 0; }
    int EnableBroadcast(int fd) override { return sockets[fd].broadcast = true, 0; }
    int SetReceiveBuffer(int, int) override { return 0; }
    int EnableDatagramInfo(int) override { return 0; }
    int Bind(int fd, uint32_t address, uint16_t port) override {
        if (port == 0 && failSendBind) return -1;
        if (port != 0 && failReceiveBind) return -1;
        Socket& s = sockets[fd];
        s.address = address, s.port = port, s.bound = true;
        if (port == 0 && std::find(senders.begin(), senders.end(), address) == senders.end())
            senders.push_back(address);
        return 0;
    }
    int SendTo(int fd, const void* data, size_t length, uint32_t address, uint16_t port) override {
        Socket& s = sockets[fd];
        if (failSendFrom.count(s.address)) return -1;
        const uint8_t* p = static_cast<const uint8_t*>(data);
        sent.push_back({fd, s.address, address, port, s.broadcast, {p, p + length}});
        return static_cast<int>(length);
    }
    int WaitReadable(int fd, int) override { return sockets[fd].inbox.empty() ? 0 : 1; }
    int Receive(int fd, void* buffer, size_t capacity, platform::DatagramInfo* info) override {
        auto& inbox = sockets[fd].inbox;
        if (inbox.empty()) return -1;
        auto [d, about] = std::move(inbox.front());
        inbox.pop_front();
        if (info) *info = about;
        size_t n = std::min(capacity, d.size());
        std::copy(d.begin(), d.begin() + static_cast<long>(n), static_cast<uint8_t*>(buffer));
        return static_cast<int>(n);
    }
    void Close(int fd) override {
        closed.insert(fd);
        if (!receiveSockets().count(fd)) sockets.erase(fd);
    }

    // The listening sockets, in the order they were opened.
    std::vector<int> ReceiveSockets() const {
        std::vector<int> fds;
        for (const auto& [fd, s] : sockets)
            if (s.port != 0 && !closed.count(fd)) fds.push_back(fd);
        return fds;
    }
    // A datagram in on the address channel `channel` sends from, `ageMs` before it is read.
    void Deliver(int channel, std::vector<uint8_t> datagram, uint32_t ageMs = 0) {
        platform::DatagramInfo info{senders.at(static_cast<size_t>(channel)), ageMs};
        sockets[ReceiveSockets().at(0)].inbox.emplace_back(std::move(datagram), info);
    }

    std::map<int, Socket> sockets;
    std::vector<Sent> sent;
    std::set<int> closed;
    std::set<uint32_t> failSendFrom;
    std::vector<uint32_t> senders;  // the addresses sent from, in the order first bound
    bool failOpen = false, failSendBind = false, failReceiveBind = false;

private:
    std::set<int> receiveSockets() const {
        auto v = ReceiveSockets();
        return {v.begin(), v.end()};
    }
    int nextFd = 100;
};

}  // namespace orvanta::test
