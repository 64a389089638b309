// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/ListedCamera.h"

#include "platform/AddressText.h"

namespace orvanta::discovery {

using camera::FieldText;
using camera::SetFieldText;

void TakeListedCamera(camera::CameraSettings& settings, const CameraRow& row) {
    TakeFoundCamera(settings, row);
    settings.cameraWireless =
        FieldText(row.descInterface).find("wireless") != std::string_view::npos ? 1 : 0;
    SetFieldText(settings.cameraIdText, FieldText(row.serial));
}

const CameraRow* FindRowBySerial(const CameraRow* rows, int count, std::string_view serial) {
    if (rows == nullptr || serial.empty()) return nullptr;
    for (int i = 0; i < count; ++i)
        if (FieldText(rows[i].serial) == serial) return &rows[i];
    return nullptr;
}

void TakeFoundCamera(camera::CameraSettings& settings, const CameraRow& row) {
    SetFieldText(settings.cameraAddressText, FieldText(row.ip));
    SetFieldText(settings.cameraPortText, FieldText(row.port));
    settings.cameraAddress = platform::ParseDottedAddressOr(FieldText(row.ip), 0);
}

}  // namespace orvanta::discovery
