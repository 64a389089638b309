// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PC's network configuration on Linux: netlink (libnl-route) for interfaces, addresses
// and routes, sysfs for wireless adapters, resolv.conf for DNS, an AF_PACKET socket for
// ARP, and the pppd peer files for the dial-up account.
//
// Temporary addresses get a finite lifetime that a thread of this object renews while it
// lives, so that addresses of a program that crashed or was killed expire in the kernel.
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "platform/NetworkPlatform.h"

namespace orvanta::platform {

// One ARP probe: requests spread over the time-out, a reply ends the wait for its target.
// One second: a wired host answers within a millisecond and a wireless one in power save
// within a few beacon intervals; it is also the least time RFC 5227 lets pass between two
// probes, the time it gives a host to defend its address. Three requests ride over a lost
// frame. A free address costs the full second, so searches probe several at once.
struct ArpTiming {
    int timeoutMs = 1000;
    int requests = 3;
};

struct LinuxNetworkOptions {
    std::string sysfsNet = "/sys/class/net";
    std::string resolvConf = "/etc/resolv.conf";
    std::string pppPeers = "/etc/ppp/peers";
    uint32_t temporaryLifetimeSeconds = 30;  // renewed every third of it
    ArpTiming arp;
};

class LinuxNetwork final : public NetworkPlatform {
public:
    explicit LinuxNetwork(LinuxNetworkOptions options = {});
    ~LinuxNetwork() override;
    LinuxNetwork(const LinuxNetwork&) = delete;
    LinuxNetwork& operator=(const LinuxNetwork&) = delete;

    int GetInterfaces(InterfaceEntry* buffer, uint32_t* sizeBytes) override;
    int GetAdaptersInfo(AdapterEntry* buffer, uint32_t* sizeBytes) override;
    int GetPerAdapterInfo(uint32_t index, AdapterDnsEntry* buffer, uint32_t* sizeBytes) override;
    int GetAddressTable(AddressEntry* buffer, uint32_t* sizeBytes) override;
    int AddAddress(uint32_t address, uint32_t mask, uint32_t index, uint32_t* context) override;
    int DeleteAddress(uint32_t context) override;
    int ProbeArp(const uint32_t* targets, int count, uint32_t source, uint8_t* answered) override;
    int GetPhonebookUser(char* buffer, uint32_t capacity) override;
    bool RoutedThroughGateway(uint32_t address) override;
    void SleepMs(int ms) override;

private:
    struct Temporary {
        uint32_t address;
        int prefixLength;
        uint32_t index;
        bool gone;  // removed by someone else: no longer renewed, nothing to delete
    };
    void RenewLoop();
    int RenewOnce();

    LinuxNetworkOptions options_;
    std::mutex netlinkMutex_;  // orders renewals against deletes
    std::mutex mutex_;         // the table and the renewer's state
    std::condition_variable wake_;
    std::map<uint32_t, Temporary> temporary_;
    uint32_t nextContext_ = 1;
    bool stopping_ = false;
    std::thread renewer_;
};

// The parts that read files, open for tests.
// First "nameserver" line with an IPv4 address; "" when there is none.
std::string FirstNameServer(const std::string& resolvConfPath);
// The "user" of the first peer file (in name order) that has one; "" when none does.
std::string FirstPeerUser(const std::string& peersDirectory);
// Whether sysfs marks the interface as wireless.
bool IsWirelessInterface(const std::string& sysfsNet, const std::string& name);
// Prefix length of a mask in network byte order; -1 when the mask is not contiguous.
int PrefixLength(uint32_t mask);

// ARP probe on the interface that holds `source`: a request per target from `source`, with
// `timing.requests` transmissions spread over `timing.timeoutMs`. 0, or a negative errno;
// -EPERM comes with a diagnostic naming CAP_NET_RAW.
int ArpProbe(const uint32_t* targets, int count, uint32_t source, uint8_t* answered,
             const ArpTiming& timing);

// The same probe over an AF_PACKET socket that stays open from one probe to the next:
// opening and closing one costs tens of milliseconds, far more than a wired host takes to
// answer. The socket follows the source's interface; a failed probe closes it.
class ArpSocket {
public:
    ArpSocket() = default;
    ~ArpSocket();
    ArpSocket(const ArpSocket&) = delete;
    ArpSocket& operator=(const ArpSocket&) = delete;

    int Probe(const uint32_t* targets, int count, uint32_t source, uint8_t* answered,
              const ArpTiming& timing);
    void Close();

private:
    int fd_ = -1;
    int index_ = 0;
};

}  // namespace orvanta::platform
