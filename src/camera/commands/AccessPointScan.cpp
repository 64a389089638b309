// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/commands/AccessPointScan.h"

#include <cstring>

#include "camera/rules/CellRule.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

namespace orvanta::camera {
namespace {

constexpr char kScanPath[] = "/cgi-bin/ap_scan.cgi";
constexpr char kScanMark[] = "scan AP sum =";
constexpr char kCellEnd[] = "</td>";

void ParseCell(const char* cell, AccessPoint& entry) {
    CellNumber(cell, "Channel=", entry.channel);
    CellText(cell, "Mac_address=", entry.mac, false);
    CellText(cell, "SSID=", entry.ssid, true);
    CellNumber(cell, "Quality=", entry.quality);
    CellText(cell, "Mode=", entry.mode, false);
    CellText(cell, "Security=", entry.security, false);
    CellText(cell, "Algorithm=", entry.algorithm, false);
}

bool IsBlank(const AccessPoint& e) {
    return e.channel == 0 && e.quality == 0 && !e.mac[0] && !e.ssid[0] && !e.mode[0] &&
           !e.security[0] && !e.algorithm[0];
}

}  // namespace

bool ParseAccessPointReport(const char* answer, int32_t& count, std::vector<AccessPoint>& list) {
    list.clear();
    if (!answer || !std::strstr(answer, kScanMark)) return false;
    // The entries are the cells that ended; the sum the camera states is not trusted to say
    // how many (a negative or huge one must neither drop nor invent an entry).
    const char* rest = answer;
    char cell[kCellCapacity];
    while (list.size() < static_cast<size_t>(kMaxAccessPoints)) {
        const char* end = std::strstr(rest, kCellEnd);
        if (!end) break;  // a cut report: its last cell never ended
        end += sizeof kCellEnd - 1;
        size_t length = static_cast<size_t>(end - rest);
        if (length > sizeof cell - 1) length = sizeof cell - 1;
        std::memcpy(cell, rest, length);
        cell[length] = '\0';
        rest = end;
        if (!std::strstr(cell, "<td>AP")) continue;  // the head with the sum, or no entry
        AccessPoint entry{};
        ParseCell(cell, entry);
        if (!IsBlank(entry)) list.push_back(entry);  // a cell nothing was read from is no entry
    }
    count = static_cast<int32_t>(list.size());
    return true;
}

std::vector<AccessPoint> ScanAccessPoints(CameraSettings& settings, const char* host,
                                          const char* port, int* failure) {
    auto fail = [failure](int code) {
        if (failure) *failure = code;
        return std::vector<AccessPoint>{};
    };
    settings.apScanDone = 0;
    char request[kRequestCapacity];
    int length = BuildPathRequest(settings, kScanPath, request, sizeof request);
    char answer[kAnswerCapacity];
    // "Unauthorized" in the text is not looked for, a 401 status is.
    int result = AskCamera(settings, host, port, request, length, answer, sizeof answer,
                           {AnswerKind::kList, false});
    if (result != CAM_OK) return fail(result);
    std::vector<AccessPoint> list;
    int32_t count = 0;
    if (!ParseAccessPointReport(answer, count, list)) return fail(CAM_ERR_INCOMPLETE);
    settings.apCount = count;
    settings.apScanDone = 1;
    if (failure) *failure = CAM_OK;
    return list;
}

}  // namespace orvanta::camera
