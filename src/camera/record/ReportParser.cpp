// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/record/ReportParser.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "camera/record/FieldCatalogue.h"

namespace orvanta::camera {
namespace {

// What may not stand right before a key: a letter, digit or underscore would make it the tail
// of a longer key, a blank or tab part of a value ("Desp=gate IPAddr=...").
bool EndsNoKey(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == ' ' || c == '\t';
}

// The first occurrence of `key` that is a key of its own.
const char* FindKey(const char* text, const char* key) {
    if (!*key) return nullptr;
    for (const char* p = std::strstr(text, key); p; p = std::strstr(p + 1, key)) {
        if (p == text || !EndsNoKey(p[-1])) return p;
    }
    return nullptr;
}

bool EndsValue(char c) {
    return c == '\0' || c == '\n' || c == '\r';
}

// A field's key as its report writes it, "Key=".
std::string KeyOf(const CameraField& f) {
    return std::string(f.key) + "=";
}

}  // namespace

int CheckReport(const char* answer, int page, int sub) {
    if (!answer) return CAM_ERR_INCOMPLETE;
    const Report report = ReportOf(page, sub);
    if (report == Report::None) return CAM_OK;
    for (const CameraField& f : FieldCatalogue()) {
        if (f.report == report && f.required && !FindKey(answer, KeyOf(f).c_str()))
            return CAM_ERR_INCOMPLETE;
    }
    return CAM_OK;
}

bool FindReportValue(const char* answer, const char* key, std::string& value) {
    const char* hit = answer && key ? FindKey(answer, key) : nullptr;
    if (!hit) return false;
    const char* start = hit + std::strlen(key);
    const char* end = start;
    while (!EndsValue(*end)) ++end;
    value.assign(start, end);
    return true;
}

void ParseReportField(void* destination, const char* key, const char* answer, size_t width,
                      FieldKind kind) {
    if (!destination || !key || !answer || width == 0) return;
    const char* hit = FindKey(answer, key);
    if (!hit) return;
    const char* value = hit + std::strlen(key);
    if (EndsValue(*value)) return;

    if (kind == kTextField) {
        size_t length = 0;
        while (!EndsValue(value[length]) && length < width - 1) ++length;
        auto* out = static_cast<char*>(destination);
        std::memcpy(out, value, length);
        out[length] = '\0';
        return;
    }

    // Blanks only: a value never continues on the next line.
    const char* p = value;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return;
    uint32_t number = 0;  // wraps: only the low bytes are kept anyway
    for (; *p >= '0' && *p <= '9'; ++p) number = number * 10u + static_cast<uint32_t>(*p - '0');
    if (negative) number = 0u - number;
    if (width == 1) {
        auto byte = static_cast<uint8_t>(number);
        std::memcpy(destination, &byte, 1);
    } else if (width == 2) {
        auto half = static_cast<uint16_t>(number);
        std::memcpy(destination, &half, 2);
    } else if (width == 4) {
        std::memcpy(destination, &number, 4);
    }
}

void ParseReport(CameraSettings& settings, const char* answer, int page, int sub) {
    if (!answer) return;
    const Report report = ReportOf(page, sub);
    if (report == Report::None) return;
    for (const CameraField& f : FieldCatalogue()) {
        if (f.report != report) continue;
        const bool text = f.type == FieldType::kText;
        if (text) std::memset(FieldAt(settings, f), 0, f.size);
        ParseReportField(FieldAt(settings, f), KeyOf(f).c_str(), answer, f.size,
                         text ? kTextField : kNumberField);
    }
}

}  // namespace orvanta::camera
