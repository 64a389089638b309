#pragma once
// The few datagram-socket calls the discovery engine makes, behind one interface so that
// the engine's cycle, ageing and failure paths are tested with a scripted fake.
#include <cstddef>
#include <cstdint>

namespace orvanta::platform {

class UdpApi {
public:
    virtual ~UdpApi() = default;
    // Each returns a negative value on failure, like the system calls they stand for.
    virtual int Open() = 0;
    virtual int EnableReuseAddress(int fd) = 0;
    virtual int EnableBroadcast(int fd) = 0;
    virtual int SetReceiveBuffer(int fd, int bytes) = 0;
    // address in network byte order, port in host order
    virtual int Bind(int fd, uint32_t address, uint16_t port) = 0;
    virtual int SendTo(int fd, const void* data, size_t length, uint32_t address,
                       uint16_t port) = 0;
    // 1 readable, 0 time-out, negative error
    virtual int WaitReadable(int fd, int timeoutMs) = 0;
    virtual int Receive(int fd, void* buffer, size_t capacity) = 0;
    virtual void Close(int fd) = 0;
};

// The real BSD sockets.
UdpApi& SystemUdpApi();

}  // namespace orvanta::platform
