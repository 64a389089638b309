// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/commands/CameraSelection.h"

#include "camera/wire/RequestFraming.h"

namespace orvanta::camera {

SelectResult SelectCamera(CameraSettings& settings, const CredentialSource& credentials) {
    // Copies: the answers are parsed into the same record the host and port come from.
    char host[sizeof settings.cameraAddressText] = {};
    char port[sizeof settings.cameraPortText] = {};
    SetFieldText(host, FieldText(settings.cameraAddressText));
    SetFieldText(port, FieldText(settings.cameraPortText));
    SetFieldText(settings.userName, "");
    SetFieldText(settings.userPassword, "");

    SelectResult result;
    for (int i = 0; i < kSystemReads; ++i)
        result.code = CameraCommand(settings, host, port, 1, 1, 0);
    if (result.code != CAM_ERR_UNAUTHORIZED || !credentials) return result;
    std::string user, password;
    if (!credentials(user, password)) return result;
    SetFieldText(settings.userName, user);
    SetFieldText(settings.userPassword, password);
    result.authTried = true;
    result.code = ReadSystemWithAuth(settings, host, port);
    return result;
}

}  // namespace orvanta::camera
