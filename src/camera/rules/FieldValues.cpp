// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/rules/FieldValues.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstring>

#include "camera/rules/ClockChoices.h"
#include "camera/rules/PortRules.h"
#include "platform/AddressText.h"

namespace orvanta::camera {
namespace {

// The characters of UTF-8 text: every byte but the continuation bytes.
size_t Utf8Characters(std::string_view text) {
    size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

// Exactly `digits` decimal digits at text[at], as a number; -1 otherwise.
int Digits(std::string_view text, size_t at, size_t digits) {
    if (at + digits > text.size()) return -1;
    int value = 0;
    for (size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// A plain decimal whole number, an optional minus and at most ten digits.
bool WholeNumber(std::string_view text, long long& value) {
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (i == text.size() || text.size() - i > 10) return false;
    value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    if (text[0] == '-') value = -value;
    return true;
}

std::string ChoiceList(const SettingsField& field) {
    std::string out;
    for (int i = 0; i < field.valueCount; ++i) {
        if (i > 0) out += i + 1 == field.valueCount ? " or " : ", ";
        out += std::to_string(field.values[i]);
    }
    return out;
}

// The UPnP page's rule for each service port.
PortKind PortKindOf(const SettingsField& field) {
    if (std::strcmp(field.name, "SPort") == 0) return PortKind::Stream;
    if (std::strcmp(field.name, "RTSPPort") == 0) return PortKind::Rtsp;
    return PortKind::Http;
}

std::string PortProblemText(const SettingsField& field, std::string_view value) {
    long long number = 0;
    const PortKind kind = PortKindOf(field);
    if (WholeNumber(value, number) && IsAcceptedPort(kind, number)) return "";
    const char* low = kind == PortKind::Http ? "80" : kind == PortKind::Stream ? "53" : "554";
    return std::string(field.name) + " takes " + low + " or a number from 1025 to 65535";
}

std::string NumberProblem(const SettingsField& field, std::string_view value) {
    const std::string name = field.name;
    if (field.kind == ValueKind::Port) return PortProblemText(field, value);
    long long low = field.type == FieldType::kByte ? 0 : INT32_MIN;
    long long high = field.type == FieldType::kByte ? 255 : INT32_MAX;
    if (field.kind == ValueKind::Range) low = field.values[0], high = field.values[1];
    long long number = 0;
    const bool whole = WholeNumber(value, number);
    if (field.kind == ValueKind::Choice) {
        for (int i = 0; i < field.valueCount; ++i)
            if (whole && number == field.values[i]) return "";
        return name + " takes " + ChoiceList(field);
    }
    if (whole && number >= low && number <= high) return "";
    return name + " takes a whole number from " + std::to_string(low) + " to " +
           std::to_string(high);
}

}  // namespace

size_t FindRequestBreaker(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F || c == '&' || c == '=' || c == '%' || c == '#') return i;
    }
    return std::string_view::npos;
}

bool IsContiguousMask(uint32_t mask) {
    const uint32_t inverted = ~ntohl(mask);
    return inverted != 0xFFFFFFFFu && (inverted & (inverted + 1)) == 0;
}

bool IsCameraMask(uint32_t mask) {
    return IsContiguousMask(mask) && ~ntohl(mask) >= 3;
}

bool IsUsableHostAddress(uint32_t address) {
    const uint32_t first = ntohl(address) >> 24;
    return first >= 1 && first <= 223 && first != 127;
}

bool IsCameraAddress(uint32_t address, uint32_t mask, uint32_t pc) {
    if (!IsUsableHostAddress(address) || (pc != 0 && address == pc)) return false;
    if (!IsCameraMask(mask)) return true;  // the mask's own check tells what is wrong with it
    const uint32_t host = ntohl(address) & ~ntohl(mask);
    return host != 0 && host != ~ntohl(mask);
}

std::string CameraAddressProblem(const CameraSettings& s, const CameraSettings& read) {
    struct Block {
        uint8_t type;
        const char *name, *address, *mask;
        bool changed;
    };
    auto changed = [](uint8_t t, uint8_t rt, const char* a, const char* ra, const char* m,
                      const char* rm) {
        return t != rt || std::strcmp(a, ra) != 0 || std::strcmp(m, rm) != 0;
    };
    const Block blocks[] = {
        {s.IPType, "IPAddr", s.IPAddr, s.Netmask,
         changed(s.IPType, read.IPType, s.IPAddr, read.IPAddr, s.Netmask, read.Netmask)},
        {s.WIPType, "WIPAddr", s.WIPAddr, s.WNetmask,
         changed(s.WIPType, read.WIPType, s.WIPAddr, read.WIPAddr, s.WNetmask, read.WNetmask)}};
    for (const Block& b : blocks) {
        uint32_t address = 0, mask = 0;
        if (!b.changed || b.type != 1 || !platform::ParseDottedAddress(b.address, &address))
            continue;
        if (!platform::ParseDottedAddress(b.mask, &mask)) mask = 0;
        if (!IsCameraAddress(address, mask, s.pcAddress))
            return std::string(b.name) + " " + b.address +
                   " is no address a camera can be reached at (its subnet's own or broadcast "
                   "address, or the PC's)";
    }
    return "";
}

bool IsCalendarDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') return false;
    const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    if (year < 1970 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return day <= days[month - 1];
}

bool IsClockTime(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    const int hour = Digits(text, 0, 2), minute = Digits(text, 3, 2), second = Digits(text, 6, 2);
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

std::string FieldValueProblem(const SettingsField& field, std::string_view value) {
    const std::string name = field.name;
    if (size_t at = FindRequestBreaker(value); at != std::string_view::npos) {
        const unsigned char c = static_cast<unsigned char>(value[at]);
        char shown[32];
        if (c < 0x20 || c == 0x7F)
            std::snprintf(shown, sizeof shown, "a control character (0x%02X)", c);
        else
            std::snprintf(shown, sizeof shown, "'%c'", c);
        return name + " holds " + shown + ", which would change the request";
    }
    if (field.type != FieldType::kText) return NumberProblem(field, value);
    if (value.size() >= field.size)
        return name + " takes at most " + std::to_string(field.size - 1) +
               " bytes (a character outside ASCII takes more than one)";
    if (field.typedChars > 0 && Utf8Characters(value) > static_cast<size_t>(field.typedChars))
        return name + " takes at most " + std::to_string(field.typedChars) + " characters";
    if (value.empty() && (field.kind == ValueKind::Address || field.kind == ValueKind::Mask))
        return "";
    uint32_t address = 0;
    const bool dotted = platform::ParseDottedAddress(value, &address);
    switch (field.kind) {
        case ValueKind::Address:
            if (!dotted)
                return name + " takes an IPv4 address of four numbers from 0 to 255, such as " +
                       "192.168.0.50";
            break;
        case ValueKind::Mask:
            if (!dotted || !IsContiguousMask(address))
                return name + " takes a subnet mask of contiguous ones, such as 255.255.255.0";
            break;
        case ValueKind::Date:
            if (!IsCalendarDate(value))
                return name + " takes a real date as yyyy/mm/dd, such as 2026/01/31";
            break;
        case ValueKind::Time:
            if (!IsClockTime(value)) return name + " takes a time as hh:mm:ss, such as 08:30:00";
            break;
        default:
            break;
    }
    return "";
}

std::string PortSetProblem(int64_t http, int64_t stream, int64_t rtsp) {
    const struct {
        int64_t a, b;
        const char* names;
    } pairs[] = {{http, stream, "HttpPort and SPort"},
                 {http, rtsp, "HttpPort and RTSPPort"},
                 {stream, rtsp, "SPort and RTSPPort"}};
    for (const auto& pair : pairs)
        if (pair.a != 0 && pair.a == pair.b)
            return std::string(pair.names) + " must be different ports";
    return "";
}

void GivenPorts::Take(const SettingsField& field, std::string_view value) {
    if (field.kind != ValueKind::Port) return;
    const PortKind kind = PortKindOf(field);
    (kind == PortKind::Http ? http : kind == PortKind::Stream ? stream : rtsp) = PortNumber(value);
}

std::string GivenPorts::ProblemWith(const CameraSettings& s) const {
    if (!Any()) return "";
    return PortSetProblem(http ? http : s.HttpPort, stream ? stream : s.SPort,
                          rtsp ? rtsp : s.RTSPPort);
}

}  // namespace orvanta::camera
