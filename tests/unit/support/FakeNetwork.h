// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scripted PC network: interfaces, adapters, an address table that adds and deletes
// change, and hosts that answer ARP. Records every call for the tests to check.
#include <arpa/inet.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/AddressText.h"
#include "platform/NetworkPlatform.h"

namespace orvanta::testing {

inline uint32_t Ip(const char* text) {
    return platform::ParseDottedAddressOr(text, 0);
}

inline std::string Text(uint32_t address) {
    return platform::DottedAddress(address);
}

class FakeNetwork final : public platform::NetworkPlatform {
public:
    std::vector<platform::InterfaceEntry> interfaces;
    std::vector<platform::AdapterEntry> adapters;
    std::string dns;
    std::vector<platform::AddressEntry> table;
    std::string phonebookUser;
    std::string routeTable;  // as /proc/net/route gives it

    // Each call of a table query first claims the buffer is too small while these last,
    // asking for the size of the real table plus the given extra bytes.
    std::vector<uint32_t> interfaceGrowth;
    int interfaceError = 0;  // returned instead of the list when non-zero
    int adaptersError = 0;
    int tableError = 0;
    int tableTooSmallTimes = 0;  // per call, the first ones answer "too small"

    // Hosts that answer ARP; "shy" ones answer only requests from their own /24.
    std::set<uint32_t> hosts;
    std::set<uint32_t> shyHosts;
    int probeError = 0;

    // Which add calls fail (1-based).
    std::set<int> failingAdds;

    // Recorded.
    std::vector<std::string> log;
    int interfaceCalls = 0, adapterCalls = 0, dnsCalls = 0, tableCalls = 0;
    int probesSent = 0, probeCalls = 0, addCalls = 0;
    std::vector<uint32_t> probeSources;
    std::vector<int> sleeps;

    int GetInterfaces(platform::InterfaceEntry* buffer, uint32_t* size) override {
        ++interfaceCalls;
        if (interfaceError) return interfaceError;
        if (interfaces.empty()) return platform::kNetNoData;
        uint32_t needed = static_cast<uint32_t>(interfaces.size() * sizeof interfaces[0]);
        if (!interfaceGrowth.empty()) {
            *size = needed + interfaceGrowth.front();
            interfaceGrowth.erase(interfaceGrowth.begin());
            return platform::kNetBufferOverflow;
        }
        return Deliver(interfaces, buffer, size, platform::kNetBufferOverflow);
    }
    int GetAdaptersInfo(platform::AdapterEntry* buffer, uint32_t* size) override {
        ++adapterCalls;
        if (adaptersError) return adaptersError;
        return Deliver(adapters, buffer, size, platform::kNetBufferOverflow);
    }
    int GetPerAdapterInfo(uint32_t, platform::AdapterDnsEntry* buffer, uint32_t* size) override {
        ++dnsCalls;
        platform::AdapterDnsEntry e{};
        std::strncpy(e.dns, dns.c_str(), sizeof e.dns - 1);
        return Deliver(std::vector<platform::AdapterDnsEntry>{e}, buffer, size,
                       platform::kNetBufferOverflow);
    }
    int GetAddressTable(platform::AddressEntry* buffer, uint32_t* size) override {
        ++tableCalls;
        if (tableError) return tableError;
        if (tableTooSmallTimes > 0) {
            --tableTooSmallTimes;
            *size = static_cast<uint32_t>((table.size() + 1) * sizeof table[0]);
            return platform::kNetInsufficientBuffer;
        }
        return Deliver(table, buffer, size, platform::kNetInsufficientBuffer);
    }
    int AddAddress(uint32_t address, uint32_t mask, uint32_t index, uint32_t* context) override {
        ++addCalls;
        log.push_back("add " + Text(address) + " " + Text(mask) + " if" + std::to_string(index));
        if (failingAdds.count(addCalls)) return -1;
        table.push_back({address, mask, index});
        *context = 100 + addCalls;
        contexts_.push_back({*context, address});
        return 0;
    }
    int DeleteAddress(uint32_t context) override {
        for (auto it = contexts_.begin(); it != contexts_.end(); ++it) {
            if (it->first != context) continue;
            log.push_back("delete " + Text(it->second));
            std::erase_if(table,
                          [&](const platform::AddressEntry& e) { return e.address == it->second; });
            contexts_.erase(it);
            return 0;
        }
        log.push_back("delete unknown");
        return -1;
    }
    int ProbeArp(const uint32_t* targets, int count, uint32_t source, uint8_t* answered) override {
        ++probeCalls;
        if (probeError) return probeError;
        for (int i = 0; i < count; ++i) {
            ++probesSent;
            probeSources.push_back(source);
            bool shy = shyHosts.count(targets[i]) &&
                       ((ntohl(targets[i]) ^ ntohl(source)) & 0xFFFFFF00u) == 0;
            answered[i] =
                (hosts.count(targets[i]) || shy) ? platform::kArpAnswered : platform::kArpNoAnswer;
        }
        return 0;
    }
    int GetPhonebookUser(char* buffer, uint32_t capacity) override {
        if (phonebookUser.empty()) return -1;
        std::strncpy(buffer, phonebookUser.c_str(), capacity - 1);
        buffer[capacity - 1] = '\0';
        return 0;
    }
    bool RoutedThroughGateway(uint32_t address) override {
        return platform::RouteTableHasGatewayTo(routeTable, address);
    }
    void SleepMs(int ms) override {
        sleeps.push_back(ms);
        log.push_back("sleep " + std::to_string(ms));
    }

    void AddAdapter(uint32_t index, const char* address, const char* mask, const char* gateway,
                    bool dhcp, const char* server) {
        platform::AdapterEntry e{};
        e.index = index;
        e.dhcpEnabled = dhcp;
        std::strncpy(e.address, address, 15);
        std::strncpy(e.mask, mask, 15);
        std::strncpy(e.gateway, gateway, 15);
        std::strncpy(e.dhcpServer, server, 15);
        adapters.push_back(e);
    }

private:
    template <typename Entry>
    static int Deliver(const std::vector<Entry>& entries, Entry* buffer, uint32_t* size,
                       int tooSmall) {
        uint32_t needed = static_cast<uint32_t>(entries.size() * sizeof(Entry));
        if (*size < needed) {
            *size = needed;
            return tooSmall;
        }
        std::copy(entries.begin(), entries.end(), buffer);
        *size = needed;
        return 0;
    }
    std::vector<std::pair<uint32_t, uint32_t>> contexts_;
};

}  // namespace orvanta::testing
