// SPDX-License-Identifier: GPL-3.0-or-later
#include "CameraRestart.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace camsim {
namespace {

int PrefixLength(const std::string& netmask) {
    in_addr mask{};
    if (inet_pton(AF_INET, netmask.c_str(), &mask) != 1) return 24;
    return __builtin_popcount(mask.s_addr);
}

// The interface that holds `address`, and the prefix length it was added with.
std::string InterfaceOf(uint32_t address, int* prefixLength = nullptr) {
    ifaddrs* list = nullptr;
    std::string name;
    if (getifaddrs(&list) != 0) return name;
    for (ifaddrs* it = list; it; it = it->ifa_next) {
        if (it->ifa_addr && it->ifa_addr->sa_family == AF_INET &&
            reinterpret_cast<sockaddr_in*>(it->ifa_addr)->sin_addr.s_addr == address) {
            name = it->ifa_name;
            if (prefixLength && it->ifa_netmask)
                *prefixLength = __builtin_popcount(
                    reinterpret_cast<sockaddr_in*>(it->ifa_netmask)->sin_addr.s_addr);
            break;
        }
    }
    freeifaddrs(list);
    return name;
}

// `ip addr VERB ADDRESS/LENGTH dev NAME`, without a shell.
bool IpAddr(const char* verb, uint32_t address, int prefixLength, const std::string& device) {
    std::string cidr = FormatIp(address) + "/" + std::to_string(prefixLength);
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        execlp("ip", "ip", "addr", verb, cidr.c_str(), "dev", device.c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

CameraRestart::CameraRestart(EventLoop& loop, std::vector<SimCamera>& cameras, HttpServer& http,
                             DiscoveryResponder& discovery, bool ownAddresses, bool verbose)
    : loop_(loop),
      cameras_(cameras),
      http_(http),
      discovery_(discovery),
      ownAddresses_(ownAddresses),
      verbose_(verbose) {}

void CameraRestart::Begin(size_t camera) {
    if (!cameras_[camera].online) return;  // already restarting
    cameras_[camera].online = false;
    http_.StopListening(camera);
    if (verbose_)
        std::fprintf(stderr, "camsim: %s restarting\n", FormatIp(cameras_[camera].ip).c_str());
    loop_.After(http_.Cgi(camera).restartMs, [this, camera] { ComeBack(camera); });
}

void CameraRestart::ComeBack(size_t camera) {
    SimCamera& sim = cameras_[camera];
    CgiCamera& cgi = http_.Cgi(camera);
    uint32_t address = sim.ip;
    const std::string type = cgi.values["IPType"];
    if (type == "1") {
        in_addr written{};
        if (inet_pton(AF_INET, cgi.values["IPAddr"].c_str(), &written) == 1)
            address = written.s_addr;
    } else if (type == "0" && cgi.dhcpFirst != 0) {
        address = htonl(cgi.dhcpNext);
        cgi.dhcpNext = cgi.dhcpNext >= cgi.dhcpLast ? cgi.dhcpFirst : cgi.dhcpNext + 1;
        cgi.values["IPAddr"] = FormatIp(address);
    }
    if (address != sim.ip) {
        if (!ownAddresses_) {
            std::fprintf(stderr, "camsim: %s keeps its address (--own-addresses not given)\n",
                         FormatIp(sim.ip).c_str());
        } else if (MoveAddress(sim.ip, address, PrefixLength(cgi.values["Netmask"]))) {
            sim.ip = address;
        }
    }
    char* end = nullptr;
    long port = std::strtol(cgi.values["HttpPort"].c_str(), &end, 10);
    if (*end == '\0' && port > 0 && port < 65536) sim.httpPort = static_cast<int32_t>(port);

    std::string error;
    if (!discovery_.Rebind(camera, error))
        std::fprintf(stderr, "camsim: discovery after restart: %s\n", error.c_str());
    http_.Listen(camera);
    sim.online = true;
    if (verbose_)
        std::fprintf(stderr, "camsim: back at %s:%d\n", FormatIp(sim.ip).c_str(), sim.httpPort);
}

bool CameraRestart::MoveAddress(uint32_t from, uint32_t to, int prefixLength) {
    int oldLength = 32;
    std::string device = InterfaceOf(from, &oldLength);
    if (device.empty()) {
        std::fprintf(stderr, "camsim: %s is on no interface\n", FormatIp(from).c_str());
        return false;
    }
    if (InterfaceOf(to).empty() && !IpAddr("add", to, prefixLength, device)) {
        std::fprintf(stderr, "camsim: cannot add %s\n", FormatIp(to).c_str());
        return false;
    }
    // The camera that moves is offline; any other camera of ours may still use the address.
    bool shared = false;
    for (const SimCamera& other : cameras_) shared = shared || (other.online && other.ip == from);
    if (!shared) {
        // Deleting a subnet's primary address would take its secondaries along, the new
        // address among them, unless the kernel promotes one.
        std::FILE* promote =
            std::fopen(("/proc/sys/net/ipv4/conf/" + device + "/promote_secondaries").c_str(), "w");
        if (promote) {
            std::fputs("1", promote);
            std::fclose(promote);
        }
        IpAddr("del", from, oldLength, device);
    }
    return true;
}

}  // namespace camsim
