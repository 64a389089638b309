// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/record/CameraSettings.h"

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
        case CAM_ERR_CLOSED_EARLY:
            return "CAM_ERR_CLOSED_EARLY";
        case CAM_ERR_HTTP_STATUS:
            return "CAM_ERR_HTTP_STATUS";
        case CAM_ERR_NOT_HTTP:
            return "CAM_ERR_NOT_HTTP";
        case CAM_ERR_TOO_LONG:
            return "CAM_ERR_TOO_LONG";
        case CAM_ERR_REFUSED:
            return "CAM_ERR_REFUSED";
        case CAM_ERR_TOO_SLOW:
            return "CAM_ERR_TOO_SLOW";
        case CAM_ERR_REDIRECTED:
            return "CAM_ERR_REDIRECTED";
        case CAM_ERR_NO_STATUS:
            return "CAM_ERR_NO_STATUS";
        case CAM_ERR_NOT_KEPT:
            return "CAM_ERR_NOT_KEPT";
        default:
            return "CAM_UNKNOWN";
    }
}

std::string ResultReason(int code, int httpStatus) {
    switch (code) {
        case CAM_OK:
            return "done";
        case CAM_ERR_CONNECT:
            return "no connection (no host answered in time, or the name is unknown)";
        case CAM_ERR_REFUSED:
            return "refused (the connection was refused or reset)";
        case CAM_ERR_SEND:
            return "the request could not be sent";
        case CAM_ERR_NO_ANSWER:
            return "no answer";
        case CAM_ERR_HTTP_NOT_FOUND:
        case CAM_ERR_NOT_FOUND:
            return "not found (HTTP status 404)";
        case CAM_ERR_FAILURE:
            return "the camera reported a failure";
        case CAM_ERR_INCOMPLETE:
            return "incomplete answer (keys the page always carries are missing)";
        case CAM_ERR_UNAUTHORIZED:
            return "unauthorized (wrong or missing user and password)";
        case CAM_ERR_REQUEST_TOO_LONG:
            return "the request would be too long; nothing was sent";
        case CAM_ERR_UNSAFE_VALUE:
            return "a value holds a character that would break the request; nothing was sent";
        case CAM_ERR_CLOSED_EARLY:
            return "closed early (the answer was cut off)";
        case CAM_ERR_HTTP_STATUS:
            return httpStatus > 0 ? "HTTP status " + std::to_string(httpStatus) : "HTTP status";
        case CAM_ERR_NOT_HTTP:
            return "not HTTP (the answer is not an HTTP answer or a camera report)";
        case CAM_ERR_TOO_LONG:
            return "too long (the answer does not fit the buffer)";
        case CAM_ERR_TOO_SLOW:
            return "too slow (the answer was still coming after 10 s)";
        case CAM_ERR_REDIRECTED:
            return "redirected (HTTP status " + std::to_string(httpStatus) + ")";
        case CAM_ERR_NO_STATUS:
            return "a plain answer without a status line";
        case CAM_ERR_NOT_KEPT:
            return "not kept (the camera reports other values)";
        default:
            return "unknown result " + std::to_string(code);
    }
}

CameraSettings NewCameraSettings() {
    CameraSettings settings;
    std::memset(&settings, 0, sizeof settings);
    settings.keepConnecting = 1;
    return settings;
}

}  // namespace orvanta::camera
