// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelperNetwork.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/AddressText.h"
#include "platform/HelperProtocol.h"

#ifndef ORVANTA_NETHELPER_INSTALLED
#define ORVANTA_NETHELPER_INSTALLED "/usr/libexec/orvanta2/orvanta2-nethelper"
#endif

namespace orvanta::platform {
namespace {

constexpr const char* kHelperName = "orvanta2-nethelper";
// The helper answers at once except for a probe, which takes its time-out (one second).
constexpr int kStartTimeoutMs = 5000;
constexpr int kReplyTimeoutMs = 5000;

void GrantHint(const std::string& path) {
    std::fprintf(stderr,
                 "  grant it the capabilities with: sudo setcap cap_net_admin,cap_net_raw+ep %s\n",
                 path.c_str());
}

}  // namespace

std::string FindNetHelper() {
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        std::string dir(self, static_cast<size_t>(n));
        size_t slash = dir.rfind('/');
        if (slash != std::string::npos) {
            std::string beside = dir.substr(0, slash + 1) + kHelperName;
            if (access(beside.c_str(), X_OK) == 0) return beside;
        }
    }
    return ORVANTA_NETHELPER_INSTALLED;
}

HelperNetwork::HelperNetwork(HelperNetworkOptions options)
    : options_(std::move(options)), local_(options_.local) {
    options_.temporaryLifetimeSeconds =
        std::clamp(options_.temporaryLifetimeSeconds, nethelper::kMinLifetimeSeconds,
                   nethelper::kMaxLifetimeSeconds);
}

HelperNetwork::~HelperNetwork() {
    std::lock_guard<std::mutex> lock(mutex_);
    Stop();
}

pid_t HelperNetwork::HelperPid() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pid_;
}

int HelperNetwork::Start() {
    if (fd_ >= 0) return 0;
    if (startError_ != 0) return startError_;
    path_ = options_.helperPath.empty() ? FindNetHelper() : options_.helperPath;
    if (access(path_.c_str(), X_OK) != 0) {
        std::fprintf(stderr,
                     "%s: not found at %s (nor next to this program); temporary addresses and "
                     "ARP probes need it, or this program run as root\n",
                     kHelperName, path_.c_str());
        GrantHint(path_);
        return startError_ = -ENOENT;
    }
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return -errno;
    // Above the fixed descriptor, so that the child's dup2 always makes a fresh, inheritable one.
    int childEnd = fcntl(pair[1], F_DUPFD_CLOEXEC, nethelper::kRequestFd + 1);
    close(pair[1]);
    if (childEnd < 0) {
        close(pair[0]);
        return -EMFILE;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childEnd, nethelper::kRequestFd);
    std::string lifetime = std::to_string(options_.temporaryLifetimeSeconds);
    char* argv[] = {const_cast<char*>(path_.c_str()), const_cast<char*>("--lifetime"),
                    lifetime.data(), nullptr};
    char* envp[] = {nullptr};
    pid_t pid = 0;
    int rc = posix_spawn(&pid, path_.c_str(), &actions, nullptr, argv, envp);
    posix_spawn_file_actions_destroy(&actions);
    close(childEnd);
    if (rc != 0) {
        close(pair[0]);
        std::fprintf(stderr, "%s: cannot start %s: %s\n", kHelperName, path_.c_str(),
                     std::strerror(rc));
        return startError_ = -rc;
    }
    fd_ = pair[0];
    pid_ = pid;
    std::string hello;
    rc = Exchange("", hello, kStartTimeoutMs);
    nethelper::Reply reply;
    if (rc == 0 && nethelper::ParseReply(hello.data(), hello.size(), &reply) == 0 &&
        reply.kind == nethelper::ReplyKind::Ready) {
        ++generation_;
        return 0;
    }
    Stop();
    if (rc == 0 && nethelper::ParseReply(hello.data(), hello.size(), &reply) == 0 &&
        reply.kind == nethelper::ReplyKind::Error) {
        std::fprintf(stderr, "%s (%s): %s\n", kHelperName, path_.c_str(), reply.why);
        if (reply.code == EPERM) GrantHint(path_);
        return startError_ = -reply.code;
    }
    std::fprintf(stderr, "%s (%s): started but never said it was ready\n", kHelperName,
                 path_.c_str());
    return startError_ = -EPROTO;
}

