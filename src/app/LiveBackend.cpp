// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LiveBackend.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#include "camera/commands/CameraSelection.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/commands/Wps.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"
#include "lang/IniFile.h"
#include "localnet/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/NetworkFactory.h"
#include "shell/Prompt.h"
#include "workflow/Reach.h"

namespace orvanta::app {

namespace {

constexpr const char* kDefaultProbeHost = "example.com";
// The probe's own connect limit is shorter; this also bounds a slow name look-up.
constexpr auto kProbeLimit = std::chrono::milliseconds(3500);

class LiveCamera : public shell::CameraBackend {
public:
    camera::SelectResult SelectCamera(camera::CameraSettings& s,
                                      const camera::CredentialSource& credentials) override {
        return camera::SelectCamera(s, credentials);
    }
    camera::SettingsReadResult RunSettingsRead(camera::CameraSettings& s) override {
        return camera::RunSettingsRead(s, workflow::OwnFreeAddressFinder());
    }
    workflow::SaveOutcome RunSave(camera::CameraSettings& s, bool withWps) override {
        return workflow::RunSave(s, withWps, true);
    }
    void VerifyNetwork(const camera::CameraSettings& written, bool withWps,
                       workflow::SaveOutcome& outcome) override {
        workflow::VerifyNetwork(written, withWps, outcome);
    }
    std::vector<camera::AccessPoint> ScanAccessPoints(camera::CameraSettings& s) override {
        return camera::ScanAccessPoints(s, s.cameraAddressText, s.cameraPortText);
    }
    int ReadNatStatus(camera::CameraSettings& s) override {
        return camera::CameraCommand(s, s.cameraAddressText, s.cameraPortText, 1, 34, 0);
    }
    int StartWps(camera::CameraSettings& s) override {
        return camera::RunWps(s, s.cameraAddressText, s.cameraPortText, camera::kWpsStart, 3);
    }
    int QueryWps(camera::CameraSettings& s) override {
        return camera::RunWps(s, s.cameraAddressText, s.cameraPortText, camera::kWpsStatus, 3);
    }
};

class LiveServer : public shell::ServerBackend {
public:
    explicit LiveServer(ServerAddress address) : address_(std::move(address)) {}
    Listing ListCameras(const camera::ServerLogin& login, int page) override {
        Listing listing;
        int count = 0;
        auto list = camera::ListServerCameras(login, count, address_.host.c_str(),
                                              address_.port.c_str(), 1, page, &listing.result);
        if (list) listing.cameras = std::move(*list);
        return listing;
    }

private:
    ServerAddress address_;
};

class LiveNetwork : public shell::NetworkBackend {
public:
    explicit LiveNetwork(std::string probeHost) : probeHost_(std::move(probeHost)) {}
    void SurveyPcNetwork(camera::CameraSettings& s) override { localnet::SurveyPcNetwork(s, net_); }
    bool ProbeInternet() override {
        auto result = std::make_shared<std::promise<bool>>();
        std::future<bool> reachable = result->get_future();
        std::thread([host = probeHost_, result] {
            result->set_value(camera::ProbeReachable(host.c_str(), 80) == 0);
        }).detach();
        if (reachable.wait_for(kProbeLimit) != std::future_status::ready) return false;
        return reachable.get();
    }
    void EnsureCameraSubnet(const camera::CameraSettings& s) override {
        reach_.Reach(s, [](const char* text) {
            shell::ShowMessage(nullptr, QString::fromLocal8Bit(text), QString(),
                               shell::PromptIcon::Warning);
        });
    }
    void RemoveTemporaryAddresses() override { reach_.RemoveAll(); }
    Probe ProbeAddress(uint32_t target, uint32_t source) override {
        Probe probe;
        probe.result = localnet::ProbeAddress(net_, target, source, &probe.error);
        return probe;
    }

private:
    std::string probeHost_;
    std::unique_ptr<platform::NetworkPlatform> netPlatform_ = platform::OpenNetwork();
    platform::NetworkPlatform& net_ = *netPlatform_;
    workflow::CameraReach reach_{net_};
};

class LiveEngine : public shell::DiscoveryEngine {
public:
    int Query(discovery::CameraRow** rows, int* count, int* capacity, int mode) override {
        return engine_.Query(rows, count, capacity, mode);
    }
    void RequestCycle() override { engine_.RequestCycle(); }
    const std::vector<discovery::FoundCamera>& Cameras() const override {
        return engine_.Cameras();
    }

private:
    discovery::CPLipf engine_;
};

class LiveDiscovery : public shell::DiscoveryBackend {
public:
    std::unique_ptr<shell::DiscoveryEngine> NewEngine() override {
        return std::make_unique<LiveEngine>();
    }
};

}  // namespace

std::string ProbeHost(const lang::ProgramPaths& paths) {
    const char* fromEnvironment = std::getenv("ORVANTA2_PROBE_HOST");
    if (fromEnvironment && *fromEnvironment) return fromEnvironment;
    std::string configured = lang::Utf16ToUtf8(
        lang::ReadProfileString(paths.defaultLangIni, "Settings", "ProbeHost", 256));
    return configured.empty() ? kDefaultProbeHost : configured;
}

ServerAddress RegistrationServer(const lang::ProgramPaths& paths) {
    std::string text;
    if (const char* fromEnvironment = std::getenv("ORVANTA2_REGISTRATION_SERVER"))
        text = fromEnvironment;
    if (text.empty())
        text = lang::Utf16ToUtf8(
            lang::ReadProfileString(paths.defaultLangIni, "Settings", "RegistrationServer", 256));
    ServerAddress address{camera::kDefaultRegistrationServer, camera::kDefaultRegistrationPort};
    if (text.empty()) return address;
    // "host" or "host:port"; a port that is not a number keeps the default one.
    const size_t colon = text.rfind(':');
    address.host = text.substr(0, colon);
    if (colon != std::string::npos) {
        const std::string port = text.substr(colon + 1);
        if (platform::ParsePortText(port, nullptr)) address.port = port;
    }
    if (address.host.empty()) address.host = camera::kDefaultRegistrationServer;
    return address;
}

WizardOptions LiveOptions(const std::string& executablePath) {
    WizardOptions options;
    options.executablePath = executablePath;
    options.camera = std::make_shared<LiveCamera>();
    options.network =
        std::make_shared<LiveNetwork>(ProbeHost(lang::ResolveProgramPaths(executablePath)));
    options.discovery = std::make_shared<LiveDiscovery>();
    options.server =
        std::make_shared<LiveServer>(RegistrationServer(lang::ResolveProgramPaths(executablePath)));
    return options;
}

}  // namespace orvanta::app
