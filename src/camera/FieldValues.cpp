#include "camera/FieldValues.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "camera/ClockChoices.h"
#include "camera/PortRules.h"
#include "platform/AddressText.h"

namespace orvanta::camera {
namespace {

enum class Kind { Text, Address, Mask, Port, Date, Time, Number };

struct Rule {
    const char* field;
    Kind kind;
    std::vector<int> values;  // Number: the values taken; {low, high} when `range`
    bool range = false;
};

// Fields without a rule here take any text that fits and breaks nothing, or any number of
// their width: the camera alone knows what its codes mean.
const std::vector<Rule> kRules = {
    {"IPAddr", Kind::Address, {}},
    {"Gateway", Kind::Address, {}},
    {"DNS1", Kind::Address, {}},
    {"DNS2", Kind::Address, {}},
    {"WIPAddr", Kind::Address, {}},
    {"WGateway", Kind::Address, {}},
    {"WDNS1", Kind::Address, {}},
    {"WDNS2", Kind::Address, {}},
    {"Netmask", Kind::Mask, {}},
    {"WNetmask", Kind::Mask, {}},
    {"HttpPort", Kind::Port, {}},
    {"SPort", Kind::Port, {}},
    {"RTSPPort", Kind::Port, {}},
    {"Date", Kind::Date, {}},
    {"Time", Kind::Time, {}},
    {"IPType", Kind::Number, {0, 1, 2}},  // DHCP, fixed, PPPoE
    {"WIPType", Kind::Number, {0, 1}},
    {"WireType", Kind::Number, {0, 1}},
    {"WireSec", Kind::Number, {0, 1, 2, 3}},
    {"WPAEnc", Kind::Number, {0, 1}},
    {"WEPAuthM", Kind::Number, {0, 1}},
    {"WEPMode", Kind::Number, {0, 1}},
    {"WEPKeyE0", Kind::Number, {0, 1, 2, 3}},
    // The wireless page stores the bits, the access-point page the list position.
    {"WepKeyL", Kind::Number, {0, 1, 64, 128}},
    {"DDNS", Kind::Number, {0, 1}},
    {"NTPEN", Kind::Number, {0, 1}},
    {"UPnPE", Kind::Number, {0, 1}},
    {"Timezone", Kind::Number, {0, kTimeZoneCount - 1}, true},
};

const Rule* RuleFor(const char* field) {
    for (const Rule& rule : kRules)
        if (std::strcmp(rule.field, field) == 0) return &rule;
    return nullptr;
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

std::string List(const std::vector<int>& values) {
    std::string out;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += i + 1 == values.size() ? " or " : ", ";
        out += std::to_string(values[i]);
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

std::string NumberProblem(const SettingsField& field, std::string_view value, const Rule* rule) {
    const std::string name = field.name;
    if (rule && rule->kind == Kind::Port) return PortProblemText(field, value);
    long long low = field.type == FieldType::kByte ? 0 : INT32_MIN;
    long long high = field.type == FieldType::kByte ? 255 : INT32_MAX;
    if (rule && rule->range) low = rule->values[0], high = rule->values[1];
    long long number = 0;
    const bool whole = WholeNumber(value, number);
    if (rule && rule->kind == Kind::Number && !rule->range) {
        for (int allowed : rule->values)
            if (whole && number == allowed) return "";
        return name + " takes " + List(rule->values);
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
    const Rule* rule = RuleFor(field.name);
    if (field.type != FieldType::kText) return NumberProblem(field, value, rule);
    if (value.size() >= field.size)
        return name + " takes at most " + std::to_string(field.size - 1) +
               " bytes (a character outside ASCII takes more than one)";
    if (!rule || (value.empty() && (rule->kind == Kind::Address || rule->kind == Kind::Mask)))
        return "";
    uint32_t address = 0;
    const bool dotted = platform::ParseDottedAddress(value, &address);
    switch (rule->kind) {
        case Kind::Address:
            if (!dotted)
                return name + " takes an IPv4 address of four numbers from 0 to 255, such as " +
                       "192.168.0.50";
            break;
        case Kind::Mask:
            if (!dotted || !IsContiguousMask(address))
                return name + " takes a subnet mask of contiguous ones, such as 255.255.255.0";
            break;
        case Kind::Date:
            if (!IsCalendarDate(value))
                return name + " takes a real date as yyyy/mm/dd, such as 2026/01/31";
            break;
        case Kind::Time:
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
    if (std::strcmp(field.name, "HttpPort") == 0) http = PortNumber(value);
    if (std::strcmp(field.name, "SPort") == 0) stream = PortNumber(value);
    if (std::strcmp(field.name, "RTSPPort") == 0) rtsp = PortNumber(value);
}

std::string GivenPorts::ProblemWith(const CameraSettings& s) const {
    if (!Any()) return "";
    return PortSetProblem(http ? http : s.HttpPort, stream ? stream : s.SPort,
                          rtsp ? rtsp : s.RTSPPort);
}

}  // namespace orvanta::camera
