// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one socket on the discovery port that every engine of this process listens through.
//
// Linux hands a unicast datagram to one socket only when several are bound to the same port,
// so an engine with a socket of its own (or one per PC address) would miss the replies that
// cameras send to the PC's address whenever another socket got them first. Instead the
// process opens a single receiving socket for the port while any engine is open, counted by
// the engines that joined it; whichever engine polls reads everything waiting on it and puts
// a copy into the queue of every engine that was listening when the datagram arrived. The
// per-address sockets only send.
#include <cstdint>
#include <deque>
#include <mutex>

#include "discovery/DiscoveryDatagram.h"
#include "platform/Clock.h"
#include "platform/UdpApi.h"

namespace orvanta::discovery {

struct QueuedDatagram {
    uint8_t bytes[kReplySize];
    int length = 0;             // negative: the receive failed
    uint32_t arrival = 0;       // ms tick at which the system received it
    uint32_t localAddress = 0;  // the PC address it came in on, 0 when unknown
};

// One engine's share of what the socket receives. An engine not polled for kIdleMs is idle:
// nothing that arrives meanwhile is queued for it, and once it polls again it hears only
// what arrives from then on. Another engine's Pump may fill it from another thread.
class ReplyQueue {
public:
    static constexpr uint32_t kIdleMs = 5000;
    static constexpr size_t kMaxQueued = 4096;

    // The owner polls or asks now.
    void MarkActive(uint32_t now);
    bool Hears(uint32_t arrival) const;
    void Push(const QueuedDatagram& datagram);
    // The oldest queued datagram; false when none is queued.
    bool Pop(QueuedDatagram& datagram);

private:
    mutable std::mutex mutex_;
    std::deque<QueuedDatagram> datagrams_;
    bool active_ = false;
    uint32_t listenFrom_ = 0;
    uint32_t lastActive_ = 0;
};

// An engine's membership of the shared socket: joining opens it for the first member,
// leaving closes it with the last. The queue must outlive the lease.
class ReceiverLease {
public:
    ReceiverLease(platform::UdpApi& udp, ReplyQueue& queue);
    ~ReceiverLease();
    ReceiverLease(const ReceiverLease&) = delete;
    ReceiverLease& operator=(const ReceiverLease&) = delete;

    // Reads what waits on the socket (at most kMaxPerPump datagrams, the first wait 1 ms)
    // into the queue of every member that hears it; `now`, read right after each receive,
    // places the arrivals. Returns the number read, or -1 when the socket cannot be opened.
    int Pump(const platform::TickSource& now);

    static constexpr int kMaxPerPump = 4096;

private:
    platform::UdpApi& udp_;
    ReplyQueue& queue_;
};

}  // namespace orvanta::discovery
