#include "cli/CameraSession.h"

#include <string>

#include "camera/RequestFraming.h"

namespace orvanta::cli {

bool TakeCredentialOption(int argc, char** argv, int& i, Credentials& credentials,
                          std::string& error) {
    std::string arg = argv[i];
    if (arg != "--user" && arg != "--password") return false;
    if (i + 1 >= argc) {
        error = arg + " needs a value";
        return true;
    }
    std::string value = argv[++i];
    if (value.size() > 63) error = arg.substr(2) + " takes at most 63 characters";
    (arg == "--user" ? credentials.user : credentials.password) = value;
    credentials.given = true;
    return true;
}

int SelectCamera(camera::CameraSettings& settings, const Credentials& credentials) {
    const std::string host(camera::FieldText(settings.cameraAddressText));
    const std::string port(camera::FieldText(settings.cameraPortText));
    camera::SetFieldText(settings.userName, "");
    camera::SetFieldText(settings.userPassword, "");
    int code = camera::CameraCommand(settings, host.c_str(), port.c_str(), 1, 1, 0);
    if (code == camera::CAM_ERR_UNAUTHORIZED && credentials.given) {
        camera::SetFieldText(settings.userName, credentials.user);
        camera::SetFieldText(settings.userPassword, credentials.password);
        code = camera::ReadSystemWithAuth(settings, host.c_str(), port.c_str());
    }
    return code;
}

int SelectAndRead(camera::CameraSettings& settings, const Credentials& credentials,
                  const camera::FreeAddressFinder& findFree, camera::SettingsReadResult& result) {
    int code = SelectCamera(settings, credentials);
    if (code != camera::CAM_OK) return code;
    result = camera::RunSettingsRead(settings, findFree);
    return result.succeeded ? camera::CAM_OK : result.error;
}

}  // namespace orvanta::cli
