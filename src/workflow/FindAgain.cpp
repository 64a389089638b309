// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/FindAgain.h"

#include <algorithm>

#include "camera/rules/PortRules.h"
#include "platform/AddressText.h"

namespace orvanta::workflow {

using camera::FieldText;

SavedCamera ExpectAfterSave(const camera::CameraSettings& s, uint32_t written) {
    SavedCamera saved;
    saved.serial = std::string(FieldText(s.cameraIdText));
    if (s.IPType == 1)
        saved.addresses.push_back(platform::ParseDottedAddressOr(FieldText(s.IPAddr), 0));
    // A camera that reported no wireless address (a wired-only one keeps the flags of the
    // camera read before it) is not looked for at address 0.
    const uint32_t wireless = platform::ParseDottedAddressOr(FieldText(s.WIPAddr), 0);
    if (s.Wireless == 1 && s.WIPType == 1 && wireless != 0) saved.addresses.push_back(wireless);
    saved.port = s.HttpPort;
    saved.notBefore = written;
    return saved;
}

const discovery::FoundCamera* FindSavedCamera(const std::vector<discovery::FoundCamera>& found,
                                              const SavedCamera& saved) {
    if (saved.serial.empty()) return nullptr;
    for (const discovery::FoundCamera& camera : found) {
        // Ticks wrap: an answer counts when it arrived at or after the write.
        if (static_cast<int32_t>(camera.lastSeen - saved.notBefore) < 0) continue;
        if (discovery::SplitTextArea(camera.payload).serial != saved.serial) continue;
        if (saved.addresses.empty()) return &camera;
        const uint32_t address = discovery::PayloadAddress(camera.payload);
        const bool atWritten = std::find(saved.addresses.begin(), saved.addresses.end(), address) !=
                               saved.addresses.end();
        if (atWritten &&
            discovery::PayloadInt(camera.payload, discovery::kPayloadHttpPort) == saved.port)
            return &camera;
    }
    return nullptr;
}

discovery::CameraRow AddressAfterSave(const camera::CameraSettings& s) {
    const SavedCamera saved = ExpectAfterSave(s, 0);
    discovery::CameraRow row{};
    camera::SetFieldText(
        row.ip, platform::DottedAddress(saved.addresses.empty() ? s.cameraAddress
                                                                : saved.addresses.front()));
    camera::SetFieldText(row.port, camera::IsPortNumber(s.HttpPort)
                                       ? std::to_string(s.HttpPort)
                                       : std::string(FieldText(s.cameraPortText)));
    return row;
}

}  // namespace orvanta::workflow
