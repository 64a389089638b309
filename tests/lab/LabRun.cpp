// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabRun.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace orvanta::lab {
namespace {

namespace fs = std::filesystem;
std::atomic<int> g_runCount{0};

// Inodes of the TCP sockets in the process's network namespace.
std::set<std::string> TcpInodes(pid_t pid) {
    std::set<std::string> inodes;
    std::ifstream in("/proc/" + std::to_string(pid) + "/net/tcp");
    std::string line;
    std::getline(in, line);  // the column names
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 10 && fields >> field; ++i) {
        }
        inodes.insert(field);  // the tenth column
    }
    return inodes;
}

// Descriptors of the process that are TCP sockets; the process may end meanwhile.
int TcpSockets(pid_t pid) {
    const std::set<std::string> tcp = TcpInodes(pid);
    int count = 0;
    std::error_code error;
    for (fs::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", error), end;
         !error && it != end; it.increment(error)) {
        std::string target = fs::read_symlink(it->path(), error).string();
        if (error) break;
        if (target.rfind("socket:[", 0) == 0 && tcp.count(target.substr(8, target.size() - 9)))
            ++count;
    }
    return count;
}

// The peak resident size of the program the process runs now (VmHWM), 0 when it is gone. Not
// the child's rusage: that counts the copy of this test from before the exec.
long PeakRssKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

}  // namespace

int OpenDescriptors(int pid) {
    std::error_code error;
    int count = 0;
    for (fs::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", error), end;
         !error && it != end; it.increment(error))
        ++count;
    return error ? -1 : count;
}

WatchedRun RunWatched(Lab& lab, const std::string& host, const std::vector<std::string>& argv,
                      bool keepStderr) {
    std::vector<std::string> full = {"ip", "netns", "exec", lab.Namespace(host)};
    full.insert(full.end(), argv.begin(), argv.end());
    const std::string outPath =
        (fs::temp_directory_path() /
         ("o2run-" + std::to_string(getpid()) + "-" + std::to_string(g_runCount++) + ".out"))
            .string();
    std::vector<char*> args;
    for (std::string& a : full) args.push_back(a.data());
    args.push_back(nullptr);

    WatchedRun run;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        int fd = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) _exit(126);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(fd, 1);
        dup2(keepStderr ? fd : null, 2);
        execvp(args[0], args.data());  // ip netns exec runs the program in this process
        _exit(127);
    }
    int status = 0;
    // Until the exec, the child is this test; only what it runs after counts.
    auto runsProgram = [pid, self = fs::read_symlink("/proc/self/exe")] {
        std::error_code error;
        return fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error) != self;
    };
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (runsProgram()) {
            run.mostTcpConnections = std::max(run.mostTcpConnections, TcpSockets(pid));
            run.peakRssKb = std::max(run.peakRssKb, PeakRssKb(pid));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(outPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    run.output = text.str();
    std::remove(outPath.c_str());
    return run;
}

}  // namespace orvanta::lab
