// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cell rule of the camera's and the registration server's tables: a value ends at a blank,
// "<", a line feed, a carriage return or the end of the text; an SSID is quoted.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orvanta::camera {

inline bool EndsCellValue(char c) {
    return c == '\0' || c == '\n' || c == '\r' || c == ' ' || c == '<';
}

// The value after the first `key` in the cell, or null when the key is missing or its value
// is empty.
inline const char* CellValue(const char* cell, const char* key) {
    const char* hit = std::strstr(cell, key);
    if (!hit) return nullptr;
    const char* value = hit + std::strlen(key);
    if (*value == '\0' || *value == '\n' || *value == '\r' || *value == ' ') return nullptr;
    return value;
}

inline void CellNumber(const char* cell, const char* key, uint8_t& out) {
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

}  // namespace orvanta::camera
