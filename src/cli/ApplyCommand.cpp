// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-cli apply: settings for many cameras from one CSV file. The cameras are found by
// discovery, their subnets made reachable, then each is read, changed and saved on a worker
// of its own, and finally found again at its new address by its serial number.
#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "camera/commands/SettingsWrite.h"
#include "camera/record/SettingsFields.h"
#include "camera/rules/FieldValues.h"
#include "camera/rules/WirelessKeys.h"
#include "camera/wire/Transport.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Csv.h"
#include "cli/Json.h"
#include "cli/Options.h"
#include "cli/SaveReport.h"
#include "discovery/CPLipf.h"
#include "discovery/DiscoveryLog.h"
#include "discovery/ListedCamera.h"
#include "localnet/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/Clock.h"
#include "platform/NetworkFactory.h"
#include "workflow/FindAgain.h"
#include "workflow/Reach.h"
#include "workflow/ReadCamera.h"
#include "workflow/Save.h"

namespace orvanta::cli {
namespace {

using camera::CameraSettings;
using camera::FieldText;
using Clock = std::chrono::steady_clock;

constexpr int kRefindEngineMs = 2000;  // a fresh engine sends its request cycle at once
constexpr int kPollMs = 100;

struct Column {
    const camera::SettingsField* field = nullptr;  // null: user or password
    std::string name;
};

struct Job {
    std::string key;  // serial number or MAC as the file gives it
    std::vector<std::string> values;
    bool found = false;
    std::string serial, ip, port;  // as discovery found it
    std::string status = "not found";
    std::string detail;
    bool saved = false;
    workflow::SavedCamera expect;  // what the save left to look for
    std::string newIp, newPort;
    std::unique_ptr<CameraSettings> written;  // what the save sent, once it went through
    workflow::SaveOutcome outcome;
    std::unique_ptr<SaveReport> report;
};

std::mutex g_printMutex;
bool g_json = false;

// Progress goes to stdout, or to stderr when stdout carries the JSON summary.
void Progress(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Progress(const char* format, ...) {
    va_list args;
    va_start(args, format);
    char line[1024];
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    // Serial numbers and texts from the file and the cameras: safe for a terminal.
    std::string_view text(line);
    const bool ends = !text.empty() && text.back() == '\n';
    std::string shown = TerminalText(ends ? text.substr(0, text.size() - 1) : text);
    std::lock_guard<std::mutex> lock(g_printMutex);
    std::fprintf(g_json ? stderr : stdout, "%s%s", shown.c_str(), ends ? "\n" : "");
    std::fflush(g_json ? stderr : stdout);
}

// The port a camera answered with, as a number; any other text as it came.
Json PortJson(const std::string& port) {
    if (port.empty()) return nullptr;
    uint16_t number = 0;
    if (platform::ParsePortText(port, &number)) return number;
    return Utf8Text(port);
}

int Problem(const std::string& what) {
    std::fprintf(stderr, "apply: %s\n", TerminalText(what).c_str());
    return 2;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// What one file may hold: far more than any site's cameras, far less than would strain memory.
constexpr off_t kMaxFileBytes = 4 << 20;
constexpr size_t kMaxCameras = 5000;

// The whole of a regular file of at most kMaxFileBytes; a device, pipe or socket is never
// read, so that nothing can feed it without end.
bool ReadBoundedFile(const std::string& path, std::string& text, std::string& error) {
    // Non-blocking, so that opening a pipe without a writer does not wait for one.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!ok) error = path + " is not a regular file";
    if (ok && info.st_size > kMaxFileBytes) {
        ok = false;
        error = path + " is larger than " + std::to_string(kMaxFileBytes >> 20) + " MiB";
    }
    text.clear();
    char buffer[65536];
    while (ok) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got < 0) error = "cannot read " + path + ": " + std::strerror(errno);
            ok = got == 0;
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
        if (text.size() > static_cast<size_t>(kMaxFileBytes)) {  // it grew while being read
            ok = false;
            error = path + " is larger than " + std::to_string(kMaxFileBytes >> 20) + " MiB";
        }
    }
    ::close(fd);
    return ok;
}

// Reads and checks the whole file before anything is sent.
bool LoadJobs(const std::string& path, bool& byMac, std::vector<Column>& columns,
              std::vector<Job>& jobs, std::string& error) {
    std::string text;
    if (!ReadBoundedFile(path, text, error)) return false;
    std::vector<CsvRow> rows;
    if (!ParseCsv(text, rows, error, kMaxCameras + 1)) {  // and the header
        if (rows.size() > kMaxCameras + 1)
            error = "more than " + std::to_string(kMaxCameras) + " cameras in one file";
        return false;
    }
    if (rows.empty()) {
        error = "the file is empty";
        return false;
    }
    const CsvRow& header = rows[0];
    std::string first = Lower(header[0]);
    if (first != "serial" && first != "mac") {
        error = "the first column must be serial or mac";
        return false;
    }
    byMac = first == "mac";
    for (size_t c = 1; c < header.size(); ++c) {
        Column column;
        column.name = header[c];
        if (header[c] != "user" && header[c] != "password") {
            column.field = camera::FindCameraField(header[c]);
            if (!column.field || !column.field->written) {
                error = "not a field the save writes: " + header[c];
                return false;
            }
        }
        columns.push_back(column);
    }
    std::set<std::string> keys;
    CameraSettings scratch = camera::NewCameraSettings();
    for (size_t r = 1; r < rows.size(); ++r) {
        camera::GivenPorts ports;
        const CsvRow& row = rows[r];
        std::string where = "row " + std::to_string(r + 1) + ": ";
        if (row.size() != header.size()) {
            error = where + "expected " + std::to_string(header.size()) + " fields";
            return false;
        }
        Job job;
        job.key = byMac ? Lower(row[0]) : row[0];
        if (job.key.empty() || !keys.insert(job.key).second) {
            error = where + "missing or repeated " + header[0];
            return false;
        }
        for (size_t c = 1; c < row.size(); ++c) {
            const Column& column = columns[c - 1];
            // Credentials travel encoded in the authorization line, not in the query.
            if (column.field && !camera::SetFieldFromText(scratch, *column.field, row[c], error)) {
                error = where + error;
                return false;
            } else if (!column.field && row[c].size() > 63) {
                error = where + column.name + " takes at most 63 bytes";
                return false;
            }
            if (column.field) ports.Take(*column.field, row[c]);
            job.values.push_back(row[c]);
        }
        if (std::string clash = ports.Problem(); !clash.empty()) {
            error = where + clash;
            return false;
        }
        jobs.push_back(std::move(job));
    }
    return true;
}

// The row whose MAC address is `mac` in lower case.
const discovery::CameraRow* FindRowByMac(const discovery::CameraRow* rows, int count,
                                         const std::string& mac) {
    for (int i = 0; i < count; ++i)
        if (Lower(std::string(FieldText(rows[i].mac))) == mac) return &rows[i];
    return nullptr;
}

// The interface a camera answered from: the part of its row's description after the '/'.
std::string_view InterfaceOf(const discovery::CameraRow& row) {
    std::string_view text = FieldText(row.descInterface);
    return text.substr(text.rfind('/') + 1);
}

// Another row with `row`'s serial from another MAC address on the same kind of interface: a
// second camera, not the same camera's other interface.
bool SerialAnsweredTwice(const discovery::CameraRow* rows, int count,
                         const discovery::CameraRow& row) {
    for (int i = 0; i < count; ++i)
        if (FieldText(rows[i].serial) == FieldText(row.serial) &&
            FieldText(rows[i].mac) != FieldText(row.mac) &&
            InterfaceOf(rows[i]) == InterfaceOf(row))
            return true;
    return false;
}

void Discover(std::vector<Job>& jobs, bool byMac, double seconds) {
    discovery::CPLipf engine;
    discovery::CameraRow* rows = nullptr;
    int count = 0, capacity = 0;
    auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < deadline) {
        engine.Query(&rows, &count, &capacity, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    engine.Query(&rows, &count, &capacity, 0);
    for (Job& job : jobs) {
        const discovery::CameraRow* row = byMac ? FindRowByMac(rows, count, job.key)
                                                : discovery::FindRowBySerial(rows, count, job.key);
        if (row == nullptr) continue;
        if (SerialAnsweredTwice(rows, count, *row)) {
            // Configuring one of them would be a guess, and finding it again another.
            job.status = "failed";
            job.detail = "two cameras answer with this serial number";
            Progress("%s: two cameras answer with its serial number; neither is configured\n",
                     job.key.c_str());
            continue;
        }
        job.found = true;
        job.serial = FieldText(row->serial);
        job.ip = FieldText(row->ip);
        job.port = FieldText(row->port);
    }
}

// "CAM_ERR_FAILURE: the camera reported a failure": a job's reason, on the job's thread.
std::string Reason(int code) {
    return std::string(camera::ResultName(code)) + ": " +
           camera::ResultReason(code, camera::LastHttpStatus());
}

// The save of the read `settings`, its pages read back when `verify`.
void Save(Job& job, CameraSettings& settings, const Credentials& credentials, bool verify) {
    job.report = std::make_unique<SaveReport>(
        false, verify, [&job](const std::string& what, const std::string& text) {
            Progress("%s %s: %s\n", job.key.c_str(), what.c_str(), text.c_str());
        });
    uint32_t networkWritten = 0;
    workflow::SaveHooks hooks = job.report->Hooks();
    hooks.onStep = [&networkWritten, tell = hooks.onStep](camera::SaveStep step, int result) {
        if (step == camera::SaveStep::Network) networkWritten = platform::SystemTickMs();
        tell(step, result);
    };
    job.outcome =
        workflow::SaveCamera(settings, false, verify, GivenCredentials(credentials), hooks);
    if (!job.outcome.Succeeded()) {
        job.status = "failed";
        job.detail = "save, " + job.report->Failure(job.outcome);
        Progress("%s save failed; %s\n", job.key.c_str(),
                 job.report->TakenText(job.outcome).c_str());
        return;
    }
    job.saved = true;
    job.expect = workflow::ExpectAfterSave(settings, networkWritten);
    job.written = std::make_unique<CameraSettings>(settings);
}

void Configure(Job& job, const std::vector<Column>& columns, const CameraSettings& pc,
               const Credentials& common, bool verify) {
    CameraSettings settings = pc;
    AimAt(settings, job.ip, job.port);
    camera::SetFieldText(settings.cameraIdText, job.serial);
    Credentials credentials = common;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].field) continue;
        (columns[c].name == "user" ? credentials.user : credentials.password) = job.values[c];
        credentials.given = true;
    }

