// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/record/Utf8Text.h"

namespace orvanta::camera {

size_t Utf8SequenceLength(std::string_view s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    // The lead byte decides the length and the range of the second byte, which rules out
    // overlong forms, surrogates and anything past U+10FFFF.
    size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    }
    if (n == 0 || i + n > s.size()) return 0;
    const unsigned char second = static_cast<unsigned char>(s[i + 1]);
    if (second < low || second > high) return 0;
    for (size_t k = 2; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

std::string Utf8Text(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (size_t n = Utf8SequenceLength(bytes, i)) {
            out.append(bytes.substr(i, n));
            i += n - 1;
        } else {  // U+0080..U+00FF in two bytes
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace orvanta::camera
