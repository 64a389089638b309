// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LinuxNetwork.h"

#include <arpa/inet.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/rtnetlink.h>
#include <netlink/netlink.h>
#include <netlink/route/addr.h>
#include <netlink/route/link.h>
#include <netlink/route/route.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/AddressText.h"

namespace orvanta::platform {
namespace {

constexpr uint32_t kForever = 0xFFFFFFFFu;

int FromNlError(int nlError) {
    switch (-std::abs(nlError)) {
        case -NLE_PERM:
            return -EPERM;
        case -NLE_EXIST:
            return -EEXIST;
        case -NLE_NOADDR:
        case -NLE_OBJ_NOTFOUND:
            return -EADDRNOTAVAIL;
        case -NLE_NODEV:
            return -ENODEV;
        case -NLE_NOMEM:
            return -ENOMEM;
        case -NLE_INVAL:
            return -EINVAL;
        default:
            return -EIO;
    }
}

struct SockDeleter {
    void operator()(nl_sock* s) const { nl_socket_free(s); }
};
struct CacheDeleter {
    void operator()(nl_cache* c) const { nl_cache_free(c); }
};
struct AddrDeleter {
    void operator()(rtnl_addr* a) const { rtnl_addr_put(a); }
};
struct NlAddrDeleter {
    void operator()(nl_addr* a) const { nl_addr_put(a); }
};
using Sock = std::unique_ptr<nl_sock, SockDeleter>;
using Cache = std::unique_ptr<nl_cache, CacheDeleter>;

int Connect(Sock& out) {
    Sock s(nl_socket_alloc());
    if (!s) return -ENOMEM;
    int rc = nl_connect(s.get(), NETLINK_ROUTE);
    if (rc < 0) return FromNlError(rc);
    out = std::move(s);
    return 0;
}

struct Link {
    uint32_t index;
    std::string name;
    unsigned arpType;
    bool up;
};

struct Address {
    uint32_t index;
    uint32_t address;  // network byte order
    int prefixLength;
    bool secondary;
    uint32_t validLifetime;
};

struct Snapshot {
    std::vector<Link> links;
    std::vector<Address> addresses;
    std::vector<std::pair<uint32_t, uint32_t>> defaultGateways;  // (index, gateway) in order
};

uint32_t MaskOf(int prefixLength) {
    return prefixLength <= 0 ? 0 : htonl(0xFFFFFFFFu << (32 - std::min(prefixLength, 32)));
}

void Dotted(char (&out)[16], uint32_t address) {
    std::snprintf(out, sizeof out, "%s", DottedAddress(address).c_str());
}

int ReadLinks(nl_sock* sock, std::vector<Link>& out) {
    nl_cache* raw = nullptr;
    int rc = rtnl_link_alloc_cache(sock, AF_UNSPEC, &raw);
    if (rc < 0) return FromNlError(rc);
    Cache cache(raw);
    for (nl_object* o = nl_cache_get_first(raw); o != nullptr; o = nl_cache_get_next(o)) {
        auto* link = reinterpret_cast<rtnl_link*>(o);
        unsigned flags = rtnl_link_get_flags(link);
        uint8_t oper = rtnl_link_get_operstate(link);
        // PPP links and some drivers never report "up", only "unknown" with a carrier.
        bool up = oper == IF_OPER_UP ||
                  (oper == IF_OPER_UNKNOWN && (flags & IFF_UP) && (flags & IFF_LOWER_UP));
        const char* name = rtnl_link_get_name(link);
        out.push_back({static_cast<uint32_t>(rtnl_link_get_ifindex(link)), name ? name : "",
                       rtnl_link_get_arptype(link), up});
    }
    std::sort(out.begin(), out.end(),
              [](const Link& a, const Link& b) { return a.index < b.index; });
    return 0;
}

int ReadAddresses(nl_sock* sock, std::vector<Address>& out) {
    nl_cache* raw = nullptr;
    int rc = rtnl_addr_alloc_cache(sock, &raw);
    if (rc < 0) return FromNlError(rc);
    Cache cache(raw);
    for (nl_object* o = nl_cache_get_first(raw); o != nullptr; o = nl_cache_get_next(o)) {
        auto* a = reinterpret_cast<rtnl_addr*>(o);
        if (rtnl_addr_get_family(a) != AF_INET) continue;
        nl_addr* local = rtnl_addr_get_local(a);
        if (local == nullptr || nl_addr_get_len(local) != 4) continue;
        uint32_t value;
        std::memcpy(&value, nl_addr_get_binary_addr(local), 4);
        out.push_back({static_cast<uint32_t>(rtnl_addr_get_ifindex(a)), value,
                       rtnl_addr_get_prefixlen(a), (rtnl_addr_get_flags(a) & IFA_F_SECONDARY) != 0,
                       rtnl_addr_get_valid_lifetime(a)});
    }
    return 0;
}

int ReadDefaultGateways(nl_sock* sock, std::vector<std::pair<uint32_t, uint32_t>>& out) {
    nl_cache* raw = nullptr;
    int rc = rtnl_route_alloc_cache(sock, AF_INET, 0, &raw);
    if (rc < 0) return FromNlError(rc);
    Cache cache(raw);
    for (nl_object* o = nl_cache_get_first(raw); o != nullptr; o = nl_cache_get_next(o)) {
        auto* r = reinterpret_cast<rtnl_route*>(o);
        if (rtnl_route_get_table(r) != RT_TABLE_MAIN || rtnl_route_get_type(r) != RTN_UNICAST)
            continue;
        nl_addr* dst = rtnl_route_get_dst(r);
        if (dst != nullptr && nl_addr_get_prefixlen(dst) != 0) continue;
        int hops = rtnl_route_get_nnexthops(r);
        for (int i = 0; i < hops && i < 16; ++i) {
            rtnl_nexthop* nh = rtnl_route_nexthop_n(r, i);
            nl_addr* gw = nh ? rtnl_route_nh_get_gateway(nh) : nullptr;
            if (gw == nullptr || nl_addr_get_len(gw) != 4) continue;
            uint32_t value;
            std::memcpy(&value, nl_addr_get_binary_addr(gw), 4);
            out.emplace_back(static_cast<uint32_t>(rtnl_route_nh_get_ifindex(nh)), value);
        }
    }
    return 0;
}

int TakeSnapshot(Snapshot& snap, bool gateways) {
    Sock sock;
    int rc = Connect(sock);
    if (rc == 0) rc = ReadLinks(sock.get(), snap.links);
    if (rc == 0) rc = ReadAddresses(sock.get(), snap.addresses);
    if (rc == 0 && gateways) rc = ReadDefaultGateways(sock.get(), snap.defaultGateways);
    return rc;
}

// The interface's first address: a primary one when there is one.
const Address* FirstAddress(const Snapshot& snap, uint32_t index) {
    const Address* any = nullptr;
    for (const Address& a : snap.addresses) {
        if (a.index != index) continue;
        if (!a.secondary) return &a;
        if (any == nullptr) any = &a;
    }
    return any;
}

template <typename Entry>
int Deliver(const std::vector<Entry>& entries, Entry* buffer, uint32_t* sizeBytes, int tooSmall) {
    uint64_t needed = uint64_t{entries.size()} * sizeof(Entry);
    if (needed > 0xFFFFFFFFu) return -EOVERFLOW;
    if (buffer == nullptr || *sizeBytes < needed) {
        *sizeBytes = static_cast<uint32_t>(needed);
        return tooSmall;
    }
    std::copy(entries.begin(), entries.end(), buffer);
    *sizeBytes = static_cast<uint32_t>(needed);
    return 0;
}

std::unique_ptr<rtnl_addr, AddrDeleter> MakeAddr(uint32_t address, int prefixLength,
                                                 uint32_t index) {
    std::unique_ptr<rtnl_addr, AddrDeleter> a(rtnl_addr_alloc());
    if (!a) return a;
    std::unique_ptr<nl_addr, NlAddrDeleter> local(nl_addr_build(AF_INET, &address, 4));
    if (!local) return {};
    nl_addr_set_prefixlen(local.get(), prefixLength);
    rtnl_addr_set_ifindex(a.get(), static_cast<int>(index));
    rtnl_addr_set_family(a.get(), AF_INET);
    rtnl_addr_set_local(a.get(), local.get());
    rtnl_addr_set_prefixlen(a.get(), prefixLength);
    return a;
}

void ReportPermission(const char* what, const char* capability) {
    std::fprintf(stderr, "%s: operation not permitted (needs %s)\n", what, capability);
}

}  // namespace

bool RouteTableHasGatewayTo(std::string_view table, uint32_t address) {
    std::istringstream lines{std::string(table)};
    std::string line;
    std::getline(lines, line);  // the heading
    for (int i = 0; i < 4096 && std::getline(lines, line); ++i) {
        char name[64] = {};
        unsigned long destination = 0, gateway = 0, mask = 0;
        unsigned flags = 0, references = 0, use = 0, metric = 0;
        if (std::sscanf(line.c_str(), "%63s %lx %lx %x %u %u %u %lx", name, &destination, &gateway,
                        &flags, &references, &use, &metric, &mask) != 8)
            continue;
        if (gateway != 0 && mask != 0 && (address & mask) == destination) return true;
    }
    return false;
}

std::string NetworkErrorText(int code) {
    switch (code) {
        case kNetOk:
            return "success";
        case kNetBufferOverflow:
        case kNetInsufficientBuffer:
            return "the buffer is too small";
        case kNetNoData:
            return "no data";
        default:
            break;
    }
    if (code < 0) return std::strerror(-code);
    return "error " + std::to_string(code);
}

int PrefixLength(uint32_t mask) {
    uint32_t m = ntohl(mask);
    int length = 0;
    while (length < 32 && (m & (0x80000000u >> length))) ++length;
    if (length < 32 && (m << length) != 0) return -1;
    return length;
}

std::string FirstNameServer(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    for (int lines = 0; lines < 10000 && std::getline(in, line); ++lines) {
        std::istringstream words(line);
        std::string keyword, value;
        if (!(words >> keyword >> value) || keyword != "nameserver") continue;
        if (ParseDottedAddress(value, nullptr)) return value;
    }
    return "";
}

std::string FirstPeerUser(const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        if (files.size() >= 1024) break;
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || !it->is_regular_file(ec)) continue;
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file);
        std::string line;
        for (int lines = 0; lines < 10000 && std::getline(in, line); ++lines) {
            line = line.substr(0, line.find('#'));
            std::istringstream words(line);
            std::string keyword;
            if (!(words >> keyword) || keyword != "user") continue;
            words >> std::ws;
            std::string user;
            if (words.peek() == '"') {
                words.get();
                std::getline(words, user, '"');
            } else {
                words >> user;
            }
            if (!user.empty()) return user;
        }
    }
    return "";
}