    camera::SettingsReadResult read;
    int code = workflow::SelectAndRead(settings, GivenCredentials(credentials), {}, read);
    if (code == camera::CAM_OK && !read.succeeded) code = read.scanError;
    Progress("%s read: %s\n", job.key.c_str(), DescribeResult(code).c_str());
    if (code != camera::CAM_OK || !read.succeeded) {
        job.status = "failed";
        job.detail = "read: " + Reason(code);
        return;
    }
    std::string error;
    camera::GivenPorts ports;
    const CameraSettings reported = settings;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (!columns[c].field) continue;
        camera::SetFieldFromText(settings, *columns[c].field, job.values[c], error);
        ports.Take(*columns[c].field, job.values[c]);
    }
    if (const char* unsafe = camera::FindUnsafeValue(settings, false)) {
        Progress("%s save refused: %s would break the request\n", job.key.c_str(), unsafe);
        job.status = "failed";
        job.detail = std::string("unsafe ") + unsafe;
        return;
    }
    std::string refused = camera::CameraAddressProblem(settings, reported);
    if (refused.empty()) refused = camera::WirelessKeyProblem(settings, reported);
    if (!refused.empty()) {
        Progress("%s save refused: %s\n", job.key.c_str(), refused.c_str());
        job.status = "failed";
        job.detail = refused;
        return;
    }
    if (std::string clash = ports.ProblemWith(settings); !clash.empty()) {
        Progress("%s save refused: %s\n", job.key.c_str(), clash.c_str());
        job.status = "failed";
        job.detail = clash + " (with the camera's own)";
        return;
    }
    Save(job, settings, credentials, verify);
}

