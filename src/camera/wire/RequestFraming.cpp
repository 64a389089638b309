// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/wire/RequestFraming.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "camera/record/ReportParser.h"
#include "camera/wire/Transport.h"

namespace orvanta::camera {
namespace {

constexpr char kParametersPath[] = "/goform/Parameters";
constexpr char kTimePath[] = "/cgi-bin/set_time.cgi";
constexpr char kPageName[] = "Page";
constexpr int kTimeSub = 15;

// The length snprintf reports, or CAM_ERR_REQUEST_TOO_LONG when the text did not fit.
int Fitted(int written, size_t capacity) {
    if (written < 0 || static_cast<size_t>(written) >= capacity) return CAM_ERR_REQUEST_TOO_LONG;
    return written;
}

int Base64Credentials(const CameraSettings& settings, char* out, size_t capacity) {
    std::string joined(FieldText(settings.userName));
    joined += ':';
    joined += FieldText(settings.userPassword);
    return Base64Encode(out, joined.data(), joined.size(), capacity) < 0 ? CAM_ERR_REQUEST_TOO_LONG
                                                                         : CAM_OK;
}

}  // namespace

int Base64Encode(char* output, const char* input, size_t length, size_t capacity) {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (!output || capacity == 0) return -1;
    size_t needed = (length + 2) / 3 * 4;
    if (needed + 1 > capacity) {
        output[0] = '\0';
        return -1;
    }
    const unsigned char* in = reinterpret_cast<const unsigned char*>(input);
    size_t o = 0;
    for (size_t i = 0; i < length; i += 3) {
        size_t left = length - i;
        unsigned v = static_cast<unsigned>(in[i]) << 16;
        if (left > 1) v |= static_cast<unsigned>(in[i + 1]) << 8;
        if (left > 2) v |= in[i + 2];
        output[o++] = kAlphabet[(v >> 18) & 63];
        output[o++] = kAlphabet[(v >> 12) & 63];
        output[o++] = left > 1 ? kAlphabet[(v >> 6) & 63] : '=';
        output[o++] = left > 2 ? kAlphabet[v & 63] : '=';
    }
    output[o] = '\0';
    return static_cast<int>(o);
}

int Base64Encode(char* output, const char* input, size_t capacity) {
    return Base64Encode(output, input, input ? std::strlen(input) : 0, capacity);
}

std::string EncodeSpaces(const char* text) {
    std::string out;
    if (!text) return out;
    for (const char* p = text; *p; ++p) {
        if (*p == ' ')
            out += "%20";
        else
            out += *p;
    }
    return out;
}

int BuildAuthText(const CameraSettings& settings, const char* fallback, char* out,
                  size_t capacity) {
    if (!out || capacity == 0) return CAM_ERR_REQUEST_TOO_LONG;
    if (settings.SECUEN != 1) {
        return Fitted(std::snprintf(out, capacity, "%s", fallback ? fallback : ""), capacity) < 0
                   ? CAM_ERR_REQUEST_TOO_LONG
                   : CAM_OK;
    }
    char credentials[kCredentialCapacity];
    if (Base64Credentials(settings, credentials, sizeof credentials) != CAM_OK)
        return CAM_ERR_REQUEST_TOO_LONG;
    int n = std::snprintf(out, capacity, "Authorization: Basic %s\n\n", credentials);
    return Fitted(n, capacity) < 0 ? CAM_ERR_REQUEST_TOO_LONG : CAM_OK;
}

int BuildCommandRequest(const CameraSettings& settings, int act, int page, int sub,
                        const char* query, char* out, size_t capacity) {
    if (!out || capacity == 0) return CAM_ERR_REQUEST_TOO_LONG;
    if (!query) query = "";
    char auth[kCredentialCapacity];
    if (BuildAuthText(settings, "\n", auth, sizeof auth) != CAM_OK) return CAM_ERR_REQUEST_TOO_LONG;
    int n;
    const bool isTime = page == 0 && sub == kTimeSub;
    if (act == 1 && isTime) {
        n = std::snprintf(out, capacity, "GET %s?Act=%d HTTP/1.0\nUser-Agent: %s-%s\n%s", kTimePath,
                          act, kProductToken, kProductVersion, auth);
    } else if (act == 1) {
        n = std::snprintf(out, capacity, "GET %s?Act=%d&%s=%d%s HTTP/1.0\nUser-Agent: %s-%s\n%s",
                          kParametersPath, act, kPageName, page, query, kProductToken,
                          kProductVersion, auth);
    } else if (isTime) {
        n = std::snprintf(out, capacity, "GET %s?Act=%d%s HTTP/1.0\nUser-Agent: %s-%s\n%s\n",
                          kTimePath, act, query, kProductToken, kProductVersion, auth);
    } else {
        n = std::snprintf(out, capacity, "GET %s?Act=%d&%s=%d%s HTTP/1.0\nUser-Agent: %s-%s\n%s\n",
                          kParametersPath, act, kPageName, page, query, kProductToken,
                          kProductVersion, auth);
    }
    if (n >= 0 && static_cast<size_t>(n) >= capacity) out[0] = '\0';  // never a cut request
    return Fitted(n, capacity);
}

int BuildAuthenticatedSystemRead(const CameraSettings& settings, char* out, size_t capacity) {
    if (!out || capacity == 0) return CAM_ERR_REQUEST_TOO_LONG;
    char credentials[kCredentialCapacity];
    if (Base64Credentials(settings, credentials, sizeof credentials) != CAM_OK)
        return CAM_ERR_REQUEST_TOO_LONG;
    int n = std::snprintf(
        out, capacity,
        "GET %s?Act=%d&%s=%d%s HTTP/1.0\nUser-Agent: %s-%s\nAuthorization: Basic %s\n\n",
        kParametersPath, 1, kPageName, 1, "", kProductToken, kProductVersion, credentials);
    if (n >= 0 && static_cast<size_t>(n) >= capacity) out[0] = '\0';
    return Fitted(n, capacity);
}

int BuildPathRequest(const CameraSettings& settings, const char* path, char* out, size_t capacity) {
    if (!out || capacity == 0 || !path) return CAM_ERR_REQUEST_TOO_LONG;
    char auth[kCredentialCapacity];
    if (BuildAuthText(settings, "", auth, sizeof auth) != CAM_OK) return CAM_ERR_REQUEST_TOO_LONG;
    int n = std::snprintf(out, capacity, "GET %s HTTP/1.0\nUser-Agent: %s-%s\n%s\n ", path,
                          kProductToken, kProductVersion, auth);
    if (n >= 0 && static_cast<size_t>(n) >= capacity) out[0] = '\0';
    return Fitted(n, capacity);
}

int Exchange(const CameraSettings& settings, const char* host, const char* port,
             const char* request, size_t length, char* answer, size_t capacity, size_t* received,
             AnswerEnd* end) {
    int fd = -1;
    int result = OpenCameraConnection(settings, host, port, fd);
    if (result != CAM_OK) return result;
    AnswerEnd how = AnswerEnd::kNothing;
    int bytes = 0;
    errno = 0;  // only the send's own failure tells a reset from a stalled peer
    // A job dropped while its connection was made sends nothing; one dropped while it waits
    // for the answer stops waiting.
    if (!KeepConnecting(settings))
        result = CAM_ERR_CONNECT;
    else if (SendRequest(fd, request, length) <= 0)
        result = errno == ECONNRESET || errno == EPIPE ? CAM_ERR_REFUSED : CAM_ERR_SEND;
    else if ((bytes = ReceiveAnswer(fd, answer, capacity, &how, &settings.keepConnecting)) <= 0)
        result = how == AnswerEnd::kReset ? CAM_ERR_REFUSED : CAM_ERR_NO_ANSWER;
    if (!KeepConnecting(settings)) result = CAM_ERR_CONNECT;
    CloseConnection(fd);
    if (received) *received = bytes > 0 ? static_cast<size_t>(bytes) : 0;
    if (end) *end = how;
    return result;
}

int JudgeAnswer(const char* answer, size_t received, AnswerEnd end, const AnswerCheck& check) {
    if (check.kind == AnswerKind::kRead && end == AnswerEnd::kOverflow) return CAM_ERR_TOO_LONG;
    const int marks = ClassifyAnswer(answer, check.textMarks);
    return marks != CAM_OK ? marks : CheckAnswer(answer, received, end, check.kind);
}

int AskCamera(const CameraSettings& settings, const char* host, const char* port,
              const char* request, int length, char* answer, size_t capacity,
              const AnswerCheck& check) {
    if (length < 0) return length;
    size_t received = 0;
    AnswerEnd end = AnswerEnd::kNothing;
    const int result = Exchange(settings, host, port, request, static_cast<size_t>(length), answer,
                                capacity, &received, &end);
    return result != CAM_OK ? result : JudgeAnswer(answer, received, end, check);
}

int ReadReportAnswer(const CameraSettings& settings, const char* host, const char* port, int page,
                     int sub, char* answer, size_t capacity) {
    char request[kRequestCapacity];
    int length = BuildCommandRequest(settings, 1, page, sub, "", request, sizeof request);
    int result = AskCamera(settings, host, port, request, length, answer, capacity,
                           {AnswerKind::kRead, true});
    // Only a whole report is taken: a save must never write back what a cut one left out.
    return result == CAM_OK ? CheckReport(answer, page, sub) : result;
}

int CameraCommand(CameraSettings& settings, const char* host, const char* port, int act, int page,
                  int sub, const char* query) {
    char answer[kAnswerCapacity];
    if (act == 1) {
        int result = ReadReportAnswer(settings, host, port, page, sub, answer, sizeof answer);
        if (result == CAM_OK) ParseReport(settings, answer, page, sub);
        return result;
    }
    char request[kRequestCapacity];
    int length = BuildCommandRequest(settings, act, page, sub, query, request, sizeof request);
    return AskCamera(settings, host, port, request, length, answer, sizeof answer,
                     {AnswerKind::kWrite, false});
}

int ReadSystemWithAuth(CameraSettings& settings, const char* host, const char* port) {
    char request[kSmallRequestCapacity];
    int length = BuildAuthenticatedSystemRead(settings, request, sizeof request);
    char answer[kSmallAnswerCapacity];
    // Only the 404 and 402 marks: a wrong password surfaces at the next command, which
    // classifies "Unauthorized". Such an answer is not taken as the system page either.
    int result = AskCamera(settings, host, port, request, length, answer, sizeof answer,
                           {AnswerKind::kRead, false});
    if (result == CAM_ERR_UNAUTHORIZED || (result == CAM_OK && std::strstr(answer, "Unauthorized")))
        return CAM_OK;
    if (result == CAM_OK) result = CheckReport(answer, 1, 0);
    if (result == CAM_OK) ParseReport(settings, answer, 1, 0);
    return result;
}

}  // namespace orvanta::camera
