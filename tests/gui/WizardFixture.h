#pragma once
// A wizard in a folder of its own, with scripted backends and prompt, ready to drive.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "app/CWizardDlg.h"
#include "shell/Backends.h"
#include "shell/CSubPage.h"
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
        [](camera::CameraSettings&) {
            camera::SettingsReadResult r;
            r.succeeded = true;
            return r;
        };
    std::function<int(camera::CameraSettings&, bool)> save = [](camera::CameraSettings&, bool) {
        return 0;
    };
    std::atomic<int> saves{0};
    std::atomic<bool> lastSaveWps{false};
    uint8_t scanDone = 1;
    int32_t scanCount = 2;
    int natReads = 0;
    std::string natReadAddress;

    int ReadSystemPage(camera::CameraSettings&) override {
        ++systemReads;
        if (systemResults.empty()) return 0;
        int r = systemResults.front();
        systemResults.pop_front();
        return r;
    }
    int ReadSystemWithAuth(camera::CameraSettings& s) override {
        ++authReads;
        authUser = s.userName;
        authPassword = s.userPassword;
        return authResult;
    }
    camera::SettingsReadResult RunSettingsRead(camera::CameraSettings& s) override {
        return read(s);
    }
    int RunSave(camera::CameraSettings& s, bool withWps) override {
        ++saves;
        lastSaveWps = withWps;
        return save(s, withWps);
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
};

class ScriptedNetwork : public shell::NetworkBackend {
public:
    uint8_t lan = 1, dialUp = 0, dhcp = 1;
    bool internet = true;
    int ensures = 0, removals = 0, surveys = 0;
    void SurveyPcNetwork(camera::CameraSettings& s) override {
        ++surveys;
        s.pcHasLan = lan;
        s.pcHasDialUp = dialUp;
        s.pcUsesDhcp = dhcp;
    }
    bool ProbeInternet() override { return internet; }
    void EnsureCameraSubnet(const camera::CameraSettings&) override { ++ensures; }
    void RemoveTemporaryAddresses() override { ++removals; }
};

class ScriptedRefind : public shell::RefindSource {
public:
    std::vector<discovery::CameraRow> rows;
    int queries = 0;
    int Query(discovery::CameraRow** out, int* count, int* capacity, int) override {
        ++queries;
        if (rows.empty()) return -1;
        *out = rows.data();
        *count = *capacity = static_cast<int>(rows.size());
        return 1;
    }
};

inline discovery::CameraRow Row(const char* ip, const char* port, const char* serial) {
    discovery::CameraRow row{};
    camera::SetFieldText(row.ip, ip);
    camera::SetFieldText(row.port, port);
    camera::SetFieldText(row.serial, serial);
    camera::SetFieldText(row.mac, "00:11:22:33:44:55");
    camera::SetFieldText(row.descInterface, "Door/ethernet");
    camera::SetFieldText(row.streamPort, "8000");
    return row;
}

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        QDir(folder_.path()).mkpath("Language");
        for (const char* name : {"ENG.ini", "CHT.ini"}) {
            QFile::copy(QString(ORVANTA_SOURCE_DIR "/resources/Language/") + name,
                        folder_.filePath(QString("Language/") + name));
        }
        camera_ = std::make_shared<ScriptedCamera>();
        network_ = std::make_shared<ScriptedNetwork>();
        refind_ = std::make_shared<ScriptedRefind>();
    }

    app::WizardOptions Options() {
        app::WizardOptions options;
        options.executablePath = folder_.filePath("orvanta2").toStdString();
        options.camera = camera_;
        options.network = network_;
        options.refind = refind_;
        options.lockPath = folder_.filePath("lock").toStdString();
        options.userLanguage = "ENU";
        options.timeScale = 0.001;
        return options;
    }

    void WriteDefaultLang(const QString& text) {
        QFile file(folder_.filePath("defaultlang.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    QString ReadDefaultLang() {
        QFile file(folder_.filePath("defaultlang.ini"));
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

    QString Message(size_t i) const {
        return i < prompt_.Messages().size() ? prompt_.Messages()[i].text : QString("<none>");
    }

    QTemporaryDir folder_;
    shell::ScriptedPrompt prompt_;
    std::shared_ptr<ScriptedCamera> camera_;
    std::shared_ptr<ScriptedNetwork> network_;
    std::shared_ptr<ScriptedRefind> refind_;
};

}  // namespace orvanta::test
