// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/commands/ServerListing.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "camera/commands/SettingsWrite.h"
#include "camera/record/CameraSettings.h"
#include "camera/rules/CellRule.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

namespace orvanta::camera {
namespace {

constexpr char kServerPath[] = "/cgi-bin/Parameters";
constexpr char kCameraMark[] = "Camera=";

template <size_t N>
std::string Text(const char (&field)[N]) {
    return std::string(FieldText(field));
}

const char* const kEntryKeys[] = {"ID=", "IP=", "Port=", "Mac_address=", "Modelname="};
constexpr size_t kRowCapacity = 2048;

void ParseEntry(const char* text, ServerCamera& entry) {
    CellText(text, "ID=", entry.id, false);
    CellText(text, "IP=", entry.address, false);
    CellText(text, "Port=", entry.port, false);
    CellText(text, "Mac_address=", entry.mac, false);
    CellText(text, "Modelname=", entry.modelName, false);
}

// Where a camera's row starts between `from` and `to`: its first key; null for none.
const char* RowStart(const char* from, const char* to) {
    const char* first = nullptr;
    for (const char* key : kEntryKeys) {
        const char* hit = std::strstr(from, key);
        if (hit && hit < to && (!first || hit < first)) first = hit;
    }
    return first;
}

// The camera whose keys follow a mark, up to the next mark (`to`). Only a row that ended
// ("<", a line end, or the next mark) before the text did is a camera: a cut one is not.
bool ReadRow(const char* from, const char* to, ServerCamera& entry) {
    const char* row = RowStart(from, to);
    if (!row) return false;
    size_t length = std::strcspn(row, "<\r\n");
    if (row + length > to) length = static_cast<size_t>(to - row);
    if (row[length] == '\0') return false;
    char text[kRowCapacity];
    length = std::min(length, sizeof text - 1);
    std::memcpy(text, row, length);
    text[length] = '\0';
    entry = ServerCamera{};
    ParseEntry(text, entry);
    return true;
}

}  // namespace

std::optional<std::vector<ServerCamera>> ParseServerListing(const char* answer, int page,
                                                            int* failure) {
    int code = ClassifyAnswer(answer, false);
    if (code == CAM_OK && page == kDeviceLoginPage && std::strstr(answer, "Unauthorized"))
        code = CAM_ERR_UNAUTHORIZED;
    if (code == CAM_OK && !std::strstr(answer, "Total Camera=")) code = CAM_ERR_INCOMPLETE;
    if (failure) *failure = code;
    if (code != CAM_OK) return std::nullopt;

    // Each mark (the first is the one inside "Total Camera=") is followed by a camera's keys.
    // The total is not trusted to say how many: a negative or huge one must neither drop nor
    // invent a camera.
    std::vector<ServerCamera> list;
    for (const char* hit = std::strstr(answer, kCameraMark); hit;) {
        const char* from = hit + (sizeof kCameraMark - 1);
        hit = std::strstr(from, kCameraMark);
        ServerCamera entry;
        if (ReadRow(from, hit ? hit : from + std::strlen(from), entry)) list.push_back(entry);
    }
    return list;
}

std::optional<std::vector<ServerCamera>> ListServerCameras(const ServerLogin& login, int& count,
                                                           const char* host, const char* port,
                                                           int act, int page, int* failure) {
    auto fail = [failure](int code) {
        if (failure) *failure = code;
        return std::nullopt;
    };
    const std::string id = Text(login.id);
    const std::string password = Text(login.password);
    if (!IsSafeQueryValue(id.c_str()) || !IsSafeQueryValue(password.c_str()))
        return fail(CAM_ERR_UNSAFE_VALUE);

    char request[kRequestCapacity];
    int length = std::snprintf(
        request, sizeof request,
        "GET %s?Act=%d&%s=%d&ID=%s&Password=%s HTTP/1.0\n User-Agent: %s-%s\n\n", kServerPath, act,
        "Page", page, id.c_str(), password.c_str(), kProductToken, kProductVersion);
    if (length < 0 || static_cast<size_t>(length) >= sizeof request)
        return fail(CAM_ERR_REQUEST_TOO_LONG);

    int fd = -1;
    if (int opened = OpenServerConnection(host, port, fd); opened != CAM_OK) return fail(opened);
    char answer[kAnswerCapacity];
    AnswerEnd end = AnswerEnd::kNothing;
    const bool sent = SendRequest(fd, request, static_cast<size_t>(length)) > 0;
    const int received = sent ? ReceiveAnswer(fd, answer, sizeof answer, &end) : 0;
    CloseConnection(fd);
    if (!sent) return fail(CAM_ERR_SEND);
    if (received <= 0) return fail(end == AnswerEnd::kReset ? CAM_ERR_REFUSED : CAM_ERR_NO_ANSWER);
    // An error page is that, whatever its text: a wrong ID or password (401) reads as such.
    if (int judged =
            JudgeAnswer(answer, static_cast<size_t>(received), end, {AnswerKind::kList, false});
        judged != CAM_OK)
        return fail(judged);

    auto list = ParseServerListing(answer, page, failure);
    if (list) count = static_cast<int>(list->size());
    return list;
}

}  // namespace orvanta::camera
