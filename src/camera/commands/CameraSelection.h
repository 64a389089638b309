// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Selecting a camera, as the wizard and the command-line tool both do it: its system page,
// and the same page with credentials when the camera asks for them.
#include <functional>
#include <string>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

// Asked when the camera answered the system read with "Unauthorized": fills the user and the
// password (the wizard asks in a dialog, the CLI gives its --user/--password). False: no
// credentials to try, the Unauthorized result stands.
using CredentialSource = std::function<bool(std::string& user, std::string& password)>;

struct SelectResult {
    int code = CAM_OK;       // CAM_OK, or the code of the read that counts
    bool authTried = false;  // the read with authorization ran (its result is `code`)
};

// Cameras answer the first reads after a restart unreliably: the system read is sent this
// many times and the last answer counts.
constexpr int kSystemReads = 3;

// Clears userName/userPassword; sends the Page 1 read kSystemReads times; on
// CAM_ERR_UNAUTHORIZED asks `credentials` (an empty source counts as none), stores them in
// userName/userPassword (cut to 63 characters) and sends ReadSystemWithAuth. Host and port
// are cameraAddressText and cameraPortText.
SelectResult SelectCamera(CameraSettings& settings, const CredentialSource& credentials);

}  // namespace orvanta::camera
