// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PC's own network configuration: the interface list, the adapters' addresses, the
// address table, adding and deleting addresses, and ARP probes. One interface for all of
// it, so that the local-network logic runs against a scripted fake in tests.
//
// The queries that return tables follow one buffer protocol: the caller passes a buffer
// and its size in bytes; when the table does not fit, the call returns a "too small" code
// and stores the size it needs, and the caller asks again with a larger buffer.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta::platform {

// Result codes. System failures are negative errno values.
constexpr int kNetOk = 0;
constexpr int kNetBufferOverflow = 111;      // interface or adapter table: buffer too small
constexpr int kNetInsufficientBuffer = 122;  // address table: buffer too small
constexpr int kNetNoData = 232;              // no interface at all

// Interface types and the operational state that counts as up.
constexpr uint32_t kIfTypeOther = 1;
constexpr uint32_t kIfTypeEthernet = 6;
constexpr uint32_t kIfTypePpp = 23;
constexpr uint32_t kIfTypeLoopback = 24;
constexpr uint32_t kIfTypeWireless = 71;
constexpr uint32_t kOperStatusUp = 1;
constexpr uint32_t kOperStatusDown = 2;

struct InterfaceEntry {
    uint32_t index;
    uint32_t type;
    uint32_t operStatus;
};

// Dotted texts of at most 15 characters.
struct AdapterEntry {
    uint32_t index;
    uint8_t dhcpEnabled;
    char address[16];  // first IPv4 address, "0.0.0.0" when there is none
    char mask[16];
    char gateway[16];  // first default gateway, "0.0.0.0" when there is none
    char dhcpServer[16];
};

struct AdapterDnsEntry {
    char dns[16];  // first DNS server, "" when there is none
};

struct AddressEntry {
    uint32_t address;  // network byte order
    uint32_t mask;     // network byte order
    uint32_t index;
};

// One ARP probe result per target.
constexpr uint8_t kArpNoAnswer = 0;
constexpr uint8_t kArpAnswered = 1;

class NetworkPlatform {
public:
    virtual ~NetworkPlatform() = default;

    // Every interface with its index, type and state, in the platform's order.
    // kNetBufferOverflow with *sizeBytes set when the buffer is too small; kNetNoData when
    // there is no interface.
    virtual int GetInterfaces(InterfaceEntry* buffer, uint32_t* sizeBytes) = 0;
    // Every adapter with its first address, mask, gateway and DHCP state.
    virtual int GetAdaptersInfo(AdapterEntry* buffer, uint32_t* sizeBytes) = 0;
    // The adapter's DNS servers (the first one only).
    virtual int GetPerAdapterInfo(uint32_t index, AdapterDnsEntry* buffer, uint32_t* sizeBytes) = 0;
    // Every IPv4 address of the PC; kNetInsufficientBuffer when the buffer is too small.
    virtual int GetAddressTable(AddressEntry* buffer, uint32_t* sizeBytes) = 0;

    // Adds an address that stays while this program runs; *context names it for Delete.
    virtual int AddAddress(uint32_t address, uint32_t mask, uint32_t index, uint32_t* context) = 0;
    virtual int DeleteAddress(uint32_t context) = 0;

    // Sends ARP requests for `count` targets at once from `source` (network byte order) on the
    // interface that holds it and waits for the replies; answered[i] is kArpAnswered or
    // kArpNoAnswer. Returns 0, or a negative code when the requests could not be sent (no
    // answer is then known).
    virtual int ProbeArp(const uint32_t* targets, int count, uint32_t source,
                         uint8_t* answered) = 0;

    // The user name of the first dial-up account the PC keeps; 0 and the name (cut to
    // capacity - 1) when there is one, non-zero when there is none.
    virtual int GetPhonebookUser(char* buffer, uint32_t capacity) = 0;

    // True when a route of the PC's own, other than the default one, leads to `address`
    // (network byte order) through a gateway: a camera behind a router that the PC was told
    // about. Reading routes needs no privilege.
    virtual bool RoutedThroughGateway(uint32_t /*address*/) { return false; }

    // Blocks the caller; a seam so tests do not wait.
    virtual void SleepMs(int ms) = 0;
};

// Whether the kernel's route table text (/proc/net/route: one route per line, destination,
// gateway and mask in hexadecimal as the kernel holds them) has a route with a gateway and a
// mask other than 0 whose network holds `address`.
bool RouteTableHasGatewayTo(std::string_view table, uint32_t address);

// A text for a result code of this interface, for diagnostics.
std::string NetworkErrorText(int code);

}  // namespace orvanta::platform
