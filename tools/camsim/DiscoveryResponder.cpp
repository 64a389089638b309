// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscoveryResponder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace camsim {
namespace {

constexpr uint32_t kRequestMagic = 0x00F6D9A4;
constexpr uint32_t kTypeRequest = 1;
constexpr uint32_t kTypeReply = 2;
constexpr size_t kFullReply = 284;
constexpr size_t kTextAreaOffset = 24;
constexpr size_t kTextAreaBytes = 256;
// Our own broadcast replies come back to the listening socket, one per camera and request:
// the queue must hold a burst of them and still take the next request.
constexpr int kReceiveBufferBytes = 4 << 20;
// What one readable event takes at most, so that a flood cannot starve the HTTP side.
constexpr int kMaxDatagramsPerEvent = 1024;

void Put32(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value >> 24);
    at[1] = static_cast<uint8_t>(value >> 16);
    at[2] = static_cast<uint8_t>(value >> 8);
    at[3] = static_cast<uint8_t>(value);
}

uint32_t Get32(const uint8_t* at) {
    return (uint32_t{at[0]} << 24) | (uint32_t{at[1]} << 16) | (uint32_t{at[2]} << 8) | at[3];
}

bool Fail(std::string& error, const std::string& what) {
    error = what + ": " + std::strerror(errno);
    return false;
}

}  // namespace

std::vector<uint8_t> EncodeDiscoveryReply(const SimCamera& camera) {
    std::vector<uint8_t> reply(kFullReply, 0);
    Put32(&reply[0], camera.magic);
    Put32(&reply[4], kTypeReply);
    std::memcpy(&reply[8], camera.mac, 6);
    std::memcpy(&reply[16], &camera.ip, 4);  // already in network order
    Put32(&reply[20], static_cast<uint32_t>(camera.httpPort));
    // Three NUL-terminated texts back to back; whatever does not fit the area is cut.
    size_t at = kTextAreaOffset;
    const size_t end = kTextAreaOffset + kTextAreaBytes;
    for (const std::string* text : {&camera.description, &camera.serial, &camera.interfaceName}) {
        for (char c : *text) {
            if (at >= end) break;
            reply[at++] = static_cast<uint8_t>(c);
        }
        if (at < end) reply[at++] = 0;
    }
    Put32(&reply[280], static_cast<uint32_t>(camera.streamPort));
    reply.resize(static_cast<size_t>(camera.replySize), 0);
    return reply;
}

DiscoveryResponder::DiscoveryResponder(EventLoop& loop, std::vector<SimCamera>& cameras,
                                       bool verbose)
    : loop_(loop), cameras_(cameras), verbose_(verbose) {}

DiscoveryResponder::~DiscoveryResponder() {
    if (receiveFd_ >= 0) {
        loop_.Unwatch(receiveFd_);
        close(receiveFd_);
    }
    for (int fd : sendFds_)
        if (fd >= 0) close(fd);
}

bool DiscoveryResponder::Start(std::string& error) {
    int one = 1;
    receiveFd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (receiveFd_ < 0) return Fail(error, "socket");
    // Several simulators in one namespace all hear the broadcast request.
    setsockopt(receiveFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(kDiscoveryPort);
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(receiveFd_, reinterpret_cast<sockaddr*>(&any), sizeof any) < 0)
        return Fail(error, "bind UDP 49160");
    // Best effort; past net.core.rmem_max only with CAP_NET_ADMIN, as in a lab.
    int bytes = kReceiveBufferBytes;
    if (setsockopt(receiveFd_, SOL_SOCKET, SO_RCVBUFFORCE, &bytes, sizeof bytes) != 0)
        setsockopt(receiveFd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);

    for (const SimCamera& camera : cameras_) {
        int fd = IsCamera(camera) ? OpenSendSocket(camera.ip, error) : -1;
        if (IsCamera(camera) && fd < 0) return false;
        sendFds_.push_back(fd);
    }
    loop_.Watch(receiveFd_, [this] { OnReadable(); });
    return true;
}

int DiscoveryResponder::OpenSendSocket(uint32_t address, std::string& error) {
    int one = 1;
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Fail(error, "socket");
        return -1;
    }
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    // Bound to the camera's address: the limited broadcast then leaves through the
    // interface that holds it, with no route needed.
    sockaddr_in own{};
    own.sin_family = AF_INET;
    own.sin_addr.s_addr = address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&own), sizeof own) < 0) {
        Fail(error, "bind " + FormatIp(address));
        close(fd);
        return -1;
    }
    return fd;
}

bool DiscoveryResponder::Rebind(size_t camera, std::string& error) {
    int fd = OpenSendSocket(cameras_[camera].ip, error);
    if (fd < 0) return false;
    if (sendFds_[camera] >= 0) close(sendFds_[camera]);
    sendFds_[camera] = fd;
    return true;
}

void DiscoveryResponder::OnReadable() {
    // Everything queued is taken now: read one at a time, the replies that every answer
    // brings back here would keep the queue full and push out the next request.
    uint8_t datagram[512];
    for (int i = 0; i < kMaxDatagramsPerEvent; ++i) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        ssize_t n = recvfrom(receiveFd_, datagram, sizeof datagram, MSG_DONTWAIT,
                             reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return;  // drained (EAGAIN), or a failure the next event meets again
        // Our own replies and other cameras' replies come back here too: answer requests only.
        if (n < 8 || Get32(datagram) != kRequestMagic || Get32(datagram + 4) != kTypeRequest)
            continue;
        Answer(from.sin_addr.s_addr);
    }
}

void DiscoveryResponder::Answer(uint32_t asker) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kDiscoveryPort);
    for (size_t i = 0; i < cameras_.size(); ++i) {
        if (!cameras_[i].online || sendFds_[i] < 0) continue;  // restarting, or no camera
        to.sin_addr.s_addr = cameras_[i].replyToSender ? asker : htonl(INADDR_BROADCAST);
        std::vector<uint8_t> reply = EncodeDiscoveryReply(cameras_[i]);
        if (sendto(sendFds_[i], reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&to),
                   sizeof to) < 0 &&
            verbose_)
            std::fprintf(stderr, "camsim: reply from %s failed: %s\n",
                         FormatIp(cameras_[i].ip).c_str(), std::strerror(errno));
    }
    ++answered_;
    if (verbose_)
        std::fprintf(stderr, "camsim: answered request %llu\n",
                     static_cast<unsigned long long>(answered_));
}

}  // namespace camsim
