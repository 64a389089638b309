// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/commands/Wps.h"

#include <cstdio>

#include "camera/record/ReportParser.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

namespace orvanta::camera {
namespace {

int BuildStatusRequest(const CameraSettings& settings, int page, char* out, size_t capacity) {
    char auth[kCredentialCapacity];
    if (BuildAuthText(settings, "", auth, sizeof auth) != CAM_OK) return CAM_ERR_REQUEST_TOO_LONG;
    char query[32];
    std::snprintf(query, sizeof query, "&%s&%s", "WPS", "WPS_ACK");
    int n = std::snprintf(out, capacity, "GET %s?Act=%d&%s=%d%s HTTP/1.0\nUser-Agent: %s-%s\n%s\n",
                          "/goform/Parameters", kWpsStatus, "Page", page, query, kProductToken,
                          kProductVersion, auth);
    if (n < 0 || static_cast<size_t>(n) >= capacity) return CAM_ERR_REQUEST_TOO_LONG;
    return n;
}

int Start(const CameraSettings& settings, const char* host, const char* port) {
    char request[kSmallRequestCapacity];
    int length = BuildPathRequest(settings, "/cgi-bin/wps.cgi", request, sizeof request);
    if (length < 0) return length;
    int fd = -1;
    if (int opened = OpenCameraConnection(settings, host, port, fd); opened != CAM_OK)
        return opened;
    int sent = SendRequest(fd, request, static_cast<size_t>(length));
    CloseConnection(fd);
    return sent > 0 ? CAM_OK : CAM_ERR_SEND;
}

int Status(CameraSettings& settings, const char* host, const char* port, int page) {
    char request[kSmallRequestCapacity];
    int length = BuildStatusRequest(settings, page, request, sizeof request);
    char answer[kSmallAnswerCapacity];
    // "Unauthorized" in the text is not looked for, a 401 status is.
    int result = AskCamera(settings, host, port, request, length, answer, sizeof answer,
                           {AnswerKind::kRead, false});
    if (result != CAM_OK) return result;
    ParseReportField(&settings.WPS, "WPS=", answer, 1, kNumberField);
    ParseReportField(&settings.WPS_ACK, "WPS_ACK=", answer, 1, kNumberField);
    return CAM_OK;
}

}  // namespace

int RunWps(CameraSettings& settings, const char* host, const char* port, int act, int page) {
    if (act == kWpsStart) {
        // A run's outcome is its own: an earlier camera's or run's success never counts for it.
        settings.WPS = 0;
        settings.WPS_ACK = 0;
        return Start(settings, host, port);
    }
    return Status(settings, host, port, page);
}

}  // namespace orvanta::camera
