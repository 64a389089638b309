// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The camera's scan of wireless access points: an HTML-like table of cells, one per access
// point, that is cut into fixed entries.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

struct AccessPoint {
    uint8_t channel;     // "Channel="
    char mac[64];        // "Mac_address="
    char ssid[64];       // "SSID=", quoted in the report
    uint8_t quality;     // "Quality="
    char mode[64];       // "Mode="
    char security[64];   // "Security="
    char algorithm[64];  // "Algorithm="
};
static_assert(std::is_trivially_copyable_v<AccessPoint>);

// Room for one cell of the table; longer cells are cut to this.
constexpr size_t kCellCapacity = 2048;
// The most entries a report gives (a 6,144-byte answer holds far fewer cells anyway).
constexpr int32_t kMaxAccessPoints = 1024;

// Parses a scan answer (NUL-terminated). Returns false when the answer is not a scan report
// (no "scan AP sum ="). On true, `list` holds the entries read from the cells that ended,
// whatever sum the report states, and `count` their number. A cell without any value read,
// and a last cell that the answer cut, are skipped.
bool ParseAccessPointReport(const char* answer, int32_t& count, std::vector<AccessPoint>& list);

// Asks the camera of `settings` for a scan. Sets apCount and apScanDone (1 when the report
// came and was recognised) and returns the entries (empty for none or on failure).
// `failure`, when given, receives why there is no report (CAM_ERR_INCOMPLETE: an answer
// that is not a scan report; CAM_ERR_CLOSED_EARLY: one that was cut), CAM_OK with one.
std::vector<AccessPoint> ScanAccessPoints(CameraSettings& settings, const char* host,
                                          const char* port, int* failure = nullptr);

}  // namespace orvanta::camera