// Looks for every saved camera by its serial number until all are found or time runs out.
void Refind(std::vector<Job>& jobs, double seconds) {
    auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    auto waiting = [&] {
        return std::count_if(jobs.begin(), jobs.end(),
                             [](const Job& j) { return j.saved && j.newIp.empty(); });
    };
    while (waiting() > 0 && Clock::now() < deadline) {
        discovery::CPLipf engine;
        discovery::CameraRow* rows = nullptr;
        int count = 0, capacity = 0;
        auto engineEnd = Clock::now() + std::chrono::milliseconds(kRefindEngineMs);
        while (Clock::now() < engineEnd && Clock::now() < deadline && waiting() > 0) {
            engine.Query(&rows, &count, &capacity, 0);
            for (Job& job : jobs) {
                if (!job.saved || !job.newIp.empty()) continue;
                const discovery::FoundCamera* camera =
                    workflow::FindSavedCamera(engine.Cameras(), job.expect);
                if (camera == nullptr) continue;
                discovery::CameraRow row;
                discovery::FillRow(*camera, row);
                job.newIp = FieldText(row.ip);
                job.newPort = FieldText(row.port);
                Progress("%s found again at %s:%s\n", job.key.c_str(), job.newIp.c_str(),
                         job.newPort.c_str());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        }
    }
    for (Job& job : jobs) {
        if (job.saved && job.newIp.empty()) {
            job.status = "not found";
            job.detail = "not found again after the save";
            Progress("%s not found again after the save\n", job.key.c_str());
        }
    }
}

// The network page of a camera found again, read back at its new address when `verify`, and
// the camera's status from all it reported.
void Conclude(Job& job, bool verify) {
    if (job.newIp.empty()) return;
    if (verify) {
        CameraSettings aimed = *job.written;
        AimAt(aimed, job.newIp, job.newPort);
        job.report->OnCheck(workflow::VerifyNetwork(aimed, false, job.outcome));
    }
    job.status = !job.outcome.Succeeded() ? "failed" : job.outcome.AllKept() ? "done" : "not kept";
    if (!job.outcome.Succeeded())
        job.detail = "save, " + job.report->Failure(job.outcome);
    else if (!job.outcome.AllKept())
        job.detail = NotKeptText(job.outcome.checks);
    Progress("%s %s\n", job.key.c_str(), job.status.c_str());
}

// Reaching each camera's subnet changes the PC's addresses: one subnet at a time. `where` is
// the address discovery found the camera at, or the one it was found again at.
void ReachSubnets(const std::vector<Job>& jobs, std::string Job::*where, const CameraSettings& pc,
                  workflow::CameraReach& reach) {
    std::set<uint32_t> subnets;
    for (const Job& job : jobs) {
        if ((job.*where).empty()) continue;
        uint32_t address = platform::ParseDottedAddressOr(job.*where, 0);
        if (!subnets.insert(address & htonl(0xFFFFFF00u)).second) continue;
        CameraSettings aim = pc;
        aim.cameraAddress = address;
        localnet::SubnetResult result =
            reach.Reach(aim, [](const char* text) { Progress("%s\n", text); });
        if (result == localnet::SubnetResult::Added)
            Progress("%s: reached its subnet through the temporary address %s\n", job.key.c_str(),
                     platform::DottedAddress(reach.Held().back()).c_str());
        else if (result != localnet::SubnetResult::AlreadyReachable)
            Progress("%s: its subnet could not be made reachable\n", job.key.c_str());
    }
}

// `work` on every job, on `parallel` workers.
template <typename Work>
void ForEachJob(std::vector<Job>& jobs, int parallel, const Work& work) {
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < parallel; ++w) {
        workers.emplace_back([&] {
            for (size_t i; (i = next++) < jobs.size();) work(jobs[i]);
        });
    }
    for (std::thread& t : workers) t.join();
}

