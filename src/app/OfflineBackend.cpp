#include "app/OfflineBackend.h"

#include <cerrno>

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
    int RunSave(camera::CameraSettings&, bool) override { return camera::CAM_ERR_CONNECT; }
    std::vector<camera::AccessPoint> ScanAccessPoints(camera::CameraSettings& s) override {
        s.apScanDone = 0;
        s.apCount = 0;
        return {};
    }
    int ReadNatStatus(camera::CameraSettings&) override { return camera::CAM_ERR_CONNECT; }
};

class Network : public shell::NetworkBackend {
public:
    explicit Network(bool internet) : internet_(internet) {}
    void SurveyPcNetwork(camera::CameraSettings& s) override {
        s.pcHasLan = 1;
        s.pcUsesDhcp = 1;
        camera::SetFieldText(s.pcAddressText, "192.168.1.20");
        camera::SetFieldText(s.pcNetmaskText, "255.255.255.0");
        camera::SetFieldText(s.pcGatewayText, "192.168.1.1");
    }
    bool ProbeInternet() override { return internet_; }
    void EnsureCameraSubnet(const camera::CameraSettings&) override {}
    void RemoveTemporaryAddresses() override {}
    Probe ProbeAddress(uint32_t, uint32_t) override {
        return {discovery::ProbeResult::Failed, -ENETDOWN};
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
