#pragma once
// The main window's reach into the camera, the PC's network and discovery, as interfaces: the
// program binds the real commands, tests bind scripted ones.
#include <cstdint>
#include <vector>

#include "camera/AccessPointScan.h"
#include "camera/CameraSettings.h"
#include "camera/SettingsRead.h"
#include "discovery/CPLipf.h"

namespace orvanta::shell {

class CameraBackend {
public:
    virtual ~CameraBackend() = default;
    // Act 1, Page 1 (user-interface thread).
    virtual int ReadSystemPage(camera::CameraSettings& settings) = 0;
    // The Page 1 read with authorization (user-interface thread).
    virtual int ReadSystemWithAuth(camera::CameraSettings& settings) = 0;
    // The whole read job (worker thread, on the job's own record).
    virtual camera::SettingsReadResult RunSettingsRead(camera::CameraSettings& settings) = 0;
    // The save sequence, `withWps` for the WPS variant (worker thread). 0 on success.
    virtual int RunSave(camera::CameraSettings& settings, bool withWps) = 0;
    // The access-point scan (user-interface thread); sets apScanDone and apCount.
    virtual std::vector<camera::AccessPoint> ScanAccessPoints(camera::CameraSettings& settings) = 0;
    // Act 1, Page 34: the NAT status at the camera's new address.
    virtual int ReadNatStatus(camera::CameraSettings& settings) = 0;
};

class NetworkBackend {
public:
    virtual ~NetworkBackend() = default;
    // The start-up survey: adapters, addresses, DHCP state, dial-up phone book.
    virtual void SurveyPcNetwork(camera::CameraSettings& settings) = 0;
    // Whether the public web host answers on port 80. Must return within a few seconds.
    virtual bool ProbeInternet() = 0;
    // Makes the camera's subnet reachable; shows its own messages through `parent`.
    virtual void EnsureCameraSubnet(const camera::CameraSettings& settings) = 0;
    virtual void RemoveTemporaryAddresses() = 0;
};

// The discovery engine that finds the camera again after a save.
class RefindSource {
public:
    virtual ~RefindSource() = default;
    virtual int Query(discovery::CameraRow** rows, int* rowCount, int* rowCapacity, int mode) = 0;
};

}  // namespace orvanta::shell