bool IsWirelessInterface(const std::string& sysfsNet, const std::string& name) {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::path(sysfsNet) / name;
    return std::filesystem::exists(dir / "wireless", ec) ||
           std::filesystem::exists(dir / "phy80211", ec);
}

LinuxNetwork::LinuxNetwork(LinuxNetworkOptions options) : options_(std::move(options)) {
    if (options_.temporaryLifetimeSeconds < 3) options_.temporaryLifetimeSeconds = 3;
}

LinuxNetwork::~LinuxNetwork() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (renewer_.joinable()) renewer_.join();
}

int LinuxNetwork::GetInterfaces(InterfaceEntry* buffer, uint32_t* sizeBytes) {
    Sock sock;
    std::vector<Link> links;
    int rc = Connect(sock);
    if (rc == 0) rc = ReadLinks(sock.get(), links);
    if (rc != 0) return rc;
    if (links.empty()) return kNetNoData;
    std::vector<InterfaceEntry> entries;
    for (const Link& l : links) {
        uint32_t type = kIfTypeOther;
        if (l.arpType == ARPHRD_ETHER)
            type =
                IsWirelessInterface(options_.sysfsNet, l.name) ? kIfTypeWireless : kIfTypeEthernet;
        else if (l.arpType == ARPHRD_PPP)
            type = kIfTypePpp;
        else if (l.arpType == ARPHRD_LOOPBACK)
            type = kIfTypeLoopback;
        entries.push_back({l.index, type, l.up ? kOperStatusUp : kOperStatusDown});
    }
    return Deliver(entries, buffer, sizeBytes, kNetBufferOverflow);
}

