#include "cli/CameraSession.h"

#include <string>

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
