// SPDX-License-Identifier: GPL-3.0-or-later
// Cameras that misbehave, one way each, all on one lab link: every command must end within
// its bound, with its exit status and a message that says what happened, never hold more
// than one camera connection at a time, and never write back a read that was not whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Lab.h"
#include "LabRun.h"

namespace orvanta {
namespace {

using lab::Lab;

struct Case {
    const char* name;
    const char* faults;   // the camera's simulator keys beyond its address
    const char* command;  // "@" stands for the camera's address
    int exit;
    double bound;         // seconds, generous
    const char* message;  // a part of what the tool prints; its first line is in the table
    bool sendsNoWrite = false;
    const char* absent = nullptr;  // what the tool must not print
    const char* writes = nullptr;  // every write the camera receives; "@" is its address
};

std::string Write(const std::string& target) {
    return "GET " + target + " HTTP/1.0\nUser-Agent: tavrin-1.0.1\n\n\n";
}

// A save of a model with less to say: the wireless keys a wired-only camera did not report go
// back as the record holds them (the other camera reports them so), and values that end their
// report without a line end whole.
const std::string kModelKeys =
    "RTSPPort=8554,DDNSHost=cam.example.net,Time=12:34:56,WIPAddr=,WNetmask=,WireCh=0,TxRate=,"
    "WEPKeyE0=0";
const std::string kModelWrites =
    Write("/goform/Parameters?Act=2&Page=1&TitleBar=Gate&Desp=Network%20Camera") +
    Write(
        "/goform/Parameters?Act=2&Page=13&DDNSSrv=&DDNS=0&DDNSUser=&DDNSPwd="
        "&DDNSHost=cam.example.net") +
    Write(
        "/cgi-bin/set_time.cgi?Act=2&NTPEN=0&NTPName=pool.ntp.org&NTPPoll=24&Timezone=0"
        "&Date=2026/01/01&Time=12:34:56") +
    Write(
        "/goform/Parameters?Act=2&Page=3&IPType=1&IPAddr=@&Netmask=255.255.255.0"
        "&Gateway=192.168.0.1&DNS1=192.168.0.1&DNS2=&WIPType=0&WIPAddr=&WNetmask=&WGateway="
        "&WDNS1=&WDNS2=&WireType=0&WireSec=0&SSID=&WireCh=0&WEPAuthM=0&WEPMode=0&WEPKey0="
        "&WEPKey1=&WEPKey2=&WEPKey3=&WEPKeyE0=0&WPAKey=&WPAEnc=0&WPAPSKeyM=0&TxRate=&WepKeyL=0"
        "&UPnPE=1&PAccount=&PPwd=&PVP=&HttpPort=80&SPort=8000&RTSPPort=8554");
const std::string kWiredOnly = "wired_only=on," + kModelKeys;
const std::string kUnended = "last_line_end=off,line_end=crlf," + kModelKeys;

const char kServer[] =
    "role=registration_server,account1=dev1|pw|device|cam-1/203.0.113.5/80/00:0E:53:00:00:01/"
    "Mervo-71;cam-2/203.0.113.6/8080/00:0E:53:00:00:02/Quent-9Z";

const char kAccessPoints[] =
    "ap1=6|00:11:22:33:44:55|Home net|80|Infra|WPA2-PSK|AES,"
    "ap2=11|00:11:22:33:44:66|Cafe|20|Infra|None|None";

// Bounds: a connect 2 s, the first byte 5 s, an answer 10 s in all or 2 s idle; the system
// page is read three times before the settings read.
const Case kCases[] = {
    // The system page's answer broken: the read fails and says how.
    {"system garbage", "fault=garbage,fault_on=1", "read @", 1, 10, "CAM_ERR_INCOMPLETE"},
    {"system not HTTP", "fault=not_http,fault_on=1", "read @", 1, 10, "CAM_ERR_NOT_HTTP"},
    {"system flood", "fault=flood,fault_on=1", "read @", 1, 10, "CAM_ERR_TOO_LONG"},
    {"system over 6 KB", "fault=overlong,fault_on=1", "read @", 1, 10, "CAM_ERR_TOO_LONG"},
    {"system byte every 500 ms", "fault=drip,fault_on=1", "read @", 1, 3 * 10 + 10,
     "CAM_ERR_TOO_SLOW"},
    {"firmware byte every 500 ms", "fault=drip,fault_on=23", "read @", 1, 10 + 10,
     "CAM_ERR_TOO_SLOW"},
    {"system cut, Content-Length", "fault=cut,fault_on=1", "read @", 1, 10, "CAM_ERR_CLOSED_EARLY"},
    // A cut the transport cannot see is one when it took a key every model reports.
    {"system cut, no length", "fault=cut_bare,cut_bytes=60,fault_on=1", "read @", 1, 10,
     "CAM_ERR_INCOMPLETE"},
    {"system HTTP 500", "fault=http500,fault_on=1", "read @", 1, 10, "HTTP status 500"},
    {"system HTTP 403", "fault=http403,fault_on=1", "read @", 1, 10, "HTTP status 403"},
    {"system 302 to login", "fault=login_redirect,fault_on=1", "read @", 1, 10, "HTTP status 302"},
    {"time cut, Content-Length", "fault=cut,fault_on=time", "read @", 1, 10,
     "CAM_ERR_CLOSED_EARLY"},
    {"network cut, no length", "fault=cut_bare,cut_bytes=30,fault_on=3", "read @", 1, 10,
     "CAM_ERR_INCOMPLETE"},
    {"network reset, no length", "fault=reset_midway+cut_bare,cut_bytes=0,fault_on=3", "read @", 1,
     10, "CAM_ERR_CLOSED_EARLY"},
    {"network reset midway", "fault=reset_midway,fault_on=3", "read @", 1, 10,
     "CAM_ERR_CLOSED_EARLY"},
    {"reset at accept", "fault=reset", "read @", 1, 10, "CAM_ERR_REFUSED"},
    {"slow pieces", "fault=pieces,pause_ms=300,piece_bytes=64", "read @", 0, 40, "TitleBar"},
    {"never closes", "fault=keep_open", "read @", 0, 10, "TitleBar"},
    {"never closes, no length", "fault=keep_open+cut_bare,cut_bytes=0", "read @", 0, 12 * 2 + 15,
     "TitleBar"},
    // A save starts only from a whole read, and counts only what the camera took.
    {"save after system garbage", "fault=garbage,fault_on=1", "save @ TitleBar=Matrix", 1, 10,
     "nothing was written", true},
    {"save after system flood", "fault=flood,fault_on=1", "save @ TitleBar=Matrix", 1, 10,
     "nothing was written", true},
    {"save after time cut", "fault=cut,fault_on=time", "save @ TitleBar=Matrix", 1, 10,
     "nothing was written", true},
    {"save after network cut", "fault=cut_bare,cut_bytes=30,fault_on=3", "save @ TitleBar=Matrix",
     1, 10, "nothing was written", true},
    {"save, network keys after tab", "fault=tab_keys,fault_on=3", "save @ TitleBar=Matrix", 1, 10,
     "nothing was written", true},
    {"writes Unauthorized", "fault=http401,fault_on=writes", "save @ TitleBar=Matrix", 1, 10,
     "system write: -8 (CAM_ERR_UNAUTHORIZED)"},
    {"writes HTTP 403", "fault=http403,fault_on=writes", "save @ TitleBar=Matrix", 1, 10,
     "system write: -12 (CAM_ERR_HTTP_STATUS): HTTP status 403"},
    // An answer that says nothing either way: what the camera reports of the page decides.
    {"writes 302 to login", "fault=login_redirect,fault_on=writes", "save @ TitleBar=Matrix", 1, 10,
     "system write: -17 (CAM_ERR_REDIRECTED): redirected (HTTP status 302); the camera does not "
     "report what was written\nsave: the camera took: nothing; not taken: system, DDNS, time, "
     "network"},
    {"writes 303, kept", "fault=redirect,fault_on=writes", "save @ TitleBar=Matrix", 0, 15,
     "verify network               kept"},
    {"writes plain, kept", "fault=plain,fault_on=writes", "save @ TitleBar=Matrix", 0, 15,
     "verify network               kept"},
    {"system write byte/500 ms", "fault=drip,fault_on=w1", "save @ TitleBar=Matrix", 0, 10 + 15,
     "CAM_ERR_TOO_SLOW"},
    {"DDNS host forgotten", "DDNSHost=old.example.net,forget=DDNSHost",
     "save @ DDNSHost=new.example.net", 1, 15,
     "not kept: DDNSHost written \"new.example.net\", reported \"old.example.net\""},
    {"DDNS write HTTP 500", "fault=http500,fault_on=w13", "save @ TitleBar=Matrix", 1, 10,
     "DDNS write: -12 (CAM_ERR_HTTP_STATUS): HTTP status 500"},
    {"system write 200 ERROR", "fault=ok_error,fault_on=w1", "save @ TitleBar=Matrix", 1, 15,
     "not kept: TitleBar written \"Matrix\", reported \"Camera\""},
    {"network write not HTTP", "fault=not_http,fault_on=w3", "save @ TitleBar=Matrix", 1, 10,
     "network write: -13 (CAM_ERR_NOT_HTTP): not HTTP (the answer is not an HTTP answer or a "
     "camera report)\nsave: the camera took: system, DDNS, time; not taken: network"},
    {"save, never closes", "fault=keep_open+cut_bare,cut_bytes=0", "save @ TitleBar=Matrix", 0,
     24 * 2 + 15, "network write                0 (CAM_OK)"},
    {"wired-only model, save", kWiredOnly.c_str(), "save @ TitleBar=Gate", 0, 20,
     "network write                0 (CAM_OK)", false, nullptr, kModelWrites.c_str()},
    {"reports without line end, save", kUnended.c_str(), "save @ TitleBar=Gate", 0, 20,
     "network write                0 (CAM_OK)", false, nullptr, kModelWrites.c_str()},
    // The scan lists what it read.
    {"scan sum 99999999", "fault=huge_sum,fault_on=scan", "apscan @", 0, 10, "2 access point(s)"},
    {"scan sum -5", "fault=negative_sum,fault_on=scan", "apscan @", 0, 10, "2 access point(s)"},
    {"scan cut in its last entry", "fault=cut,cut_bytes=120,fault_on=scan", "apscan @", 1, 10,
     "CAM_ERR_CLOSED_EARLY"},
    {"scan cut, no length", "fault=cut_bare,cut_bytes=40,fault_on=scan", "apscan @", 0, 10,
     "1 access point(s)", false, "Cafe"},
    {"scan not HTTP", "fault=not_http,fault_on=scan", "apscan @", 1, 10, "CAM_ERR_NOT_HTTP"},
    {"scan silent", "fault=silent,fault_on=scan", "apscan @", 1, 10, "CAM_ERR_NO_ANSWER"},
    // A listing gives the rows that came whole, whatever total it states.
    {"server list cut", "fault=cut,cut_bytes=40", "server-list --server @ --id dev1 --password pw",
     1, 10, "CAM_ERR_CLOSED_EARLY"},
    {"server list cut, no length", "fault=cut_bare,cut_bytes=40",
     "server-list --server @ --id dev1 --password pw", 0, 10, "cam-1", false, "cam-2"},
    // WPS ends within its time-out and one request.
    {"wps status never closes",
     "fault=keep_open+cut_bare,cut_bytes=0,fault_on=wps,wps_result=never",
     "wps @ --interval 0.5 --timeout 4", 1, 4 + 2 + 2 + 6, "no connection within 4 s"},
};

std::string CameraAddress(size_t i) {
    return "192.168.0." + std::to_string(100 + i);
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The writes (Act=2) camera `index` received, in order, from the simulator's record.
std::string RecordedWrites(const std::string& record, size_t index) {
    std::istringstream in(record);
    std::string writes;
    for (std::string line; std::getline(in, line);) {
        size_t camera = 0, length = 0;
        if (std::sscanf(line.c_str(), "REQUEST %zu %zu", &camera, &length) != 2) continue;
        std::string bytes(length, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(length));
        if (camera == index && bytes.find("Act=2") != std::string::npos) writes += bytes;
    }
    return writes;
}

TEST(FaultMatrixLab, EveryMisbehavingCameraEndsBoundedWithItsReason) {
    LAB_REQUIRED();
    Lab lab;
    lab.AddAddress("pc", "192.168.0.10/24");
    lab.AddHost("cams");
    const size_t count = std::size(kCases);
    std::string addAddresses;
    std::vector<std::string> args = {"--record", "/tmp/o2-matrix-" + lab.Id() + ".rec"};
    for (size_t i = 0; i < count; ++i) {
        addAddresses += "ip addr add " + CameraAddress(i) + "/24 dev eth0; ";
        args.push_back("--camera");
        const bool server = std::string(kCases[i].command).starts_with("server-list");
        args.push_back("ip=" + CameraAddress(i) + "," + (server ? kServer : kAccessPoints) + "," +
                       kCases[i].faults);
    }
    ASSERT_EQ(0, lab.Run("cams", addAddresses));
    const std::string recordPath = args[1];
    pid_t camsim = lab.StartCamsim("cams", args);
    const int camsimFds = lab::OpenDescriptors(camsim);

    // All at once: the cases wait on the network, not on each other.
    std::vector<lab::WatchedRun> runs(count);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < count; ++i) {
        threads.emplace_back([&, i] {
            std::string command = kCases[i].command;
            command.replace(command.find('@'), 1, CameraAddress(i));
            std::vector<std::string> argv = Words(command);
            argv.insert(argv.begin(), ORVANTA_CLI);
            runs[i] = lab::RunWatched(lab, "pc", argv);
        });
    }
    for (std::thread& t : threads) t.join();

    std::ifstream in(recordPath, std::ios::binary);
    std::stringstream record;
    record << in.rdbuf();
    std::remove(recordPath.c_str());
    std::printf("%-28s %-34s %4s %7s  %s\n", "case", "command", "exit", "seconds", "message");
    for (size_t i = 0; i < count; ++i) {
        const Case& c = kCases[i];
        const lab::WatchedRun& run = runs[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.exit, run.status) << run.output;
        EXPECT_LE(run.seconds, c.bound);
        EXPECT_NE(std::string::npos, run.output.find(c.message)) << run.output;
        EXPECT_LE(run.mostTcpConnections, 1) << "connections held at once";
        const std::string writes = RecordedWrites(record.str(), i);
        if (c.sendsNoWrite) EXPECT_EQ("", writes);
        if (c.writes) {
            std::string expected = c.writes;
            EXPECT_EQ(expected.replace(expected.find('@'), 1, CameraAddress(i)), writes);
        }
        if (c.absent) EXPECT_EQ(std::string::npos, run.output.find(c.absent)) << run.output;
        // The line that says it, for the table.
        std::string said, line,
            first = std::string(c.message).substr(0, std::strcspn(c.message, "\n"));
        for (std::istringstream lines(run.output); std::getline(lines, line) && said.empty();)
            if (line.find(first) != std::string::npos) said = line;
        std::printf("%-28s %-34.34s %4d %7.1f  %s\n", c.name, c.command, run.status, run.seconds,
                    said.c_str());
    }
    // The watch sees the connections at all: slow answers are held for seconds.
    EXPECT_EQ(1, std::max_element(runs.begin(), runs.end(), [](const auto& a, const auto& b) {
                     return a.mostTcpConnections < b.mostTcpConnections;
                 })->mostTcpConnections);
    // The simulator let go of every connection the tool closed: no more descriptors than at
    // its start (when its ready file may still have been open).
    int fds = lab::OpenDescriptors(camsim);
    for (int i = 0; i < 100 && fds > camsimFds; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        fds = lab::OpenDescriptors(camsim);
    }
    EXPECT_GE(fds, 0) << "camsim ended";
    EXPECT_LE(fds, camsimFds) << "camsim descriptors after the runs";
}

}  // namespace
}  // namespace orvanta
