// SPDX-License-Identifier: GPL-3.0-or-later
// ARP requests over an AF_PACKET socket on the interface that holds the source address.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/ethernet.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/AddressText.h"
#include "platform/LinuxNetwork.h"

namespace orvanta::platform {
namespace {

constexpr int kMaxTargets = 256;
constexpr int kMaxReadsPerWake = 256;
// Frames left over from before a probe that are thrown away, at most.
constexpr int kMaxDrain = 4096;

struct ArpPacket {
    uint16_t hardwareType;
    uint16_t protocolType;
    uint8_t hardwareLength;
    uint8_t protocolLength;
    uint16_t operation;
    uint8_t senderMac[6];
    uint8_t senderIp[4];
    uint8_t targetMac[6];
    uint8_t targetIp[4];
} __attribute__((packed));
static_assert(sizeof(ArpPacket) == 28);

struct Source {
    int index = 0;
    uint8_t mac[6] = {};
};

// The interface holding `address`, with its hardware address; ARP needs an Ethernet one.
int FindSource(uint32_t address, Source& out) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return -errno;
    char name[IF_NAMESIZE + 1] = {};
    for (ifaddrs* it = list; it != nullptr; it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_INET) continue;
        if (reinterpret_cast<const sockaddr_in*>(it->ifa_addr)->sin_addr.s_addr != address)
            continue;
        std::strncpy(name, it->ifa_name, IF_NAMESIZE);
        break;
    }
    bool ethernet = false;
    for (ifaddrs* it = list; name[0] && it != nullptr; it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_PACKET) continue;
        if (std::strcmp(it->ifa_name, name) != 0) continue;
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(it->ifa_addr);
        out.index = ll->sll_ifindex;
        if (ll->sll_hatype == ARPHRD_ETHER && ll->sll_halen == 6) {
            std::memcpy(out.mac, ll->sll_addr, 6);
            ethernet = true;
        }
        break;
    }
    freeifaddrs(list);
    if (!name[0]) return -EADDRNOTAVAIL;
    return ethernet ? 0 : -EPFNOSUPPORT;
}

// Returns 0 when at least one request went out, else the error of the last send.
int SendRequests(int fd, const Source& src, uint32_t source, const uint32_t* targets,
                 const uint8_t* answered, int count) {
    int error = 0;
    bool any = false;
    sockaddr_ll to{};
    to.sll_family = AF_PACKET;
    to.sll_protocol = htons(ETH_P_ARP);
    to.sll_ifindex = src.index;
    to.sll_halen = 6;
    std::memset(to.sll_addr, 0xFF, 6);
    for (int i = 0; i < count; ++i) {
        if (answered[i]) continue;
        ArpPacket p{};
        p.hardwareType = htons(ARPHRD_ETHER);
        p.protocolType = htons(ETH_P_IP);
        p.hardwareLength = 6;
        p.protocolLength = 4;
        p.operation = htons(ARPOP_REQUEST);
        std::memcpy(p.senderMac, src.mac, 6);
        std::memcpy(p.senderIp, &source, 4);
        std::memcpy(p.targetIp, &targets[i], 4);
        // A lost request is covered by the next transmission.
        if (sendto(fd, &p, sizeof p, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
            static_cast<ssize_t>(sizeof p))
            any = true;
        else
            error = -errno;
    }
    return any || error == 0 ? 0 : error;
}

// Marks the target that a received frame shows to be in use: a reply or an announcement
// from it, or another host's probe for it at the same moment.
void TakeFrame(const ArpPacket& p, const Source& src, const uint32_t* targets, uint8_t* answered,
               int count) {
    if (ntohs(p.hardwareType) != ARPHRD_ETHER || ntohs(p.protocolType) != ETH_P_IP ||
        p.hardwareLength != 6 || p.protocolLength != 4)
        return;
    if (std::memcmp(p.senderMac, src.mac, 6) == 0) return;
    uint32_t sender, target;
    std::memcpy(&sender, p.senderIp, 4);
    std::memcpy(&target, p.targetIp, 4);
    uint16_t op = ntohs(p.operation);
    for (int i = 0; i < count; ++i) {
        if (sender == targets[i] || (op == ARPOP_REQUEST && sender == 0 && target == targets[i]))
            answered[i] = kArpAnswered;
    }
}

}  // namespace

