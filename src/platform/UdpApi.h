// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few datagram-socket calls the discovery engine makes, behind one interface so that
// the engine's cycle, ageing and failure paths are tested with a scripted fake.
#include <cstddef>
#include <cstdint>

namespace orvanta::platform {

// What the system tells of a received datagram, as far as it can.
struct DatagramInfo {
    uint32_t localAddress = 0;  // the PC address it came in on (network byte order), 0 unknown
    uint32_t ageMs = 0;         // how long it had waited in the socket's queue
};

class UdpApi {
public:
    virtual ~UdpApi() = default;
    // Each returns a negative value on failure, like the system calls they stand for.
    virtual int Open() = 0;
    virtual int EnableReuseAddress(int fd) = 0;
    virtual int EnableBroadcast(int fd) = 0;
    virtual int SetReceiveBuffer(int fd, int bytes) = 0;
    // Asks for the local address and the arrival time of every datagram received on `fd`.
    virtual int EnableDatagramInfo(int fd) = 0;
    // address in network byte order, port in host order
    virtual int Bind(int fd, uint32_t address, uint16_t port) = 0;
    virtual int SendTo(int fd, const void* data, size_t length, uint32_t address,
                       uint16_t port) = 0;
    // 1 readable, 0 time-out, negative error
    virtual int WaitReadable(int fd, int timeoutMs) = 0;
    // `info` is filled as far as the socket reports it (see EnableDatagramInfo).
    virtual int Receive(int fd, void* buffer, size_t capacity, DatagramInfo* info) = 0;
    virtual void Close(int fd) = 0;
};

// The real BSD sockets.
UdpApi& SystemUdpApi();

}  // namespace orvanta::platform
