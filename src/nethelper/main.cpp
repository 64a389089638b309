// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-nethelper: the only part of Orvanta2 that holds CAP_NET_ADMIN and CAP_NET_RAW.
// It adds temporary addresses (and keeps renewing them), deletes the ones it added, and
// probes addresses by ARP, on requests from its parent over the socket at descriptor 3.
// It may run with file capabilities for any local user, so it trusts nothing it inherits:
// the environment is cleared, no path comes from the parent, every capability but the two
// it needs is dropped, and every request is held to the wizard's own rules.
#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/HelperProtocol.h"
#include "platform/LinuxNetwork.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// With file capabilities the process is not dumpable, and the leak check at exit would need
// to trace it; sanitizer builds of the helper skip that check.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
#endif
#endif

namespace {

using namespace orvanta;
using nethelper::kRequestFd;

constexpr uint32_t kNeeded = (1u << CAP_NET_ADMIN) | (1u << CAP_NET_RAW);
static_assert(CAP_NET_ADMIN < 32 && CAP_NET_RAW < 32);

volatile sig_atomic_t terminated = 0;

void OnTerminate(int) {
    terminated = 1;
}

// Descriptors 0..2 are open (a later socket never lands on stderr) and nothing but the
// request socket is inherited beyond them.
void SettleDescriptors() {
    for (int fd = 0; fd < 3; ++fd)
        if (fcntl(fd, F_GETFD) < 0) {
            int null = open("/dev/null", O_RDWR);
            if (null >= 0 && null != fd) {
                dup2(null, fd);
                close(null);
            }
        }
    if (syscall(SYS_close_range, kRequestFd + 1, ~0u, 0) != 0)
        for (int fd = kRequestFd + 1; fd < 1024; ++fd) close(fd);
    fcntl(kRequestFd, F_SETFD, FD_CLOEXEC);
}

// Keeps CAP_NET_ADMIN and CAP_NET_RAW (when held) and nothing else, for good.
uint32_t DropCapabilities() {
    for (int cap = 0; cap < 64; ++cap)
        if (cap != CAP_NET_ADMIN && cap != CAP_NET_RAW) prctl(PR_CAPBSET_DROP, cap, 0, 0, 0);
    prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0);
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0) return 0;
    const uint32_t keep = data[0].permitted & kNeeded;
    __user_cap_data_struct reduced[2] = {};
    reduced[0].permitted = reduced[0].effective = keep;
    syscall(SYS_capset, &header, reduced);
    prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    __user_cap_data_struct now[2] = {};
    if (syscall(SYS_capget, &header, now) != 0) return 0;
    return now[0].effective & kNeeded;
}

