// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/commands/SettingsRead.h"

#include <cstring>
#include <string>

#include "camera/wire/RequestFraming.h"

namespace orvanta::camera {
namespace {

struct ModelRule {
    const char* model;
    int rule;                    // 0 never, 1 always, 2 from `minimumVersion` on
    const char* minimumVersion;  // compared byte-wise, as the firmware strings are
};

const ModelRule kModels[] = {
    {"Mervo-71", 2, "0.9.6.8"}, {"Mervo-71Q", 0, nullptr}, {"Dalix-44", 2, "0.9.6.5"},
    {"Mervo-71Z", 1, nullptr},  {"Tornel-52", 0, nullptr}, {"Quent-9Z", 1, nullptr},
};

}  // namespace

uint8_t ModelHasNewFeatures(const char* modelName, const char* version) {
    if (!modelName) return 0;
    for (const ModelRule& m : kModels) {
        if (std::strcmp(modelName, m.model) != 0) continue;
        if (m.rule != 2) return static_cast<uint8_t>(m.rule);
        return std::strcmp(version ? version : "", m.minimumVersion) >= 0 ? 1 : 0;
    }
    return 0;
}

SettingsReadResult RunSettingsRead(CameraSettings& settings, const FreeAddressFinder& findFree) {
    SettingsReadResult result;
    // A camera read afresh has run no WPS yet, whatever the one before it did.
    settings.WPS = 0;
    settings.WPS_ACK = 0;
    // Copies: the reads must not pull the host from under their own feet.
    const std::string host(FieldText(settings.cameraAddressText));
    const std::string port(FieldText(settings.cameraPortText));

    struct Read {
        int page, sub;
    };
    const Read reads[] = {{23, 0}, {1, 0}, {3, 0}, {13, 0}, {0, 15}};
    for (const Read& r : reads) {
        int code = CameraCommand(settings, host.c_str(), port.c_str(), 1, r.page, r.sub);
        if (code != CAM_OK) {
            result.error = code;
            return result;
        }
    }

    const std::string model(FieldText(settings.ModelName));
    const std::string version(FieldText(settings.Version));
    settings.newFeatures = ModelHasNewFeatures(model.c_str(), version.c_str());

    if (settings.newFeatures == 1) {
        int code = CameraCommand(settings, host.c_str(), port.c_str(), 1, 32, 0);
        if (code != CAM_OK) {
            result.error = code;
            return result;
        }
        if (settings.WirelessCap == 1) {
            settings.apScanDone = 0;
            result.accessPoints =
                ScanAccessPoints(settings, host.c_str(), port.c_str(), &result.scanError);
            if (settings.apScanDone == 0) {
                result.error = CAM_OK;  // the capability read before it succeeded
                return result;
            }
        }
    }

    if (settings.newFeatures == 1 && settings.skipAddressCheck != 1 && findFree) {
        // No search from a PC without an address: it would probe a made-up subnet.
        const uint32_t pc = settings.pcAddress;
        if (pc != 0) result.freeAddresses = findFree(pc, pc, 2);
    }

    result.succeeded = true;
    return result;
}

}  // namespace orvanta::camera
