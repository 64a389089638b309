// SPDX-License-Identifier: GPL-3.0-or-later
#include "localnet/LocalNetwork.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/AddressText.h"

namespace orvanta::localnet {
namespace {

using platform::AdapterDnsEntry;
using platform::AdapterEntry;
using platform::AddressEntry;
using platform::InterfaceEntry;
using platform::NetworkPlatform;

// The text, read no further than its own array and cut to the field's size less its NUL;
// the rest of the field zero.
template <size_t N, size_t M>
void CopyText(char (&field)[N], const char (&text)[M]) {
    std::memset(field, 0, N);
    std::memcpy(field, text, strnlen(text, std::min(N - 1, M)));
}

// A table query under the buffer protocol: `attempts` calls at most, each with the size
// the previous one asked for. The records are value-initialised so that a platform that
// writes fewer than it claims leaves zeros, not garbage.
template <typename Entry, typename Query>
int QueryTable(uint32_t firstBytes, int attempts, int tooSmall, std::vector<Entry>& out,
               Query query) {
    uint32_t bytes = firstBytes;
    int rc = -1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (bytes > kMaxTableBytes) return -EOVERFLOW;
        size_t capacity = std::max<size_t>(1, (bytes + sizeof(Entry) - 1) / sizeof(Entry));
        out.assign(capacity, Entry{});
        uint32_t size = static_cast<uint32_t>(capacity * sizeof(Entry));
        rc = query(out.data(), &size);
        if (rc == 0) {
            out.resize(std::min<size_t>(capacity, size / sizeof(Entry)));
            return 0;
        }
        if (rc != tooSmall) break;
        bytes = size;
    }
    out.clear();
    return rc;
}

uint32_t WithLastByte(uint32_t address, uint32_t byte) {
    return htonl((ntohl(address) & 0xFFFFFF00u) | (byte & 0xFFu));
}

bool SameSlash24(uint32_t a, uint32_t b) {
    return ((ntohl(a) ^ ntohl(b)) & 0xFFFFFF00u) == 0;
}

// Collects up to `count` free addresses walking down from `start` in its last byte. The
// candidates are probed kProbeBatch at a time and the answers read in candidate order, so
// the result is the one a probe-by-probe walk gives while the network stays the same, but a
// run of free addresses costs one probe time-out instead of one each.
int CollectFree(NetworkPlatform& net, uint32_t start, uint32_t source, int count,
                std::vector<uint32_t>& found) {
    found.clear();
    if (count <= 0) return 0;
    std::vector<AddressEntry> own;
    if (!ReadAddressTable(net, own)) return -1;
    auto held = [&own](uint32_t address) {
        return std::any_of(own.begin(), own.end(),
                           [address](const AddressEntry& e) { return e.address == address; });
    };
    const uint32_t firstByte = ntohl(start) & 0xFFu;
    int probes = 0;
    while (static_cast<int>(found.size()) < count && probes < kMaxProbes) {
        int batch = std::min(kProbeBatch, kMaxProbes - probes);
        uint32_t candidates[kProbeBatch];
        uint8_t inUse[kProbeBatch] = {};
        uint32_t targets[kProbeBatch];
        int slot[kProbeBatch];
        int sending = 0;
        for (int i = 0; i < batch; ++i) {
            candidates[i] = WithLastByte(start, firstByte - static_cast<uint32_t>(probes + i));
            if (held(candidates[i])) {
                inUse[i] = 1;
            } else {
                slot[sending] = i;
                targets[sending++] = candidates[i];
            }
        }
        if (sending > 0) {
            uint8_t answered[kProbeBatch] = {};
            int rc = net.ProbeArp(targets, sending, source, answered);
            if (rc != 0) return rc < 0 ? rc : -rc;
            for (int k = 0; k < sending; ++k)
                if (answered[k] == platform::kArpAnswered) inUse[slot[k]] = 1;
        }
        for (int i = 0; i < batch && static_cast<int>(found.size()) < count; ++i) {
            ++probes;
            if (!inUse[i]) found.push_back(candidates[i]);
        }
    }
    return 0;
}

}  // namespace

