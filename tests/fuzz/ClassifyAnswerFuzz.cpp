// Any answer, classified as a read or a write of any page. The first byte picks which.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "camera/Transport.h"

using namespace orvanta::camera;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    bool isRead = data[0] & 1;
    int page = (data[0] >> 1) & 1 ? 3 : data[0] >> 2;
    size_t length = size - 1 < kAnswerCapacity - 1 ? size - 1 : kAnswerCapacity - 1;
    std::vector<char> answer(length + 1, '\0');
    std::memcpy(answer.data(), data + 1, length);
    int code = ClassifyAnswer(answer.data(), isRead, page);
    if (code > CAM_OK || code < CAM_ERR_UNAUTHORIZED) __builtin_trap();
    if (!isRead && (code == CAM_ERR_UNAUTHORIZED || code == CAM_ERR_INCOMPLETE)) __builtin_trap();
    return 0;
}
