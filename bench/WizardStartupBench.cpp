// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard's start-up: time from process start to the first page on screen (offscreen, the
// reachability probe pointed at a closed loopback port) and the resident memory of the idle
// wizard two seconds later. Runs itself five times and prints every run and the medians.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CWizardApp.h"
#include "app/CWizardDlg.h"
#include "app/LiveBackend.h"
#include "pages/CSubFirst.h"

namespace {

constexpr int kRuns = 5;

double BootMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// Start of this process in ms since boot (field 22 of /proc/self/stat, in clock ticks).
double ProcessStartMs() {
    std::ifstream in("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    return std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long ResidentKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

class FirstPaint : public QObject {
public:
    double at = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && at == 0) at = BootMs();
        return QObject::eventFilter(watched, event);
    }
};

int Child(int argc, char** argv) {
    const double start = ProcessStartMs();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("ORVANTA2_PROBE_HOST", "127.0.0.1", 0);
    orvanta::app::CWizardApp app(argc, argv);
    QTemporaryDir folder;
    orvanta::app::WizardOptions options =
        orvanta::app::LiveOptions(app.applicationFilePath().toStdString());
    options.lockPath = folder.filePath("lock").toStdString();
    options.langFileName = "ENG.ini";
    orvanta::app::CWizardDlg wizard(options);
    FirstPaint paint;
    if (!wizard.Initialise()) return 1;
    wizard.Page<orvanta::pages::CSubFirst>(orvanta::shell::kPageFirst)->installEventFilter(&paint);
    wizard.show();
    for (int i = 0; i < 1000 && paint.at == 0; ++i) app.processEvents(QEventLoop::AllEvents, 5);
    const double firstPage = paint.at - start;
    QTimer::singleShot(2000, &app, &QApplication::quit);
    app.exec();
    std::printf("first_page_ms=%.0f rss_kb=%ld\n", firstPage, ResidentKb());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return Child(argc, argv);
    std::vector<double> times, memory;
    for (int run = 0; run < kRuns; ++run) {
        int out[2];
        if (pipe(out) != 0) return 1;
        pid_t pid = fork();
        if (pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl("/proc/self/exe", argv[0], "--child", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char buffer[256] = {};
        ssize_t n = read(out[0], buffer, sizeof buffer - 1);
        close(out[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        double ms = 0;
        long kb = 0;
        if (n <= 0 || std::sscanf(buffer, "first_page_ms=%lf rss_kb=%ld", &ms, &kb) != 2) {
            std::printf("run %d failed\n", run + 1);
            return 1;
        }
        std::printf("run %d: first page %.0f ms, idle resident %.1f MB\n", run + 1, ms,
                    kb / 1024.0);
        times.push_back(ms);
        memory.push_back(kb / 1024.0);
    }
    std::sort(times.begin(), times.end());
    std::sort(memory.begin(), memory.end());
    std::printf("median: first page %.0f ms (target < 1000), idle resident %.1f MB (target < 80)\n",
                times[kRuns / 2], memory[kRuns / 2]);
    return 0;
}