uint32_t TemporaryMask(uint32_t cameraAddress) {
    uint32_t mask = 0xFFFFFFFFu;
    platform::ClassMaskFor(cameraAddress, &mask);
    return mask;
}

bool ReadAddressTable(NetworkPlatform& net, std::vector<AddressEntry>& out) {
    // Room for one entry first, then the size the platform asks for.
    int rc = QueryTable<AddressEntry>(
        sizeof(AddressEntry), 2, platform::kNetInsufficientBuffer, out,
        [&net](AddressEntry* buffer, uint32_t* size) { return net.GetAddressTable(buffer, size); });
    return rc == 0;
}

void ScanAdapters(camera::CameraSettings& settings, NetworkPlatform& net) {
    std::vector<InterfaceEntry> list;
    int rc = QueryTable<InterfaceEntry>(
        kInterfaceListBytes, kInterfaceListAttempts, platform::kNetBufferOverflow, list,
        [&net](InterfaceEntry* buffer, uint32_t* size) { return net.GetInterfaces(buffer, size); });
    if (rc != 0) {
        if (rc != platform::kNetNoData)
            std::printf("\tError: %s\n", platform::NetworkErrorText(rc).c_str());
        return;
    }
    for (const InterfaceEntry& e : list) {
        if (e.operStatus != platform::kOperStatusUp) continue;
        switch (e.type) {
            case platform::kIfTypeEthernet:
                settings.pcInterfaceIndex = e.index;
                settings.pcHasLan = 1;
                break;
            case platform::kIfTypePpp:
                settings.pcHasDialUp = 1;
                break;
            case platform::kIfTypeWireless:
                settings.pcInterfaceIndex = e.index;
                settings.pcHasWireless = 1;
                settings.pcHasLan = 1;
                break;
            default:
                break;
        }
    }
}

void ReadAdapterAddresses(camera::CameraSettings& settings, NetworkPlatform& net) {
    std::vector<AdapterEntry> adapters;
    int rc = QueryTable<AdapterEntry>(
        kAdapterInfoBytes, 2, platform::kNetBufferOverflow, adapters,
        [&net](AdapterEntry* buffer, uint32_t* size) { return net.GetAdaptersInfo(buffer, size); });
    if (rc == 0) {
        for (AdapterEntry& a : adapters) {
            if (a.index != settings.pcInterfaceIndex) continue;
            // The platform's texts are bounded by their records, not trusted to end.
            a.address[sizeof a.address - 1] = a.mask[sizeof a.mask - 1] = '\0';
            a.gateway[sizeof a.gateway - 1] = a.dhcpServer[sizeof a.dhcpServer - 1] = '\0';
            CopyText(settings.pcGatewayText, a.gateway);
            CopyText(settings.pcNetmaskText, a.mask);
            CopyText(settings.pcAddressText, a.address);
            settings.pcAddress = platform::ParseDottedAddressOr(a.address, 0);
            settings.pcUsesDhcp =
                (a.dhcpEnabled && std::strcmp(a.dhcpServer, "0.0.0.0") != 0) ? 1 : 0;
            break;
        }
    }
    const uint32_t index = settings.pcInterfaceIndex;
    std::vector<AdapterDnsEntry> dns;
    rc = QueryTable<AdapterDnsEntry>(kPerAdapterInfoBytes, 2, platform::kNetBufferOverflow, dns,
                                     [&net, index](AdapterDnsEntry* buffer, uint32_t* size) {
                                         return net.GetPerAdapterInfo(index, buffer, size);
                                     });
    if (rc == 0 && !dns.empty()) {
        dns[0].dns[sizeof dns[0].dns - 1] = '\0';
        CopyText(settings.pcDnsText, dns[0].dns);
    }
}

