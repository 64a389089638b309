// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-camsim: plays one or more network cameras for tests, benchmarks and the demo.
#include <arpa/inet.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CameraRestart.h"
#include "DiscoveryResponder.h"
#include "EventLoop.h"
#include "HttpServer.h"
#include "SimConfig.h"

namespace {

const char kUsage[] =
    "usage: orvanta2-camsim [options]\n"
    "  --config FILE        cameras from a config file ([camera] sections)\n"
    "  --camera KEYS        one camera: key=value,key=value (mac, ip, http_port, ...)\n"
    "  --generate N         N cameras with consecutive addresses from --first-ip\n"
    "  --first-ip ADDRESS   first address for --generate (default 192.168.0.100)\n"
    "  --ready-file FILE    written once every socket is open\n"
    "  --exit-with-parent   end when the process that started us ends\n"
    "  --own-addresses      after a network write, move the camera's address on its\n"
    "                       interface (only ever inside a lab namespace)\n"
    "  --record FILE        append every HTTP request the cameras receive to FILE\n"
    "  --verbose            say what happens on stderr\n"
    "A camera's HTTP side takes more keys (report values, security, access points, faults):\n"
    "see CameraCgi.h.\n";

int Usage(const char* problem) {
    if (problem) std::fprintf(stderr, "orvanta2-camsim: %s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace camsim;
    std::vector<SimCamera> cameras;
    std::string readyFile;
    std::string firstIp = "192.168.0.100";
    int generate = 0;
    bool verbose = false;
    bool ownAddresses = false;
    std::string recordPath;

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        std::string error;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--config") {
            const char* path = value();
            if (!path) return Usage("--config needs a file");
            std::ifstream in(path);
            if (!in) return Usage((std::string("cannot read ") + path).c_str());
            std::stringstream text;
            text << in.rdbuf();
            if (!ParseConfig(text.str(), cameras, error)) return Usage(error.c_str());
        } else if (arg == "--camera") {
            const char* keys = value();
            if (!keys) return Usage("--camera needs key=value items");
            cameras.emplace_back();
            if (!ParseCameraKeys(keys, cameras.back(), error)) return Usage(error.c_str());
        } else if (arg == "--generate") {
            const char* n = value();
            generate = n ? std::atoi(n) : 0;
            if (generate <= 0 || generate > 65000) return Usage("--generate needs a count");
        } else if (arg == "--first-ip") {
            const char* ip = value();
            if (!ip) return Usage("--first-ip needs an address");
            firstIp = ip;
        } else if (arg == "--ready-file") {
            const char* path = value();
            if (!path) return Usage("--ready-file needs a file");
            readyFile = path;
        } else if (arg == "--exit-with-parent") {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() == 1) return 0;
        } else if (arg == "--own-addresses") {
            ownAddresses = true;
        } else if (arg == "--record") {
            const char* path = value();
            if (!path) return Usage("--record needs a file");
            recordPath = path;
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            return Usage(("unknown option " + arg).c_str());
        }
    }
    if (generate > 0) {
        in_addr first{};
        if (inet_pton(AF_INET, firstIp.c_str(), &first) != 1) return Usage("bad --first-ip");
        for (SimCamera& camera : GenerateCameras(generate, first.s_addr))
            cameras.push_back(std::move(camera));
    }
    if (cameras.empty()) return Usage("no camera given");

    EventLoop loop;
    DiscoveryResponder discovery(loop, cameras, verbose);
    std::string error;
    if (!discovery.Start(error)) {
        std::fprintf(stderr, "orvanta2-camsim: %s\n", error.c_str());
        return 1;
    }
    HttpServer http(loop, cameras, verbose);
    if (!http.Start(error)) {
        std::fprintf(stderr, "orvanta2-camsim: %s\n", error.c_str());
        return 1;
    }
    std::FILE* record = nullptr;
    if (!recordPath.empty()) {
        record = std::fopen(recordPath.c_str(), "ab");
        if (!record) return Usage(("cannot write " + recordPath).c_str());
        http.RecordTo(record);
    }
    CameraRestart restart(loop, cameras, http, discovery, ownAddresses, verbose);
    http.OnNetworkWritten([&restart](size_t camera) { restart.Begin(camera); });
    if (!readyFile.empty()) {
        std::ofstream ready(readyFile);
        ready << getpid() << "\n";
    }
    if (verbose) std::fprintf(stderr, "camsim: %zu camera(s) ready\n", cameras.size());
    loop.Run();
    if (record) std::fclose(record);
    return 0;
}
