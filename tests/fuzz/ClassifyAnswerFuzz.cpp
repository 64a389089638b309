// SPDX-License-Identifier: GPL-3.0-or-later
// Any answer, classified as a read or a write of any page and checked for its form. The first
// byte picks which.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "camera/record/ReportParser.h"
#include "camera/wire/Transport.h"

using namespace orvanta::camera;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    bool isRead = data[0] & 1;
    int page = (data[0] >> 1) & 1 ? 3 : data[0] >> 2;
    size_t length = size - 1 < kAnswerCapacity - 1 ? size - 1 : kAnswerCapacity - 1;
    std::vector<char> answer(length + 1, '\0');
    std::memcpy(answer.data(), data + 1, length);
    int code = ClassifyAnswer(answer.data(), isRead);
    if (code > CAM_OK || code < CAM_ERR_UNAUTHORIZED) __builtin_trap();
    if (!isRead && code == CAM_ERR_UNAUTHORIZED) __builtin_trap();
    // The answer's form, over the bytes as received (NULs included) and each way a receive ends,
    // and the report checks of the page.
    const AnswerKind kind = static_cast<AnswerKind>(data[0] % 3);
    const AnswerEnd end = static_cast<AnswerEnd>((data[0] >> 2) % 7);
    int form = CheckAnswer(answer.data(), length, end, kind);
    if (form > CAM_OK || (form == CAM_ERR_HTTP_STATUS && LastHttpStatus() / 100 == 2))
        __builtin_trap();
    if (CheckReport(answer.data(), page, data[0] & 0x80 ? 15 : 0) > CAM_OK) __builtin_trap();
    return 0;
}
