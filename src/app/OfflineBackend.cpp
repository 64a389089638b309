// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OfflineBackend.h"

#include <cerrno>

#include "platform/AddressText.h"

namespace orvanta::app {

namespace {

class Camera : public shell::CameraBackend {
public:
    camera::SelectResult SelectCamera(camera::CameraSettings&,
                                      const camera::CredentialSource&) override {
        camera::SelectResult result;
        result.code = camera::CAM_ERR_CONNECT;
        return result;
    }
    camera::SettingsReadResult RunSettingsRead(camera::CameraSettings&) override {
        camera::SettingsReadResult result;
        result.error = camera::CAM_ERR_CONNECT;
        return result;
    }
    workflow::SaveOutcome RunSave(camera::CameraSettings&, bool) override {
        workflow::SaveOutcome outcome;
        outcome.code = camera::CAM_ERR_CONNECT;
        return outcome;
    }
    void VerifyNetwork(const camera::CameraSettings&, bool, workflow::SaveOutcome&) override {}
    // The one thing that answers: a scan of two sample networks, so that the access-point
    // page has something to show.
    std::vector<camera::AccessPoint> ScanAccessPoints(camera::CameraSettings& s) override {
        std::vector<camera::AccessPoint> scan(2);
        const char* names[] = {"Home WLAN", "Cafe"};
        const char* security[] = {"WPA2-PSK", "WEP"};
        const char* algorithm[] = {"TKIP", "NONE"};
        for (size_t i = 0; i < scan.size(); ++i) {
            camera::AccessPoint& ap = scan[i];
            ap = {};
            ap.channel = static_cast<uint8_t>(6 + 5 * i);
            ap.quality = static_cast<uint8_t>(80 - 30 * i);
            camera::SetFieldText(ap.ssid, names[i]);
            camera::SetFieldText(ap.mac, i == 0 ? "00:11:22:33:44:55" : "00:11:22:33:44:66");
            camera::SetFieldText(ap.mode, "Infrastructure");
            camera::SetFieldText(ap.security, security[i]);
            camera::SetFieldText(ap.algorithm, algorithm[i]);
        }
        s.apScanDone = 1;
        s.apCount = static_cast<int32_t>(scan.size());
        return scan;
    }
    int ReadNatStatus(camera::CameraSettings&) override { return camera::CAM_ERR_CONNECT; }
    int StartWps(camera::CameraSettings&) override { return camera::CAM_ERR_CONNECT; }
    int QueryWps(camera::CameraSettings&) override { return camera::CAM_ERR_CONNECT; }
};

class Network : public shell::NetworkBackend {
public:
    explicit Network(bool internet) : internet_(internet) {}
    void SurveyPcNetwork(camera::CameraSettings& s) override {
        s.pcHasLan = 1;
        s.pcUsesDhcp = 1;
        camera::SetFieldText(s.pcAddressText, "192.168.1.20");
        s.pcAddress = platform::ParseDottedAddressOr("192.168.1.20", 0);
        camera::SetFieldText(s.pcNetmaskText, "255.255.255.0");
        camera::SetFieldText(s.pcGatewayText, "192.168.1.1");
    }
    bool ProbeInternet() override { return internet_; }
    void EnsureCameraSubnet(const camera::CameraSettings&) override {}
    void RemoveTemporaryAddresses() override {}
    Probe ProbeAddress(uint32_t, uint32_t) override {
        return {localnet::ProbeResult::Failed, -ENETDOWN};
    }

private:
    bool internet_;
};

}  // namespace

std::shared_ptr<shell::CameraBackend> OfflineCamera() {
    return std::make_shared<Camera>();
}
std::shared_ptr<shell::NetworkBackend> OfflineNetwork(bool internet) {
    return std::make_shared<Network>(internet);
}

}  // namespace orvanta::app
