// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A lab for one test: virtual hosts in network namespaces of its own, built with
// scripts/lab.sh and torn down by the destructor (a killed run is swept by the next one).
#include <sys/types.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace orvanta::lab {

class Lab {
public:
    Lab();
    ~Lab();
    Lab(const Lab&) = delete;
    Lab& operator=(const Lab&) = delete;

    // False when this process cannot build a lab (not root). Tests skip then, except in CI,
    // where they fail: see LAB_REQUIRED.
    static bool Available();

    const std::string& Id() const { return id_; }
    std::string Namespace(const std::string& host) const;

    // The constructor makes the bridge and a bare host "pc"; give it addresses with AddAddress.
    // A host on the lab's bridge with the given "address/length" entries on its eth0.
    void AddHost(const std::string& host, std::initializer_list<std::string> addresses = {});
    void AddAddress(const std::string& host, const std::string& cidr,
                    const std::string& options = "");
    // A host off the bridge, reached only through `router` (a host of the lab), which gets
    // `routerCidr` on its side of the link and forwards between its links.
    void AddHostBehind(const std::string& host, const std::string& router,
                       const std::string& routerCidr, const std::string& cidr);
    // Runs a shell command inside the host; returns its exit status.
    int Run(const std::string& host, const std::string& command);
    // Runs a shell command inside the host and returns what it printed on stdout.
    std::string Output(const std::string& host, const std::string& command, int* status = nullptr);

    // Starts a program inside the host; it is stopped when the lab goes.
    pid_t Spawn(const std::string& host, const std::vector<std::string>& argv);
    // Starts the camera simulator with these arguments and waits until its sockets are open.
    pid_t StartCamsim(const std::string& host, std::vector<std::string> args);
    void Stop(pid_t pid);

    // Moves the calling thread into the host's network namespace, until Leave or the end.
    void Enter(const std::string& host);
    void Leave();

private:
    void Script(const std::string& arguments);

    std::string id_;
    std::vector<pid_t> children_;
    int homeNamespace_ = -1;
    std::string scratch_;
};

}  // namespace orvanta::lab

// Skips the test when no lab can be built here, but fails it under CI=true.
#define LAB_REQUIRED()                                                             \
    do {                                                                           \
        if (!::orvanta::lab::Lab::Available()) {                                   \
            const char* ci = std::getenv("CI");                                    \
            if (ci && std::string(ci) == "true") FAIL() << "lab needs root in CI"; \
            GTEST_SKIP() << "lab tests need root";                                 \
        }                                                                          \
    } while (0)
