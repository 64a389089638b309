#include "camera/CameraSettings.h"

#include <cstring>

namespace orvanta::camera {

const char* ResultName(int code) {
    switch (code) {
        case CAM_OK:
            return "CAM_OK";
        case CAM_ERR_CONNECT:
            return "CAM_ERR_CONNECT";
        case CAM_ERR_SEND:
            return "CAM_ERR_SEND";
        case CAM_ERR_NO_ANSWER:
            return "CAM_ERR_NO_ANSWER";
        case CAM_ERR_HTTP_NOT_FOUND:
            return "CAM_ERR_HTTP_NOT_FOUND";
        case CAM_ERR_NOT_FOUND:
            return "CAM_ERR_NOT_FOUND";
        case CAM_ERR_FAILURE:
            return "CAM_ERR_FAILURE";
        case CAM_ERR_INCOMPLETE:
            return "CAM_ERR_INCOMPLETE";
        case CAM_ERR_UNAUTHORIZED:
            return "CAM_ERR_UNAUTHORIZED";
        case CAM_ERR_REQUEST_TOO_LONG:
            return "CAM_ERR_REQUEST_TOO_LONG";
        case CAM_ERR_UNSAFE_VALUE:
            return "CAM_ERR_UNSAFE_VALUE";
        default:
            return "CAM_UNKNOWN";
    }
}

CameraSettings NewCameraSettings() {
    CameraSettings settings;
    std::memset(&settings, 0, sizeof settings);
    settings.keepConnecting = 1;
    return settings;
}

}  // namespace orvanta::camera
