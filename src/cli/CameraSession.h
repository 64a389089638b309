#pragma once
// What the camera commands do once they have a camera: select it as the wizard does (its
// system page, with the credentials when it asks for them), then read its settings.
#include <string>

#include "camera/CameraSelection.h"
#include "camera/CameraSettings.h"
#include "camera/SettingsRead.h"

namespace orvanta::cli {

struct Credentials {
    std::string user, password;
    bool given = false;
};

// The credentials of the command line for camera::SelectCamera: none unless given.
camera::CredentialSource GivenCredentials(const Credentials& credentials);

// camera::SelectCamera, then the settings read job. Returns 0 or the code that stopped it (0 with
// `result.succeeded` false: the camera gave no access-point report).
int SelectAndRead(camera::CameraSettings& settings, const Credentials& credentials,
                  const camera::FreeAddressFinder& findFree, camera::SettingsReadResult& result);

}  // namespace orvanta::cli