bool Send(const char* line, size_t length) {
    size_t done = 0;
    while (done < length) {
        ssize_t n = send(kRequestFd, line + done, length - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool SendError(int code, const char* why) {
    char line[nethelper::kMaxLine + 2];
    size_t n = nethelper::FormatError(line, sizeof line, code, why);
    return n > 0 && Send(line, n);
}

class Helper {
public:
    explicit Helper(uint32_t lifetimeSeconds) : net_(Options(lifetimeSeconds)) {}

    // Answers one request line; false when the parent can no longer be told.
    bool Handle(const char* line, size_t length) {
        nethelper::Request request;
        const char* why = nullptr;
        if (int rc = nethelper::ParseRequest(line, length, &request, &why); rc != 0)
            return SendError(rc, why);
        switch (request.verb) {
            case nethelper::Verb::Add:
                return Add(request);
            case nethelper::Verb::Delete:
                return Delete(request.handle);
            case nethelper::Verb::Probe:
                return Probe(request);
        }
        return SendError(EINVAL, "unknown request");
    }

    // The parent is gone: nothing it asked for stays behind.
    void DeleteAll() {
        for (uint32_t handle : held_) net_.DeleteAddress(handle);
        held_.clear();
    }

private:
    static platform::LinuxNetworkOptions Options(uint32_t lifetimeSeconds) {
        platform::LinuxNetworkOptions options;
        options.temporaryLifetimeSeconds = lifetimeSeconds;
        return options;
    }

    nethelper::LinkState Link(uint32_t index) {
        nethelper::LinkState state;
        std::vector<platform::InterfaceEntry> list(64);
        for (int attempt = 0; attempt < 2; ++attempt) {
            uint32_t bytes = static_cast<uint32_t>(list.size() * sizeof list[0]);
            int rc = net_.GetInterfaces(list.data(), &bytes);
            if (rc == platform::kNetBufferOverflow && bytes <= (1u << 20)) {
                list.resize(bytes / sizeof list[0] + 1);
                continue;
            }
            if (rc != 0) return state;
            list.resize(bytes / sizeof list[0]);
            for (const platform::InterfaceEntry& e : list) {
                if (e.index != index) continue;
                state.exists = true;
                state.up = e.operStatus == platform::kOperStatusUp;
                state.loopback = e.type == platform::kIfTypeLoopback;
                state.ethernet =
                    e.type == platform::kIfTypeEthernet || e.type == platform::kIfTypeWireless;
            }
            break;
        }
        return state;
    }

    bool OwnAddresses(std::vector<uint32_t>& out) {
        std::vector<platform::AddressEntry> table(64);
        for (int attempt = 0; attempt < 2; ++attempt) {
            uint32_t bytes = static_cast<uint32_t>(table.size() * sizeof table[0]);
            int rc = net_.GetAddressTable(table.data(), &bytes);
            if (rc == platform::kNetInsufficientBuffer && bytes <= (1u << 20)) {
                table.resize(bytes / sizeof table[0] + 1);
                continue;
            }
            if (rc != 0) return false;
            table.resize(bytes / sizeof table[0]);
            for (const platform::AddressEntry& e : table) out.push_back(e.address);
            return true;
        }
        return false;
    }

    bool Add(const nethelper::Request& request) {
        const char* why = nullptr;
        if (int rc = nethelper::CheckLink(Link(request.index), &why); rc != 0)
            return SendError(rc, why);
        std::vector<uint32_t> own;
        if (!OwnAddresses(own)) return SendError(EIO, "cannot read the address table");
        if (int rc = nethelper::CheckSubnetUnused(request.address, own.data(), own.size(), &why);
            rc != 0)
            return SendError(rc, why);
        if (held_.size() >= static_cast<size_t>(nethelper::kMaxHeld))
            return SendError(ENOSPC, "holds as many temporary addresses as it keeps");
        const uint32_t mask =
            htonl(request.prefixLength == 0 ? 0 : 0xFFFFFFFFu << (32 - request.prefixLength));
        uint32_t handle = 0;
        int rc = net_.AddAddress(request.address, mask, request.index, &handle);
        if (rc != 0) return SendError(rc < 0 ? -rc : EIO, std::strerror(rc < 0 ? -rc : EIO));
        held_.push_back(handle);
        char line[64];
        size_t n = nethelper::FormatOkHandle(line, sizeof line, handle);
        return Send(line, n);
    }

    bool Delete(uint32_t handle) {
        auto it = std::find(held_.begin(), held_.end(), handle);
        if (it == held_.end()) return SendError(ENOENT, "not an address this helper added");
        held_.erase(it);
        int rc = net_.DeleteAddress(handle);
        if (rc != 0) return SendError(rc < 0 ? -rc : EIO, std::strerror(rc < 0 ? -rc : EIO));
        char line[8];
        return Send(line, nethelper::FormatOk(line, sizeof line));
    }

    // Any local user may drive the helper: its probes are paced to at most kProbesPerSecond
    // targets a second (a token bucket), so it cannot be made to flood the link with ARP.
    void Pace(int targets) {
        using Clock = std::chrono::steady_clock;
        const auto now = Clock::now();
        tokens_ = std::min<double>(
            kProbesPerSecond,
            tokens_ + std::chrono::duration<double>(now - lastRefill_).count() * kProbesPerSecond);
        lastRefill_ = now;
        if (tokens_ < targets) {
            const double wait = (targets - tokens_) / kProbesPerSecond;
            std::this_thread::sleep_for(std::chrono::duration<double>(wait));
            tokens_ = targets;
            lastRefill_ = Clock::now();
        }
        tokens_ -= targets;
    }

    bool Probe(const nethelper::Request& request) {
        Pace(request.count);
        uint8_t answered[nethelper::kMaxProbeTargets] = {};
        int rc = arp_.Probe(request.targets, request.count, request.source, answered, timing_);
        if (rc != 0) return SendError(rc < 0 ? -rc : EIO, std::strerror(rc < 0 ? -rc : EIO));
        char line[32];
        return Send(line, nethelper::FormatOkProbe(line, sizeof line, answered, request.count));
    }

    platform::LinuxNetwork net_;
    platform::ArpSocket arp_;  // open from one probe to the next
    const platform::ArpTiming timing_;
    std::vector<uint32_t> held_;
    static constexpr double kProbesPerSecond = 200;
    double tokens_ = kProbesPerSecond;
    std::chrono::steady_clock::time_point lastRefill_ = std::chrono::steady_clock::now();
};

// Reads request lines until the parent closes its end. A line too long is refused once and
// skipped up to its newline.
void Serve(Helper& helper) {
    char buffer[nethelper::kMaxLine + 1];
    size_t filled = 0;
    bool skipping = false;
    while (!terminated) {
        ssize_t n = read(kRequestFd, buffer + filled, sizeof buffer - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        filled += static_cast<size_t>(n);
        size_t start = 0;
        for (size_t i = 0; i < filled; ++i) {
            if (buffer[i] != '\n') continue;
            if (!skipping && !helper.Handle(buffer + start, i - start)) return;
            skipping = false;
            start = i + 1;
        }
        std::memmove(buffer, buffer + start, filled - start);
        filled -= start;
        if (filled == sizeof buffer) {
            if (!skipping && !SendError(EMSGSIZE, "request too long")) return;
            skipping = true;
            filled = 0;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    clearenv();
    struct stat st {};
    if (fstat(kRequestFd, &st) != 0 || !S_ISSOCK(st.st_mode)) {
        std::fprintf(stderr,
                     "orvanta2-nethelper: runs only under the Orvanta2 wizard or CLI, which "
                     "start it with a socket at descriptor %d\n",
                     kRequestFd);
        return 2;
    }
    SettleDescriptors();
    // Optional "--lifetime SECONDS": a shorter lifetime only leaves less behind a crash.
    uint32_t lifetime = nethelper::kMaxLifetimeSeconds;
    if (argc == 3 && std::strcmp(argv[1], "--lifetime") == 0) {
        char* end = nullptr;
        unsigned long value = std::strtoul(argv[2], &end, 10);
        if (end == argv[2] || *end != '\0' || value < nethelper::kMinLifetimeSeconds ||
            value > nethelper::kMaxLifetimeSeconds) {
            SendError(EINVAL, "lifetime out of range (3..30 seconds)");
            return 2;
        }
        lifetime = static_cast<uint32_t>(value);
    } else if (argc != 1) {
        SendError(EINVAL, "usage: orvanta2-nethelper [--lifetime SECONDS]");
        return 2;
    }

    const uint32_t held = DropCapabilities();
    if (held != kNeeded) {
        SendError(EPERM, (held & (1u << CAP_NET_ADMIN))
                             ? "the helper lacks CAP_NET_RAW"
                             : ((held & (1u << CAP_NET_RAW)) ? "the helper lacks CAP_NET_ADMIN"
                                                             : "the helper lacks CAP_NET_ADMIN "
                                                               "and CAP_NET_RAW"));
        return 1;
    }

    // The terminal's interrupt reaches the whole process group; the parent's end of the
    // socket closing is what stops the helper, after it has removed its addresses.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);  // the parent's mask is not ours
    signal(SIGPIPE, SIG_IGN);
    signal(SIGINT, SIG_IGN);
    signal(SIGQUIT, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    struct sigaction term {};
    term.sa_handler = OnTerminate;
    sigaction(SIGTERM, &term, nullptr);

    {
        Helper helper(lifetime);
        char ready[16];
        if (Send(ready, nethelper::FormatReady(ready, sizeof ready))) Serve(helper);
        helper.DeleteAll();
    }
    return 0;
}