int LinuxNetwork::GetAdaptersInfo(AdapterEntry* buffer, uint32_t* sizeBytes) {
    Snapshot snap;
    if (int rc = TakeSnapshot(snap, true); rc != 0) return rc;
    std::vector<AdapterEntry> entries;
    for (const Link& l : snap.links) {
        if (l.arpType == ARPHRD_LOOPBACK) continue;
        AdapterEntry e{};
        e.index = l.index;
        const Address* first = FirstAddress(snap, l.index);
        Dotted(e.address, first ? first->address : 0);
        Dotted(e.mask, first ? MaskOf(first->prefixLength) : 0);
        uint32_t gateway = 0;
        for (const auto& [index, gw] : snap.defaultGateways)
            if (index == l.index) {
                gateway = gw;
                break;
            }
        Dotted(e.gateway, gateway);
        // A lease is an address the kernel will expire. Which server granted it is not
        // kept by the kernel; the limited broadcast stands for "a server".
        e.dhcpEnabled = (first != nullptr && first->validLifetime != kForever) ? 1 : 0;
        Dotted(e.dhcpServer, e.dhcpEnabled ? 0xFFFFFFFFu : 0);
        entries.push_back(e);
    }
    return Deliver(entries, buffer, sizeBytes, kNetBufferOverflow);
}

