#include "cli/CameraSession.h"

#include <string>

namespace orvanta::cli {

camera::CredentialSource GivenCredentials(const Credentials& credentials) {
    return [credentials](std::string& user, std::string& password) {
        if (!credentials.given) return false;
        user = credentials.user;
        password = credentials.password;
        return true;
    };
}

int SelectAndRead(camera::CameraSettings& settings, const Credentials& credentials,
                  const camera::FreeAddressFinder& findFree, camera::SettingsReadResult& result) {
    int code = camera::SelectCamera(settings, GivenCredentials(credentials)).code;
    if (code != camera::CAM_OK) return code;
    result = camera::RunSettingsRead(settings, findFree);
    return result.succeeded ? camera::CAM_OK : result.error;
}

}  // namespace orvanta::cli
