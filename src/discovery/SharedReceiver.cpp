// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/SharedReceiver.h"

#include <arpa/inet.h>

#include <map>
#include <mutex>
#include <vector>

#include "discovery/DiscoveryLog.h"

namespace orvanta::discovery {
namespace {

// A large network answers a request with a burst; the queue holds it until the next Query.
constexpr int kReceiveBufferBytes = 4 << 20;

// Ticks wrap: compared by their signed distance.
int32_t Since(uint32_t tick, uint32_t start) {
    return static_cast<int32_t>(tick - start);
}

struct Receiver {
    int fd = -1;
    std::vector<ReplyQueue*> members;
};

// One receiver per socket layer: the real one in the program, a fake one per test.
std::mutex g_mutex;
std::map<platform::UdpApi*, Receiver> g_receivers;

int OpenReceiveSocket(platform::UdpApi& udp) {
    int fd = udp.Open();
    if (fd < 0) return -1;
    // Address reuse lets other programs bind the port too; they hear the broadcasts.
    if (udp.EnableReuseAddress(fd) < 0 || udp.Bind(fd, htonl(INADDR_ANY), DISCOVERY_PORT) < 0 ||
        udp.EnableBroadcast(fd) < 0) {
        udp.Close(fd);
        return -1;
    }
    udp.SetReceiveBuffer(fd, kReceiveBufferBytes);  // best effort
    udp.EnableDatagramInfo(fd);  // without it, datagrams count as arrived when read
    return fd;
}

}  // namespace

void ReplyQueue::MarkActive(uint32_t now) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!active_ || now - lastActive_ > kIdleMs) {
        listenFrom_ = now;
        datagrams_.clear();
    }
    active_ = true;
    lastActive_ = now;
}

bool ReplyQueue::Hears(uint32_t arrival) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return active_ && Since(arrival, listenFrom_) >= 0 &&
           Since(arrival, lastActive_) <= static_cast<int32_t>(kIdleMs);
}

void ReplyQueue::Push(const QueuedDatagram& datagram) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (datagrams_.size() < kMaxQueued) datagrams_.push_back(datagram);
}

bool ReplyQueue::Pop(QueuedDatagram& datagram) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (datagrams_.empty()) return false;
    datagram = datagrams_.front();
    datagrams_.pop_front();
    return true;
}

ReceiverLease::ReceiverLease(platform::UdpApi& udp, ReplyQueue& queue) : udp_(udp), queue_(queue) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Receiver& receiver = g_receivers[&udp_];
    receiver.members.push_back(&queue_);
    if (receiver.fd < 0) receiver.fd = OpenReceiveSocket(udp_);
}

ReceiverLease::~ReceiverLease() {
    std::lock_guard<std::mutex> lock(g_mutex);
    Receiver& receiver = g_receivers[&udp_];
    std::erase(receiver.members, &queue_);
    if (!receiver.members.empty()) return;
    udp_.Close(receiver.fd);
    g_receivers.erase(&udp_);
}

int ReceiverLease::Pump(const platform::TickSource& now) {
    std::lock_guard<std::mutex> lock(g_mutex);
    Receiver& receiver = g_receivers[&udp_];
    if (receiver.fd < 0) receiver.fd = OpenReceiveSocket(udp_);  // the port may be free now
    if (receiver.fd < 0) return -1;
    int read = 0;
    QueuedDatagram datagram;
    for (; read < kMaxPerPump; ++read) {
        if (udp_.WaitReadable(receiver.fd, read == 0 ? 1 : 0) <= 0) break;
        platform::DatagramInfo info;
        datagram.length = udp_.Receive(receiver.fd, datagram.bytes, sizeof datagram.bytes, &info);
        DiscoveryLog("recvfrom function return length = %d\n", datagram.length);
        datagram.arrival = now() - info.ageMs;
        datagram.localAddress = info.localAddress;
        for (ReplyQueue* member : receiver.members)
            if (member->Hears(datagram.arrival)) member->Push(datagram);
    }
    return read;
}

}  // namespace orvanta::discovery
