// SPDX-License-Identifier: GPL-3.0-or-later
// Any camera answer, as the report parser gets it: NUL-terminated text of at most one answer
// buffer. The first byte picks the page.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "camera/record/ReportParser.h"
#include "camera/wire/Transport.h"

using namespace orvanta::camera;

template <size_t N>
void MustEndInside(const char (&field)[N]) {
    if (!std::memchr(field, '\0', N)) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const int kPages[][2] = {{0, 15}, {1, 0}, {3, 0}, {13, 0}, {23, 0}, {32, 0}, {34, 0}};
    const int* page = kPages[data[0] % 7];
    size_t length = size - 1 < kAnswerCapacity - 1 ? size - 1 : kAnswerCapacity - 1;
    std::vector<char> answer(length + 1, '\0');  // exact size, so an over-read is caught
    std::memcpy(answer.data(), data + 1, length);
    CameraSettings settings = NewCameraSettings();
    ParseReport(settings, answer.data(), page[0], page[1]);
    // Text fields must still end inside their widths.
    MustEndInside(settings.IPAddr);
    MustEndInside(settings.SSID);
    MustEndInside(settings.WPAKey);
    MustEndInside(settings.ModelName);
    MustEndInside(settings.Version);
    MustEndInside(settings.Date);
    MustEndInside(settings.ExtIPAddr);
    return 0;
}