int LinuxNetwork::GetPerAdapterInfo(uint32_t index, AdapterDnsEntry* buffer, uint32_t* sizeBytes) {
    Sock sock;
    std::vector<Link> links;
    int rc = Connect(sock);
    if (rc == 0) rc = ReadLinks(sock.get(), links);
    if (rc != 0) return rc;
    if (std::none_of(links.begin(), links.end(),
                     [index](const Link& l) { return l.index == index; }))
        return -ENODEV;
    // One resolver configuration serves every adapter.
    AdapterDnsEntry e{};
    std::string server = FirstNameServer(options_.resolvConf);
    std::strncpy(e.dns, server.c_str(), sizeof e.dns - 1);
    return Deliver(std::vector<AdapterDnsEntry>{e}, buffer, sizeBytes, kNetBufferOverflow);
}

bool LinuxNetwork::RoutedThroughGateway(uint32_t address) {
    std::ifstream file("/proc/net/route");
    std::string table(64 * 1024, '\0');
    file.read(table.data(), static_cast<std::streamsize>(table.size()));
    table.resize(static_cast<size_t>(file.gcount()));
    return RouteTableHasGatewayTo(table, address);
}

int LinuxNetwork::GetAddressTable(AddressEntry* buffer, uint32_t* sizeBytes) {
    Sock sock;
    std::vector<Address> addresses;
    int rc = Connect(sock);
    if (rc == 0) rc = ReadAddresses(sock.get(), addresses);
    if (rc != 0) return rc;
    std::vector<AddressEntry> entries;
    for (const Address& a : addresses)
        entries.push_back({a.address, MaskOf(a.prefixLength), a.index});
    return Deliver(entries, buffer, sizeBytes, kNetInsufficientBuffer);
}

