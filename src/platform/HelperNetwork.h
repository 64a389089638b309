// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PC's network for a process without CAP_NET_ADMIN and CAP_NET_RAW: temporary addresses
// and ARP probes go to orvanta2-nethelper, a small program that holds those two capabilities
// and nothing else; every query (interfaces, addresses, DNS, phone book) stays in-process.
//
// The helper is started on the first request that needs it and stops, removing its
// addresses, when this object goes (or the process dies: its end of the socket closes).
#include <sys/types.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "platform/LinuxNetwork.h"
#include "platform/NetworkPlatform.h"

namespace orvanta::platform {

struct HelperNetworkOptions {
    std::string helperPath;                  // "" finds it: next to this program, else installed
    uint32_t temporaryLifetimeSeconds = 30;  // passed to the helper, which allows 3..30
    LinuxNetworkOptions local;               // the in-process queries
};

// Where the helper is looked for: next to the running program, then the installed one.
std::string FindNetHelper();

class HelperNetwork final : public NetworkPlatform {
public:
    explicit HelperNetwork(HelperNetworkOptions options = {});
    ~HelperNetwork() override;
    HelperNetwork(const HelperNetwork&) = delete;
    HelperNetwork& operator=(const HelperNetwork&) = delete;

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

    // The running helper's process id, 0 when none runs.
    pid_t HelperPid() const;

private:
    struct Held {
        uint32_t generation;  // which helper run added it
        uint32_t handle;      // that helper's name for it
    };
    int Start();  // 0, or a negative errno after a diagnostic on stderr
    void Stop();
    // Sends one request line and reads its reply line into `reply` (no newline).
    int Exchange(const std::string& request, std::string& reply, int timeoutMs);
    int Request(const std::string& request, std::string& reply, int timeoutMs);

    HelperNetworkOptions options_;
    LinuxNetwork local_;
    mutable std::mutex mutex_;
    int fd_ = -1;
    pid_t pid_ = 0;
    uint32_t generation_ = 0;
    int startError_ = 0;  // a helper that cannot work is not started again and again
    std::string path_;
    std::map<uint32_t, Held> held_;
    uint32_t nextContext_ = 1;
};

}  // namespace orvanta::platform
