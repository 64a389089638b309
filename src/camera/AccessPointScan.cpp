#include "camera/AccessPointScan.h"

#include <cstring>

#include "camera/CellRule.h"
#include "camera/ReportParser.h"
#include "camera/RequestFraming.h"
#include "camera/Transport.h"

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

}  // namespace

bool ParseAccessPointReport(const char* answer, int32_t& count, std::vector<AccessPoint>& list) {
    list.clear();
    if (!answer || !std::strstr(answer, kScanMark)) return false;
    // A fresh count: a report without a readable sum must not inherit the last scan's.
    int32_t announced = 0;
    ParseReportField(&announced, "sum = ", answer, sizeof announced, kNumberField);
    if (announced < 0) announced = 0;
    if (announced > kMaxAccessPoints) announced = kMaxAccessPoints;
    count = announced;
    if (announced == 0) return true;

    list.assign(static_cast<size_t>(announced), AccessPoint{});
    const char* rest = answer;
    char cell[kCellCapacity];
    for (int32_t i = 0; i <= announced; ++i) {
        const char* end = std::strstr(rest, kCellEnd);
        if (!end) break;
        end += sizeof kCellEnd - 1;
        size_t length = static_cast<size_t>(end - rest);
        if (length > sizeof cell - 1) length = sizeof cell - 1;
        std::memcpy(cell, rest, length);
        cell[length] = '\0';
        rest = end;
        if (i >= 1 && std::strstr(cell, "<td>AP"))
            ParseCell(cell, list[static_cast<size_t>(i - 1)]);
    }
    return true;
}

std::vector<AccessPoint> ScanAccessPoints(CameraSettings& settings, const char* host,
                                          const char* port) {
    settings.apScanDone = 0;
    char request[kRequestCapacity];
    int length = BuildPathRequest(settings, kScanPath, request, sizeof request);
    if (length < 0) return {};
    char answer[kAnswerCapacity];
    if (Exchange(settings, host, port, request, static_cast<size_t>(length), answer,
                 sizeof answer) != CAM_OK)
        return {};
    // Only the 404 and 402 marks count here.
    if (ClassifyAnswer(answer, false, 0) != CAM_OK) return {};
    std::vector<AccessPoint> list;
    int32_t count = 0;
    if (!ParseAccessPointReport(answer, count, list)) return {};
    settings.apCount = count;
    settings.apScanDone = 1;
    return list;
}

}  // namespace orvanta::camera
