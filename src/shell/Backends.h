// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's reach into the camera, the PC's network and discovery, as interfaces: the
// program binds the real commands, tests bind scripted ones.
#include <cstdint>
#include <memory>
#include <vector>

#include "camera/commands/AccessPointScan.h"
#include "camera/commands/CameraSelection.h"
#include "camera/commands/ServerListing.h"
#include "camera/commands/SettingsRead.h"
#include "camera/record/CameraSettings.h"
#include "discovery/CPLipf.h"
#include "localnet/LocalNetwork.h"
#include "workflow/Save.h"

namespace orvanta::shell {

class CameraBackend {
public:
    virtual ~CameraBackend() = default;
    // Selecting the camera: its system page, with the credentials when it asks for them
    // (user-interface thread).
    virtual camera::SelectResult SelectCamera(camera::CameraSettings& settings,
                                              const camera::CredentialSource& credentials) = 0;
    // The whole read job (worker thread, on the job's own record).
    virtual camera::SettingsReadResult RunSettingsRead(camera::CameraSettings& settings) = 0;
    // The save sequence with its read-backs, `withWps` for the WPS variant (worker thread).
    virtual workflow::SaveOutcome RunSave(camera::CameraSettings& settings, bool withWps) = 0;
    // The network page read back once the saved camera was found again at its new address
    // (workflow::VerifyNetwork); the check joins `outcome`.
    virtual void VerifyNetwork(const camera::CameraSettings& written, bool withWps,
                               workflow::SaveOutcome& outcome) = 0;
    // The access-point scan (user-interface thread); sets apScanDone and apCount.
    virtual std::vector<camera::AccessPoint> ScanAccessPoints(camera::CameraSettings& settings) = 0;
    // Act 1, Page 34: the NAT status at the camera's new address.
    virtual int ReadNatStatus(camera::CameraSettings& settings) = 0;
    // Push-button WPS (user-interface thread, one bounded request each): the start, and the
    // status query that sets WPS and WPS_ACK.
    virtual int StartWps(camera::CameraSettings& settings) = 0;
    virtual int QueryWps(camera::CameraSettings& settings) = 0;
};

// The registration server (user-interface thread, bounded by the transport's waits).
class ServerBackend {
public:
    struct Listing {
        int result = camera::CAM_OK;  // why there is no list, CAM_OK with one
        std::vector<camera::ServerCamera> cameras;
    };
    virtual ~ServerBackend() = default;
    // Page 3: device login, Page 2: user login.
    virtual Listing ListCameras(const camera::ServerLogin& login, int page) = 0;
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
    // Whether a host holds `target`, asked by ARP from `source` (network byte order).
    // `error` is the platform's code when no probe could be sent.
    struct Probe {
        localnet::ProbeResult result = localnet::ProbeResult::Failed;
        int error = 0;
    };
    virtual Probe ProbeAddress(uint32_t target, uint32_t source) = 0;
};

// A discovery engine of its own for each owner (the search page, the re-find after a save).
class DiscoveryEngine {
public:
    virtual ~DiscoveryEngine() = default;
    virtual int Query(discovery::CameraRow** rows, int* rowCount, int* rowCapacity, int mode) = 0;
    // Sends a request cycle now, however recent the last one was.
    virtual void RequestCycle() = 0;
    // The found cameras in row order, each with the arrival of its latest reply.
    virtual const std::vector<discovery::FoundCamera>& Cameras() const = 0;
};

class DiscoveryBackend {
public:
    virtual ~DiscoveryBackend() = default;
    virtual std::unique_ptr<DiscoveryEngine> NewEngine() = 0;
};

}  // namespace orvanta::shell