int LinuxNetwork::AddAddress(uint32_t address, uint32_t mask, uint32_t index, uint32_t* context) {
    int prefix = PrefixLength(mask);
    if (prefix < 0 || context == nullptr) return -EINVAL;
    auto a = MakeAddr(address, prefix, index);
    if (!a) return -ENOMEM;
    if (prefix < 31) {
        uint32_t broadcast = address | ~MaskOf(prefix);
        std::unique_ptr<nl_addr, NlAddrDeleter> b(nl_addr_build(AF_INET, &broadcast, 4));
        if (b) rtnl_addr_set_broadcast(a.get(), b.get());
    }
    rtnl_addr_set_valid_lifetime(a.get(), options_.temporaryLifetimeSeconds);
    rtnl_addr_set_preferred_lifetime(a.get(), options_.temporaryLifetimeSeconds);
    Sock sock;
    int rc = Connect(sock);
    if (rc != 0) return rc;
    // Exclusive: an address someone else configured is never taken over (and later deleted).
    rc = rtnl_addr_add(sock.get(), a.get(), NLM_F_EXCL);
    if (rc < 0) {
        rc = FromNlError(rc);
        char text[16];
        Dotted(text, address);
        std::string what = "adding " + std::string(text) + "/" + std::to_string(prefix);
        if (rc == -EPERM)
            ReportPermission(what.c_str(), "CAP_NET_ADMIN");
        else
            std::fprintf(stderr, "%s: %s\n", what.c_str(), std::strerror(-rc));
        return rc;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    *context = nextContext_++;
    temporary_[*context] = {address, prefix, index, false};
    if (!renewer_.joinable()) renewer_ = std::thread([this] { RenewLoop(); });
    return 0;
}

int LinuxNetwork::DeleteAddress(uint32_t context) {
    // A renewal in flight would bring the address back right after the delete.
    std::lock_guard<std::mutex> serial(netlinkMutex_);
    Temporary t;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = temporary_.find(context);
        if (it == temporary_.end()) return -ENOENT;
        t = it->second;
        temporary_.erase(it);
    }
    if (t.gone) return 0;
    auto a = MakeAddr(t.address, t.prefixLength, t.index);
    if (!a) return -ENOMEM;
    Sock sock;
    int rc = Connect(sock);
    if (rc != 0) return rc;
    rc = rtnl_addr_delete(sock.get(), a.get(), 0);
    if (rc < 0) {
        rc = FromNlError(rc);
        // Gone already (expired or removed by hand): nothing is left behind either way.
        if (rc == -EADDRNOTAVAIL) return 0;
        if (rc == -EPERM) ReportPermission("deleting an address", "CAP_NET_ADMIN");
        return rc;
    }
    return 0;
}

// Renews the lifetime of every temporary address still in place. An address that vanished
// (deleted by someone else) is forgotten rather than brought back.
int LinuxNetwork::RenewOnce() {
    std::lock_guard<std::mutex> serial(netlinkMutex_);
    std::vector<std::pair<uint32_t, Temporary>> list;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        list.assign(temporary_.begin(), temporary_.end());
    }
    if (list.empty()) return 0;
    Sock sock;
    std::vector<Address> present;
    int rc = Connect(sock);
    if (rc == 0) rc = ReadAddresses(sock.get(), present);
    if (rc != 0) return rc;
    for (const auto& entry : list) {
        const uint32_t context = entry.first;
        const Temporary& t = entry.second;
        if (t.gone) continue;
        bool there = std::any_of(present.begin(), present.end(), [&t](const Address& a) {
            return a.index == t.index && a.address == t.address && a.prefixLength == t.prefixLength;
        });
        if (!there) {
            std::lock_guard<std::mutex> lock(mutex_);
            temporary_[context].gone = true;
            continue;
        }
        auto a = MakeAddr(t.address, t.prefixLength, t.index);
        if (!a) continue;
        rtnl_addr_set_valid_lifetime(a.get(), options_.temporaryLifetimeSeconds);
        rtnl_addr_set_preferred_lifetime(a.get(), options_.temporaryLifetimeSeconds);
        nl_msg* msg = nullptr;
        if (rtnl_addr_build_add_request(a.get(), NLM_F_REPLACE, &msg) < 0) continue;
        nl_send_sync(sock.get(), msg);  // frees msg
    }
    return 0;
}

void LinuxNetwork::RenewLoop() {
    const auto period = std::chrono::milliseconds(options_.temporaryLifetimeSeconds * 1000 / 3);
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (wake_.wait_for(lock, period, [this] { return stopping_; })) break;
        lock.unlock();
        RenewOnce();
        lock.lock();
    }
}

int LinuxNetwork::ProbeArp(const uint32_t* targets, int count, uint32_t source, uint8_t* answered) {
    return ArpProbe(targets, count, source, answered, options_.arp);
}

int LinuxNetwork::GetPhonebookUser(char* buffer, uint32_t capacity) {
    if (buffer == nullptr || capacity == 0) return -EINVAL;
    std::string user = FirstPeerUser(options_.pppPeers);
    if (user.empty()) return -ENOENT;
    std::memset(buffer, 0, capacity);
    std::strncpy(buffer, user.c_str(), capacity - 1);
    return 0;
}

void LinuxNetwork::SleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace orvanta::platform