void HelperNetwork::Stop() {
    if (fd_ >= 0) close(fd_);  // the helper reads EOF, removes its addresses and exits
    fd_ = -1;
    if (pid_ > 0) {
        bool reaped = false;
        for (int i = 0; i < 300 && !reaped; ++i) {
            pid_t r = waitpid(pid_, nullptr, WNOHANG);
            reaped = r == pid_ || (r < 0 && errno == ECHILD);
            if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!reaped) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    pid_ = 0;
}

int HelperNetwork::Exchange(const std::string& request, std::string& reply, int timeoutMs) {
    size_t done = 0;
    while (done < request.size()) {
        ssize_t n = send(fd_, request.data() + done, request.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return -EPIPE;
        done += static_cast<size_t>(n);
    }
    reply.clear();
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[nethelper::kMaxLine + 2];
    while (true) {
        int left = static_cast<int>(
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (left <= 0) return -ETIMEDOUT;
        pollfd p{fd_, POLLIN, 0};
        int ready = poll(&p, 1, left);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return ready == 0 ? -ETIMEDOUT : -errno;
        ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return -EPIPE;
        reply.append(buffer, static_cast<size_t>(n));
        size_t newline = reply.find('\n');
        if (newline != std::string::npos) {
            // One reply per request: anything after its newline is not our helper talking.
            if (newline + 1 != reply.size()) return -EPROTO;
            reply.pop_back();
            return 0;
        }
        if (reply.size() > nethelper::kMaxLine) return -EPROTO;
    }
}

int HelperNetwork::Request(const std::string& request, std::string& reply, int timeoutMs) {
    if (int rc = Start(); rc != 0) return rc;
    int rc = Exchange(request + "\n", reply, timeoutMs);
    if (rc != 0) {
        std::fprintf(stderr, "%s (%s): no answer: %s\n", kHelperName, path_.c_str(),
                     std::strerror(-rc));
        Stop();  // the next request starts a new one
    }
    return rc;
}

int HelperNetwork::GetInterfaces(InterfaceEntry* buffer, uint32_t* sizeBytes) {
    return local_.GetInterfaces(buffer, sizeBytes);
}

int HelperNetwork::GetAdaptersInfo(AdapterEntry* buffer, uint32_t* sizeBytes) {
    return local_.GetAdaptersInfo(buffer, sizeBytes);
}

int HelperNetwork::GetPerAdapterInfo(uint32_t index, AdapterDnsEntry* buffer, uint32_t* sizeBytes) {
    return local_.GetPerAdapterInfo(index, buffer, sizeBytes);
}

int HelperNetwork::GetAddressTable(AddressEntry* buffer, uint32_t* sizeBytes) {
    return local_.GetAddressTable(buffer, sizeBytes);
}

bool HelperNetwork::RoutedThroughGateway(uint32_t address) {
    return local_.RoutedThroughGateway(address);
}

int HelperNetwork::GetPhonebookUser(char* buffer, uint32_t capacity) {
    return local_.GetPhonebookUser(buffer, capacity);
}

void HelperNetwork::SleepMs(int ms) {
    local_.SleepMs(ms);
}

int HelperNetwork::AddAddress(uint32_t address, uint32_t mask, uint32_t index, uint32_t* context) {
    int prefix = PrefixLength(mask);
    if (prefix < 0 || context == nullptr) return -EINVAL;
    const std::string cidr = DottedAddress(address) + "/" + std::to_string(prefix);
    std::lock_guard<std::mutex> lock(mutex_);
    std::string line;
    if (int rc = Request("ADD " + std::to_string(index) + " " + cidr, line, kReplyTimeoutMs);
        rc != 0)
        return rc;
    nethelper::Reply reply;
    if (nethelper::ParseReply(line.data(), line.size(), &reply) != 0) return -EPROTO;
    if (reply.kind == nethelper::ReplyKind::Error) {
        std::fprintf(stderr, "adding %s through %s: %s\n", cidr.c_str(), kHelperName, reply.why);
        return -reply.code;
    }
    if (reply.kind != nethelper::ReplyKind::Ok || reply.handle == 0) return -EPROTO;
    *context = nextContext_++;
    held_[*context] = {generation_, reply.handle};
    return 0;
}

int HelperNetwork::DeleteAddress(uint32_t context) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = held_.find(context);
    if (it == held_.end()) return -ENOENT;
    const Held held = it->second;
    held_.erase(it);
    // The helper that added it is gone, and it took its addresses along.
    if (fd_ < 0 || held.generation != generation_) return 0;
    std::string line;
    if (int rc = Request("DEL " + std::to_string(held.handle), line, kReplyTimeoutMs); rc != 0)
        return rc;
    nethelper::Reply reply;
    if (nethelper::ParseReply(line.data(), line.size(), &reply) != 0) return -EPROTO;
    if (reply.kind == nethelper::ReplyKind::Error) {
        std::fprintf(stderr, "deleting an address through %s: %s\n", kHelperName, reply.why);
        return -reply.code;
    }
    return reply.kind == nethelper::ReplyKind::Ok ? 0 : -EPROTO;
}

int HelperNetwork::ProbeArp(const uint32_t* targets, int count, uint32_t source,
                            uint8_t* answered) {
    if (count <= 0) return 0;
    if (targets == nullptr || answered == nullptr || count > 256) return -EINVAL;
    std::fill(answered, answered + count, kArpNoAnswer);
    std::lock_guard<std::mutex> lock(mutex_);
    // The helper takes a batch of at most eight; larger ones go as several.
    for (int at = 0; at < count; at += nethelper::kMaxProbeTargets) {
        const int n = std::min(nethelper::kMaxProbeTargets, count - at);
        std::string request = "ARP " + DottedAddress(source);
        for (int i = 0; i < n; ++i) request += " " + DottedAddress(targets[at + i]);
        std::string line;
        if (int rc = Request(request, line, kReplyTimeoutMs); rc != 0) return rc;
        nethelper::Reply reply;
        if (nethelper::ParseReply(line.data(), line.size(), &reply) != 0) return -EPROTO;
        if (reply.kind == nethelper::ReplyKind::Error) {
            std::fprintf(stderr, "ARP probe from %s through %s: %s\n",
                         DottedAddress(source).c_str(), kHelperName, reply.why);
            return -reply.code;
        }
        if (reply.kind != nethelper::ReplyKind::Ok || reply.count != n) return -EPROTO;
        std::copy(reply.answered, reply.answered + n, answered + at);
    }
    return 0;
}

}  // namespace orvanta::platform