int ArpProbe(const uint32_t* targets, int count, uint32_t source, uint8_t* answered,
             const ArpTiming& timing) {
    ArpSocket socket;
    return socket.Probe(targets, count, source, answered, timing);
}

ArpSocket::~ArpSocket() {
    Close();
}

void ArpSocket::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    index_ = 0;
}

int ArpSocket::Probe(const uint32_t* targets, int count, uint32_t source, uint8_t* answered,
                     const ArpTiming& timing) {
    if (count <= 0) return 0;
    if (count > kMaxTargets || targets == nullptr || answered == nullptr) return -EINVAL;
    std::fill(answered, answered + count, kArpNoAnswer);
    Source src;
    if (int rc = FindSource(source, src); rc != 0) {
        std::fprintf(stderr, "ARP probe from %s: %s\n", DottedAddress(source).c_str(),
                     rc == -EADDRNOTAVAIL ? "no interface holds this address"
                                          : "the interface does not use ARP");
        return rc;
    }
    if (fd_ >= 0 && index_ != src.index) Close();
    if (fd_ < 0) {
        int fd = socket(AF_PACKET, SOCK_DGRAM | SOCK_CLOEXEC, htons(ETH_P_ARP));
        if (fd < 0) {
            int rc = -errno;
            if (rc == -EPERM)
                std::fprintf(stderr, "ARP probe: operation not permitted (needs CAP_NET_RAW)\n");
            return rc;
        }
        sockaddr_ll here{};
        here.sll_family = AF_PACKET;
        here.sll_protocol = htons(ETH_P_ARP);
        here.sll_ifindex = src.index;
        if (bind(fd, reinterpret_cast<sockaddr*>(&here), sizeof here) != 0) {
            int rc = -errno;
            close(fd);
            return rc;
        }
        fd_ = fd;
        index_ = src.index;
    } else {
        // Frames that arrived since the last probe say nothing about this one.
        ArpPacket stale;
        for (int reads = 0; reads < kMaxDrain; ++reads)
            if (recv(fd_, &stale, sizeof stale, MSG_DONTWAIT) < 0) break;
    }
    const int fd = fd_;
    using Clock = std::chrono::steady_clock;
    const int requests = std::clamp(timing.requests, 1, 10);
    const int timeoutMs = std::clamp(timing.timeoutMs, 1, 60000);
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::milliseconds(timeoutMs);
    int sent = 0;
    auto allAnswered = [&] {
        return std::all_of(answered, answered + count, [](uint8_t a) { return a == kArpAnswered; });
    };
    while (!allAnswered()) {
        auto now = Clock::now();
        if (now >= deadline) break;
        auto nextSend = start + std::chrono::milliseconds(timeoutMs * sent / requests);
        if (sent < requests && now >= nextSend) {
            int rc = SendRequests(fd, src, source, targets, answered, count);
            // Silence after requests that never left (interface down) proves nothing.
            if (rc != 0 && sent == 0) {
                std::fprintf(stderr, "ARP probe: %s\n", std::strerror(-rc));
                Close();
                return rc;
            }
            ++sent;
            continue;
        }
        auto until = sent < requests ? std::min(nextSend, deadline) : deadline;
        int waitMs =
            static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count());
        pollfd p{fd, POLLIN, 0};
        int n = poll(&p, 1, std::max(waitMs, 0));
        if (n < 0 && errno != EINTR) break;
        if (n <= 0) continue;
        for (int reads = 0; reads < kMaxReadsPerWake; ++reads) {
            ArpPacket packet{};
            sockaddr_ll from{};
            socklen_t fromLength = sizeof from;
            ssize_t got = recvfrom(fd, &packet, sizeof packet, MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (got < 0) break;
            if (got < static_cast<ssize_t>(sizeof packet) || from.sll_pkttype == PACKET_OUTGOING ||
                from.sll_ifindex != src.index)
                continue;
            TakeFrame(packet, src, targets, answered, count);
        }
    }
    return 0;
}

}  // namespace orvanta::platform