void SurveyPcNetwork(camera::CameraSettings& settings, NetworkPlatform& net) {
    settings.pcHasDialUp = 0;
    settings.pcHasLan = 0;
    ScanAdapters(settings, net);
    ReadAdapterAddresses(settings, net);
    if (settings.pcHasDialUp == 1) {
        char user[sizeof settings.PhonebookUser] = {};
        if (net.GetPhonebookUser(user, sizeof user) == 0) {
            user[sizeof user - 1] = '\0';
            CopyText(settings.PhonebookUser, user);
        }
    }
}

ProbeResult ProbeAddress(NetworkPlatform& net, uint32_t target, uint32_t source, int* error) {
    std::vector<AddressEntry> own;
    if (!ReadAddressTable(net, own)) {
        if (error) *error = -EIO;
        return ProbeResult::Failed;
    }
    for (const AddressEntry& e : own)
        if (e.address == target) return ProbeResult::InUse;
    uint8_t answered = platform::kArpNoAnswer;
    if (int rc = net.ProbeArp(&target, 1, source, &answered); rc != 0) {
        if (error) *error = rc < 0 ? rc : -EIO;
        return ProbeResult::Failed;
    }
    return answered == platform::kArpAnswered ? ProbeResult::InUse : ProbeResult::Free;
}

bool FindFreeAddress(NetworkPlatform& net, uint32_t start, uint32_t source, uint32_t* found) {
    std::vector<uint32_t> free;
    if (CollectFree(net, start, source, 1, free) != 0 || free.empty()) return false;
    *found = free[0];
    return true;
}

std::vector<uint32_t> FindFreeAddresses(NetworkPlatform& net, uint32_t start, uint32_t source,
                                        int count) {
    std::vector<uint32_t> free;
    CollectFree(net, WithLastByte(start, kFirstCandidateByte), source, count, free);
    return free;
}

SubnetResult EnsureCameraSubnet(const camera::CameraSettings& settings, NetworkPlatform& net,
                                TemporaryAddresses& temporary, const MessageSink& message) {
    const uint32_t camera = settings.cameraAddress;
    // Not a unicast host: a temporary address "beside" it would only disturb the PC.
    const uint32_t firstByte = ntohl(camera) >> 24;
    if (firstByte == 0 || firstByte == 127 || firstByte >= 224)
        return SubnetResult::NotAHostAddress;

    std::vector<AddressEntry> table;
    if (!ReadAddressTable(net, table)) return SubnetResult::TableFailed;
    for (const AddressEntry& e : table)
        if (SameSlash24(e.address, camera)) return SubnetResult::AlreadyReachable;
    // A camera behind a router the PC has a route through: an address beside it on the PC's
    // own link would only take its traffic off that route.
    if (net.RoutedThroughGateway(camera)) return SubnetResult::AlreadyReachable;

    const uint32_t mask = TemporaryMask(camera);
    uint32_t first = 0;
    if (!FindFreeAddress(net, WithLastByte(camera, kFirstCandidateByte), settings.pcAddress,
                         &first))
        return SubnetResult::NoFreeAddress;

    uint32_t context = 0;
    if (net.AddAddress(first, mask, settings.pcInterfaceIndex, &context) != 0) {
        if (message) message("error");
        return SubnetResult::FirstAddFailed;
    }
    net.SleepMs(kSettleMs);

    // Hosts that ignore requests from a foreign subnet answer one from inside it.
    uint32_t second = 0;
    bool haveSecond = FindFreeAddress(net, first, first, &second);
    net.DeleteAddress(context);
    if (!haveSecond) return SubnetResult::NoFreeAddress;
    if (net.AddAddress(second, mask, settings.pcInterfaceIndex, &context) != 0)
        return SubnetResult::SecondAddFailed;
    temporary.handles.push_back(context);
    temporary.addresses.push_back(second);
    return SubnetResult::Added;
}

void RemoveTemporaryAddresses(NetworkPlatform& net, TemporaryAddresses& temporary) {
    for (uint32_t handle : temporary.handles) net.DeleteAddress(handle);
    temporary.handles.clear();
    temporary.addresses.clear();
}

}  // namespace orvanta::localnet
