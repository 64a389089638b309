#include "workflow/Save.h"

#include <string>

namespace orvanta::workflow {

bool TakeSaveCredentials(camera::CameraSettings& settings, int code, bool alreadyAsked,
                         const camera::CredentialSource& credentials) {
    if (code != camera::CAM_ERR_UNAUTHORIZED || alreadyAsked || !credentials) return false;
    std::string user, password;
    if (!credentials(user, password)) return false;
    settings.SECUEN = 1;
    camera::SetFieldText(settings.userName, user);
    camera::SetFieldText(settings.userPassword, password);
    return true;
}

int SaveCamera(camera::CameraSettings& settings, bool useWps,
               const camera::CredentialSource& credentials, const StepReport& onStep) {
    const int code = camera::RunSave(settings, useWps, onStep);
    // What the camera took before it refused is written again unchanged.
    if (!TakeSaveCredentials(settings, code, false, credentials)) return code;
    return camera::RunSave(settings, useWps, onStep);
}

}  // namespace orvanta::workflow