// The summary, or the JSON outcome per camera; the exit status.
int PrintOutcome(const std::vector<Job>& jobs) {
    int done = 0, notKept = 0, failed = 0, missing = 0;
    for (const Job& job : jobs) {
        if (job.status == "done")
            ++done;
        else if (job.status == "not kept")
            ++notKept;
        else if (job.status == "failed")
            ++failed;
        else
            ++missing;
    }
    if (g_json) {
        Json out = Json::array();
        for (const Job& j : jobs) {
            out.push_back(
                {{"key", Utf8Text(j.key)},
                 {"status", j.status},
                 {"detail", Utf8Text(j.detail)},
                 {"ip", j.newIp},
                 {"port", PortJson(j.newPort)},
                 {"verified", j.report ? j.report->Verified() : Json::object()},
                 {"taken", j.report ? Json(j.report->Pages(j.outcome, true)) : Json::array()}});
        }
        PrintJson(out);
    } else {
        std::printf("summary: %d done, %d not kept, %d failed, %d not found\n", done, notKept,
                    failed, missing);
    }
    return done == static_cast<int>(jobs.size()) ? 0 : 1;
}

}  // namespace

int RunApply(int argc, char** argv) {
    std::string path, error;
    Credentials credentials;
    double seconds = 3, refindSeconds = 120;
    int parallel = 16;
    bool noVerify = false;
    g_json = false;
    Command command("apply", "Configure many cameras at once from a CSV file.");
    command.add_option("FILE", path, "the CSV file: a serial or mac column, then fields")
        ->required()
        ->check(CLI::ExistingFile);
    AddCredentials(command, credentials);
    command.add_flag("--json", g_json, "print the outcome per camera as JSON");
    command.add_option("--seconds", seconds, "how long discovery listens (default 3)")
        ->check(CLI::Range(0.001, 3600.0));
    command
        .add_option("--refind-seconds", refindSeconds,
                    "how long to look for the saved cameras (default 120)")
        ->check(CLI::Range(0.001, 3600.0));
    command.add_option("--parallel", parallel, "cameras configured at once (default 16)")
        ->check(CLI::Range(1, 256));
    command.add_flag("--no-verify", noVerify,
                     "do not read the written pages back (for cameras known to hide values, "
                     "such as ones that report keys as blanks)");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    bool byMac = false;
    std::vector<Column> columns;
    std::vector<Job> jobs;
    if (!LoadJobs(path, byMac, columns, jobs, error)) return Problem(error);

    discovery::SetDiscoveryLog(nullptr);
    Discover(jobs, byMac, seconds);
    for (const Job& job : jobs)
        if (!job.found && job.status != "failed")
            Progress("%s not found on the network\n", job.key.c_str());

    auto netPlatform = platform::OpenNetwork();
    CameraSettings pc = camera::NewCameraSettings();
    localnet::SurveyPcNetwork(pc, *netPlatform);
    workflow::CameraReach reach(*netPlatform);
    ReachSubnets(jobs, &Job::ip, pc, reach);
    ForEachJob(jobs, parallel, [&](Job& job) {
        if (job.found) Configure(job, columns, pc, credentials, !noVerify);
    });
    Refind(jobs, refindSeconds);
    if (!noVerify) ReachSubnets(jobs, &Job::newIp, pc, reach);
    ForEachJob(jobs, parallel, [&](Job& job) { Conclude(job, !noVerify); });
    reach.RemoveAll();
    return PrintOutcome(jobs);
}

}  // namespace orvanta::cli
