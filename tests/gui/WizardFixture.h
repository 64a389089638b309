// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A wizard in a folder of its own, with scripted backends and prompt, ready to drive.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "ReplyBuilder.h"
#include "app/CWizardDlg.h"
#include "platform/Clock.h"
#include "shell/Backends.h"
#include "shell/CSubPage.h"
#include "shell/JobRunner.h"
#include "shell/Prompt.h"

namespace orvanta::test {

// Runs the event loop until `done` holds or `ms` milliseconds passed.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

inline void Flush() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

class ScriptedCamera : public shell::CameraBackend {
public:
    std::deque<int> systemResults;  // then 0
    int authResult = 0;
    std::atomic<int> systemReads{0};
    std::atomic<int> authReads{0};
    std::string authUser, authPassword;
    // The read job; the default succeeds at once.
    std::function<camera::SettingsReadResult(camera::CameraSettings&)> read =
        [](camera::CameraSettings&) { return camera::SettingsReadResult{.succeeded = true}; };
    std::function<workflow::SaveOutcome(camera::CameraSettings&, bool)> save =
        [](camera::CameraSettings&, bool) { return workflow::SaveOutcome{}; };
    std::atomic<int> saves{0};
    std::atomic<bool> lastSaveWps{false};
    uint8_t scanDone = 1;
    int32_t scanCount = 2;
    int natReads = 0;
    std::string natReadAddress;

