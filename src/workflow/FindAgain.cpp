#include "workflow/FindAgain.h"

#include <algorithm>

#include "platform/AddressText.h"

namespace orvanta::workflow {

using camera::FieldText;

SavedCamera ExpectAfterSave(const camera::CameraSettings& s) {
    SavedCamera saved;
    saved.serial = std::string(FieldText(s.cameraIdText));
    if (s.IPType == 1)
        saved.addresses.push_back(platform::ParseDottedAddressOr(FieldText(s.IPAddr), 0));
    // A camera that reported no wireless address (a wired-only one keeps the flags of the
    // camera read before it) is not looked for at address 0.
    const uint32_t wireless = platform::ParseDottedAddressOr(FieldText(s.WIPAddr), 0);
    if (s.Wireless == 1 && s.WIPType == 1 && wireless != 0) saved.addresses.push_back(wireless);
    saved.port = s.HttpPort;
    return saved;
}

const discovery::CameraRow* FindSavedCamera(const discovery::CameraRow* rows, int count,
                                            const SavedCamera& saved) {
    if (rows == nullptr || saved.serial.empty()) return nullptr;
    for (int i = 0; i < count; ++i) {
        const discovery::CameraRow& row = rows[i];
        if (FieldText(row.serial) != saved.serial) continue;
        if (saved.addresses.empty()) return &row;
        uint32_t address = 0;
        uint16_t port = 0;
        const bool atWritten = platform::ParseDottedAddress(FieldText(row.ip), &address) &&
                               std::find(saved.addresses.begin(), saved.addresses.end(), address) !=
                                   saved.addresses.end();
        if (atWritten && platform::ParsePortText(FieldText(row.port), &port) && port == saved.port)
            return &row;
    }
    return nullptr;
}

discovery::CameraRow AddressAfterSave(const camera::CameraSettings& s) {
    const SavedCamera saved = ExpectAfterSave(s);
    discovery::CameraRow row{};
    camera::SetFieldText(
        row.ip, platform::DottedAddress(saved.addresses.empty() ? s.cameraAddress
                                                                : saved.addresses.front()));
    uint16_t port = 0;
    if (platform::ParsePortText(std::to_string(s.HttpPort), &port))
        camera::SetFieldText(row.port, std::to_string(port));
    else
        camera::SetFieldText(row.port, FieldText(s.cameraPortText));
    return row;
}

}  // namespace orvanta::workflow
