// SPDX-License-Identifier: GPL-3.0-or-later
#include "Lab.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace orvanta::lab {
namespace {

std::atomic<int> g_labCount{0};

std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

bool Lab::Available() {
    return geteuid() == 0 && std::system("ip netns list >/dev/null 2>&1") == 0;
}

Lab::Lab() {
    id_ = std::to_string(getpid()) + "x" + std::to_string(g_labCount++);
    scratch_ = std::filesystem::temp_directory_path() / ("o2lab-" + id_);
    std::filesystem::create_directories(scratch_);
    Script("sweep");
    try {
        Script("create " + id_);
        AddHost("pc");
    } catch (...) {
        Script("destroy " + id_);
        throw;
    }
}

Lab::~Lab() {
    Leave();
    while (!children_.empty()) Stop(children_.back());
    try {
        Script("destroy " + id_);
    } catch (const std::exception& e) {
        // Never throw from here; the next lab's sweep removes what is left.
        std::fprintf(stderr, "%s\n", e.what());
    }
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
}

std::string Lab::Namespace(const std::string& host) const {
    return "o2-" + id_ + "-" + host;
}

void Lab::Script(const std::string& arguments) {
    std::string command = std::string("bash ") + ORVANTA_LAB_SCRIPT + " " + arguments;
    if (std::system(command.c_str()) != 0) throw std::runtime_error("lab: " + command);
}

void Lab::AddHost(const std::string& host, std::initializer_list<std::string> addresses) {
    std::string arguments = "add-host " + id_ + " " + host;
    for (const std::string& a : addresses) arguments += " " + a;
    Script(arguments);
}

void Lab::AddAddress(const std::string& host, const std::string& cidr, const std::string& options) {
    Script("addr " + id_ + " " + host + " " + cidr + " " + options);
}

void Lab::AddHostBehind(const std::string& host, const std::string& router,
                        const std::string& routerCidr, const std::string& cidr) {
    Script("add-behind " + id_ + " " + host + " " + router + " " + routerCidr + " " + cidr);
}

int Lab::Run(const std::string& host, const std::string& command) {
    std::string line = "ip netns exec " + Namespace(host) + " sh -c " + Quote(command);
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Lab::Output(const std::string& host, const std::string& command, int* status) {
    std::string line = "ip netns exec " + Namespace(host) + " sh -c " + Quote(command);
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("lab: popen");
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    int rc = pclose(pipe);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

pid_t Lab::Spawn(const std::string& host, const std::vector<std::string>& argv) {
    std::vector<std::string> full = {"ip", "netns", "exec", Namespace(host)};
    full.insert(full.end(), argv.begin(), argv.end());
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("lab: fork");
    if (pid == 0) {
        std::vector<char*> args;
        for (std::string& a : full) args.push_back(a.data());
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    children_.push_back(pid);
    return pid;
}

pid_t Lab::StartCamsim(const std::string& host, std::vector<std::string> args) {
    std::string ready = scratch_ + "/camsim-" + std::to_string(children_.size()) + ".ready";
    args.insert(args.begin(), ORVANTA_CAMSIM);
    args.insert(args.end(), {"--ready-file", ready, "--exit-with-parent"});
    pid_t pid = Spawn(host, args);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(ready)) {
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) throw std::runtime_error("camsim exited");
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("camsim did not get ready");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pid;
}

void Lab::Stop(pid_t pid) {
    std::erase(children_, pid);
    if (kill(pid, SIGTERM) != 0) return;
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

void Lab::Enter(const std::string& host) {
    if (homeNamespace_ < 0) homeNamespace_ = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
    std::string path = "/run/netns/" + Namespace(host);
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || setns(fd, CLONE_NEWNET) != 0) throw std::runtime_error("lab: setns " + path);
    close(fd);
}

void Lab::Leave() {
    if (homeNamespace_ < 0) return;
    setns(homeNamespace_, CLONE_NEWNET);
    close(homeNamespace_);
    homeNamespace_ = -1;
}

}  // namespace orvanta::lab