    // As the core does it: three system reads, the last counts; on Unauthorized the
    // credentials and the read with them.
    camera::SelectResult SelectCamera(camera::CameraSettings& s,
                                      const camera::CredentialSource& credentials) override {
        camera::SelectResult result;
        s.userName[0] = s.userPassword[0] = 0;
        for (int i = 0; i < 3; ++i) {
            ++systemReads;
            result.code = 0;
            if (!systemResults.empty()) {
                result.code = systemResults.front();
                systemResults.pop_front();
            }
        }
        if (result.code != camera::CAM_ERR_UNAUTHORIZED || !credentials(authUser, authPassword))
            return result;
        camera::SetFieldText(s.userName, authUser);
        camera::SetFieldText(s.userPassword, authPassword);
        ++authReads;
        result.authTried = true;
        result.code = authResult;
        return result;
    }
    camera::SettingsReadResult RunSettingsRead(camera::CameraSettings& s) override {
        return read(s);
    }
    workflow::SaveOutcome RunSave(camera::CameraSettings& s, bool withWps) override {
        ++saves;
        lastSaveWps = withWps;
        return save(s, withWps);
    }
    // The network page read back after the re-find; the default adds nothing to the outcome.
    std::function<void(workflow::SaveOutcome&)> verifyNetwork = [](workflow::SaveOutcome&) {};
    void VerifyNetwork(const camera::CameraSettings&, bool,
                       workflow::SaveOutcome& outcome) override {
        verifyNetwork(outcome);
    }
    std::vector<camera::AccessPoint> ScanAccessPoints(camera::CameraSettings& s) override {
        s.apScanDone = scanDone;
        s.apCount = scanDone ? scanCount : 0;
        return std::vector<camera::AccessPoint>(static_cast<size_t>(s.apCount));
    }
    int ReadNatStatus(camera::CameraSettings& s) override {
        ++natReads;
        natReadAddress = s.cameraAddressText;
        s.NATStat = 1;
        return 0;
    }
    // WPS: the start's result, and the (WPS, WPS_ACK) pair each status query reports, the last
    // one repeated.
    int wpsStartResult = 0;
    int wpsStarts = 0;
    int wpsQueries = 0;
    std::vector<std::pair<uint8_t, uint8_t>> wpsStates{{1, 0}};
    int StartWps(camera::CameraSettings&) override {
        ++wpsStarts;
        return wpsStartResult;
    }
    int QueryWps(camera::CameraSettings& s) override {
        auto state =
            wpsStates[std::min<size_t>(static_cast<size_t>(wpsQueries), wpsStates.size() - 1)];
        ++wpsQueries;
        s.WPS = state.first;
        s.WPS_ACK = state.second;
        return 0;
    }
};

class ScriptedServer : public shell::ServerBackend {
public:
    Listing answer;
    std::string id, password;
    int page = 0;
    int logins = 0;
    Listing ListCameras(const camera::ServerLogin& login, int loginPage) override {
        ++logins;
        id = login.id;
        password = login.password;
        page = loginPage;
        return answer;
    }
};

class ScriptedNetwork : public shell::NetworkBackend {
public:
    uint8_t lan = 1, dialUp = 0, dhcp = 1;
    bool internet = true;
    int ensures = 0, removals = 0, surveys = 0;
    std::vector<uint32_t> ensuredAddresses;  // cameraAddress at each EnsureCameraSubnet
    Probe probe{localnet::ProbeResult::Free, 0};
    std::vector<std::pair<uint32_t, uint32_t>> probes;  // target, source
    void SurveyPcNetwork(camera::CameraSettings& s) override {
        ++surveys;
        s.pcHasLan = lan;
        s.pcHasDialUp = dialUp;
        s.pcUsesDhcp = dhcp;
    }
    bool ProbeInternet() override { return internet; }
    void EnsureCameraSubnet(const camera::CameraSettings& s) override {
        ++ensures;
        ensuredAddresses.push_back(s.cameraAddress);
    }
    void RemoveTemporaryAddresses() override { ++removals; }
    Probe ProbeAddress(uint32_t target, uint32_t source) override {
        probes.emplace_back(target, source);
        return probe;
    }
};

// One scripted engine: its rows, and whether the next Query reports them as changed.
struct ScriptedEngine : shell::DiscoveryEngine {
    std::vector<discovery::FoundCamera> found;  // lastSeen 0: arrives when first queried
    std::vector<discovery::CameraRow> rows;
    bool changed = false;  // mode 0 returns 1 once after this is set, else 0 (-1 when empty)
    int queries = 0;
    int cycles = 0;  // RequestCycle calls
    int Query(discovery::CameraRow** out, int* count, int* capacity, int mode) override {
        ++queries;
        rows.resize(found.size());
        for (size_t i = 0; i < found.size(); ++i) {
            if (found[i].lastSeen == 0) found[i].lastSeen = platform::SystemTickMs();
            discovery::FillRow(found[i], rows[i]);
        }
        if (rows.empty()) return -1;
        *out = rows.data();
        *count = *capacity = static_cast<int>(rows.size());
        if (mode != 1 && !changed) return 0;
        changed = false;
        return 1;
    }
    void RequestCycle() override { ++cycles; }
    const std::vector<discovery::FoundCamera>& Cameras() const override { return found; }
};

// Engines in the order the window makes them: the re-find's first, the search page's next.
class ScriptedDiscovery : public shell::DiscoveryBackend {
public:
    std::vector<std::shared_ptr<ScriptedEngine>> engines = {std::make_shared<ScriptedEngine>(),
                                                            std::make_shared<ScriptedEngine>()};
    size_t made = 0;
    std::unique_ptr<shell::DiscoveryEngine> NewEngine() override {
        struct Proxy : shell::DiscoveryEngine {
            std::shared_ptr<ScriptedEngine> engine;
            int Query(discovery::CameraRow** r, int* n, int* c, int mode) override {
                return engine->Query(r, n, c, mode);
            }
            void RequestCycle() override { engine->RequestCycle(); }
            const std::vector<discovery::FoundCamera>& Cameras() const override {
                return engine->Cameras();
            }
        };
        auto proxy = std::make_unique<Proxy>();
        if (made >= engines.size()) engines.push_back(std::make_shared<ScriptedEngine>());
        proxy->engine = engines[made++];
        return proxy;
    }
};

// Timers that run only when a test ticks them.
class ManualTimers : public shell::TimerSource {
public:
    struct Timer : shell::PageTimer {
        std::function<void()> onTick;
        int period = 0;
        bool active = false;
        void Start(int periodMs) override {
            period = periodMs;
            active = true;
        }
        void Stop() override { active = false; }
        bool Active() const override { return active; }
    };
    std::vector<Timer*> timers;
    std::unique_ptr<shell::PageTimer> MakeTimer(QObject*, std::function<void()> onTick) override {
        auto timer = std::make_unique<Timer>();
        timer->onTick = std::move(onTick);
        timers.push_back(timer.get());
        return timer;
    }
    // Ticks every running timer `n` times, handling the codes they post in between.
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i)
            for (Timer* t : timers)
                if (t->active) t->onTick();
    }
};

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        // The user's settings live in a config folder of the test's own.
        setenv("XDG_CONFIG_HOME", folder_.filePath("config").toLocal8Bit().constData(), 1);
        QDir(folder_.path()).mkpath("Language");
        for (const char* name : {"ENG.ini", "CHT.ini"}) {
            QFile::copy(QString(ORVANTA_SOURCE_DIR "/resources/Language/") + name,
                        folder_.filePath(QString("Language/") + name));
        }
        camera_ = std::make_shared<ScriptedCamera>();
        network_ = std::make_shared<ScriptedNetwork>();
        discovery_ = std::make_shared<ScriptedDiscovery>();
        refind_ = discovery_->engines[0];
        search_ = discovery_->engines[1];
        timers_ = std::make_shared<ManualTimers>();
    }

    app::WizardOptions Options() {
        app::WizardOptions options;
        options.executablePath = folder_.filePath("orvanta2").toStdString();
        options.camera = camera_;
        options.network = network_;
        options.discovery = discovery_;
        options.timers = timers_;
        options.lockPath = folder_.filePath("lock").toStdString();
        options.userLanguage = "ENU";
        options.timeScale = 0.001;
        return options;
    }

    QString DefaultLangPath() { return folder_.filePath("config/orvanta2/defaultlang.ini"); }
    void WriteDefaultLang(const QString& text) {
        QDir().mkpath(folder_.filePath("config/orvanta2"));
        QFile file(DefaultLangPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    QString ReadDefaultLang() {
        QFile file(DefaultLangPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void WriteLanguage(const QString& name, const QString& text) {
        QFile file(folder_.filePath("Language/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

    // A started wizard, English, on its first page.
    std::unique_ptr<app::CWizardDlg> Start(app::WizardOptions options) {
        auto wizard = std::make_unique<app::CWizardDlg>(std::move(options));
        EXPECT_TRUE(wizard->Initialise());
        wizard->show();
        Flush();
        return wizard;
    }
    std::unique_ptr<app::CWizardDlg> Start() {
        WriteDefaultLang("[DefaultLang]\nLangFile=ENG.ini\n");
        return Start(Options());
    }
    // Ticks the job runner's timers, each tick after the worker then running has ended, until
    // no job or re-find runs; false when one still runs after `ticks`.
    bool TickJobs(app::CWizardDlg& wizard, int ticks = 400) {
        for (int i = 0; i < ticks; ++i) {
            Flush();
            if (!wizard.Jobs().JobTimerActive() && !wizard.Jobs().RefindTimerActive()) return true;
            if (!WaitUntil([&] { return wizard.Jobs().WorkerEnded(); })) return false;
            jobTimers_->Tick(1);
        }
        Flush();
        return !wizard.Jobs().JobTimerActive() && !wizard.Jobs().RefindTimerActive();
    }
    // The same, with the job runner's timers ticked by the test (jobTimers_).
    std::unique_ptr<app::CWizardDlg> StartTicked() {
        WriteDefaultLang("[DefaultLang]\nLangFile=ENG.ini\n");
        app::WizardOptions options = Options();
        options.jobTimers = jobTimers_;
        return Start(std::move(options));
    }

    QString Message(size_t i) const {
        return i < prompt_.Messages().size() ? prompt_.Messages()[i].text : QString("<none>");
    }

    QTemporaryDir folder_;
    shell::ScriptedPrompt prompt_;
    std::shared_ptr<ScriptedCamera> camera_;
    std::shared_ptr<ScriptedNetwork> network_;
    std::shared_ptr<ScriptedDiscovery> discovery_;
    std::shared_ptr<ScriptedEngine> refind_;  // the window's, for the re-find after a save
    std::shared_ptr<ScriptedEngine> search_;  // the search page's
    std::shared_ptr<ManualTimers> timers_;
    std::shared_ptr<ManualTimers> jobTimers_ = std::make_shared<ManualTimers>();
};

}  // namespace orvanta::test
