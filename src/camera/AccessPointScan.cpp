#include "camera/AccessPointScan.h"

#include <cstring>

#include "camera/ReportParser.h"
#include "camera/RequestFraming.h"
#include "camera/Transport.h"

namespace orvanta::camera {
namespace {

constexpr char kScanPath[] = "/cgi-bin/ap_scan.cgi";
constexpr char kScanMark[] = "scan AP sum =";
constexpr char kCellEnd[] = "</td>";

bool EndsCellValue(char c) {
    return c == '\0' || c == '\n' || c == '\r' || c == ' ' || c == '<';
}

// The value after the first `key` in the cell, or null when the key is missing or its value
// is empty.
const char* CellValue(const char* cell, const char* key) {
    const char* hit = std::strstr(cell, key);
    if (!hit) return nullptr;
    const char* value = hit + std::strlen(key);
    if (*value == '\0' || *value == '\n' || *value == '\r' || *value == ' ') return nullptr;
    return value;
}

void CellNumber(const char* cell, const char* key, uint8_t& out) {
    const char* p = CellValue(cell, key);
    if (!p) return;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return;
    uint32_t number = 0;
    for (; *p >= '0' && *p <= '9'; ++p) number = number * 10u + static_cast<uint32_t>(*p - '0');
    out = static_cast<uint8_t>(negative ? 0u - number : number);
}

template <size_t N>
void CellText(const char* cell, const char* key, char (&out)[N], bool quoted) {
    std::memset(out, 0, N);
    const char* p = CellValue(cell, key);
    if (!p) return;
    if (quoted) ++p;  // the opening quote; a value is never empty here, so p stays in bounds
    size_t length = 0;
    while (length < N - 1) {
        char c = p[length];
        if (quoted ? (c == '\0' || c == '\n' || c == '\r' || c == '<' || c == '"')
                   : EndsCellValue(c))
            break;
        ++length;
    }
    std::memcpy(out, p, length);
}

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
