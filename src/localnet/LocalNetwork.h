// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PC's own network: which adapter is active and its addresses, free addresses found by
// ARP, and temporary addresses that make a camera's subnet reachable.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "camera/record/CameraSettings.h"
#include "platform/NetworkPlatform.h"

namespace orvanta::localnet {

// First buffer sizes of the table queries, in bytes.
constexpr uint32_t kInterfaceListBytes = 15000;
constexpr uint32_t kAdapterInfoBytes = 648;
constexpr uint32_t kPerAdapterInfoBytes = 52;
constexpr int kInterfaceListAttempts = 3;
// A table size beyond this is not believed.
constexpr uint32_t kMaxTableBytes = 1u << 20;

// Probe budget of one free-address search, and how many candidates are probed at once.
constexpr int kMaxProbes = 256;
constexpr int kProbeBatch = 8;
constexpr uint8_t kFirstCandidateByte = 253;
constexpr int kSettleMs = 5000;

// The temporary addresses this program added and still holds (the platform's handles).
struct TemporaryAddresses {
    std::vector<uint32_t> handles;
    std::vector<uint32_t> addresses;  // the address behind each handle (network byte order)
    size_t Count() const { return handles.size(); }
};

enum class ProbeResult { Free, InUse, Failed };

// Fills pcInterfaceIndex, pcHasDialUp, pcHasLan and pcHasWireless from the interface list.
// The last wired or wireless interface that is up becomes the active one. Other failures
// than "no interface" print "\tError: ..." on stdout.
void ScanAdapters(camera::CameraSettings& settings, platform::NetworkPlatform& net);

// Fills pcAddressText, pcNetmaskText, pcGatewayText, pcDnsText and pcUsesDhcp for the
// adapter pcInterfaceIndex. Failed queries leave the fields as they were.
void ReadAdapterAddresses(camera::CameraSettings& settings, platform::NetworkPlatform& net);

// The start-up survey: clears pcHasDialUp and pcHasLan, scans the adapters, reads the
// active one's addresses and, with a dial-up link up, the phone book's user name.
void SurveyPcNetwork(camera::CameraSettings& settings, platform::NetworkPlatform& net);

// Whether a host claims `target`, asked by ARP from `source` (network byte order). An
// address the PC holds itself is in use. Failed when no request could be sent; `error` then
// gets the platform's code (-EPERM without CAP_NET_RAW, -EADDRNOTAVAIL for a source that no
// interface holds, ...).
ProbeResult ProbeAddress(platform::NetworkPlatform& net, uint32_t target, uint32_t source,
                         int* error = nullptr);

// The first address at or below `start` in its last byte (255 follows 0) that no host
// claims. False after 256 probes without one, or when probing is impossible.
bool FindFreeAddress(platform::NetworkPlatform& net, uint32_t start, uint32_t source,
                     uint32_t* found);

// Up to `count` free addresses counting down from host byte 253 of `start`, highest first;
// fewer when 256 probes do not find them all or probing fails.
std::vector<uint32_t> FindFreeAddresses(platform::NetworkPlatform& net, uint32_t start,
                                        uint32_t source, int count);

enum class SubnetResult {
    AlreadyReachable,  // the PC has an address in the camera's /24, or a route there
    Added,             // a temporary address was added and is kept
    NotAHostAddress,   // the camera address cannot be a host (0.x, 127.x, multicast ...)
    TableFailed,       // the PC's address table could not be read
    NoFreeAddress,     // no free address within the probe budget, or probing failed
    FirstAddFailed,    // "error" was shown
    SecondAddFailed,   // the PC is left without a temporary address
};

using MessageSink = std::function<void(const char* text)>;

// Makes the /24 of cameraAddress reachable by a temporary address on pcInterfaceIndex,
// chosen free by ARP from pcAddressText and checked again from the temporary address.
SubnetResult EnsureCameraSubnet(const camera::CameraSettings& settings,
                                platform::NetworkPlatform& net, TemporaryAddresses& temporary,
                                const MessageSink& message);

// Deletes every temporary address and forgets them.
void RemoveTemporaryAddresses(platform::NetworkPlatform& net, TemporaryAddresses& temporary);

// The mask a temporary address gets for a camera at `cameraAddress` (network byte order):
// /16 for 128-191, /24 for 192-223, else a host mask.
uint32_t TemporaryMask(uint32_t cameraAddress);

// The PC's address table; false when it cannot be read.
bool ReadAddressTable(platform::NetworkPlatform& net, std::vector<platform::AddressEntry>& out);

}  // namespace orvanta::localnet
