#include "camera/ReportParser.h"

#include <cstdint>
#include <cstring>
#include <iterator>

namespace orvanta::camera {
namespace {

bool IsKeyCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The first occurrence of `key` that does not continue a longer key.
const char* FindKey(const char* text, const char* key) {
    if (!*key) return nullptr;
    for (const char* p = std::strstr(text, key); p; p = std::strstr(p + 1, key)) {
        if (p == text || !IsKeyCharacter(p[-1])) return p;
    }
    return nullptr;
}

bool EndsValue(char c) {
    return c == '\0' || c == '\n' || c == '\r';
}

struct FieldEntry {
    const char* key;
    size_t offset;
    size_t width;
    FieldKind kind;
};

#define TEXT_FIELD(key, field)                                                          \
    FieldEntry {                                                                        \
        key, offsetof(CameraSettings, field), sizeof(CameraSettings::field), kTextField \
    }
#define NUMBER_FIELD(key, field)                                                          \
    FieldEntry {                                                                          \
        key, offsetof(CameraSettings, field), sizeof(CameraSettings::field), kNumberField \
    }

const FieldEntry kTimeFields[] = {
    NUMBER_FIELD("NTPEN=", NTPEN),     TEXT_FIELD("NTPName=", NTPName),
    NUMBER_FIELD("NTPPoll=", NTPPoll), NUMBER_FIELD("Timezone=", Timezone),
    TEXT_FIELD("Date=", Date),         TEXT_FIELD("Time=", Time),
};

const FieldEntry kSystemFields[] = {
    TEXT_FIELD("TitleBar=", TitleBar),
    TEXT_FIELD("Desp=", Desp),
    NUMBER_FIELD("SECUEN=", SECUEN),
    TEXT_FIELD("ModelName=", ModelName),
};

const FieldEntry kNetworkFields[] = {
    NUMBER_FIELD("IPType=", IPType),     TEXT_FIELD("IPAddr=", IPAddr),
    TEXT_FIELD("Netmask=", Netmask),     TEXT_FIELD("Gateway=", Gateway),
    TEXT_FIELD("DNS1=", DNS1),           TEXT_FIELD("DNS2=", DNS2),
    NUMBER_FIELD("WIPType=", WIPType),   TEXT_FIELD("WIPAddr=", WIPAddr),
    TEXT_FIELD("WNetmask=", WNetmask),   TEXT_FIELD("WGateway=", WGateway),
    TEXT_FIELD("WDNS1=", WDNS1),         TEXT_FIELD("WDNS2=", WDNS2),
    NUMBER_FIELD("Wireless=", Wireless), NUMBER_FIELD("WireType=", WireType),
    NUMBER_FIELD("WireSec=", WireSec),   TEXT_FIELD("SSID=", SSID),
    NUMBER_FIELD("WireCh=", WireCh),     NUMBER_FIELD("ChType=", ChType),
    TEXT_FIELD("TxRate=", TxRate),       NUMBER_FIELD("WEPAuthM=", WEPAuthM),
    NUMBER_FIELD("WepKeyL=", WepKeyL),   NUMBER_FIELD("WEPMode=", WEPMode),
    TEXT_FIELD("WEPKey0=", WEPKey0),     TEXT_FIELD("WEPKey1=", WEPKey1),
    TEXT_FIELD("WEPKey2=", WEPKey2),     TEXT_FIELD("WEPKey3=", WEPKey3),
    NUMBER_FIELD("WEPKeyE0=", WEPKeyE0), TEXT_FIELD("WPAKey=", WPAKey),
    NUMBER_FIELD("WPAEnc=", WPAEnc),     NUMBER_FIELD("WPAPSKeyM=", WPAPSKeyM),
    NUMBER_FIELD("UPnPE=", UPnPE),       NUMBER_FIELD("HttpPort=", HttpPort),
    NUMBER_FIELD("SPort=", SPort),       NUMBER_FIELD("RTSPPort=", RTSPPort),
};

const FieldEntry kDdnsFields[] = {
    TEXT_FIELD("DDNSSrv=", DDNSSrv),   NUMBER_FIELD("DDNS=", DDNS),
    TEXT_FIELD("DDNSUser=", DDNSUser), TEXT_FIELD("DDNSPwd=", DDNSPwd),
    TEXT_FIELD("DDNSHost=", DDNSHost),
};

const FieldEntry kFirmwareFields[] = {TEXT_FIELD("Version=", Version)};

const FieldEntry kCapabilityFields[] = {
    NUMBER_FIELD("Wireless=", WirelessCap),
    NUMBER_FIELD("WPS=", WPSCap),
    NUMBER_FIELD("Transversal=", Transversal),
};

const FieldEntry kNatFields[] = {
    NUMBER_FIELD("NATStat=", NATStat),
    TEXT_FIELD("ExtIPAddr=", ExtIPAddr),
    NUMBER_FIELD("ExtHttpPort=", ExtHttpPort),
};

#undef TEXT_FIELD
#undef NUMBER_FIELD

template <size_t N>
void ParseFields(CameraSettings& settings, const char* answer, const FieldEntry (&fields)[N]) {
    auto* base = reinterpret_cast<unsigned char*>(&settings);
    for (const FieldEntry& f : fields) {
        if (f.kind == kTextField) std::memset(base + f.offset, 0, f.width);
        ParseReportField(base + f.offset, f.key, answer, f.width, f.kind);
    }
}

// The pages whose values a save writes back must carry every key it writes: a key that is
// missing (garbage, an error page, an answer cut at a line end) would be written back empty or
// as 0. Only these keys may be missing: they are read, never written.
const char* const kReadOnlyKeys[] = {"SECUEN=", "Wireless=", "ChType="};

struct PageTable {
    const FieldEntry* fields = nullptr;
    size_t count = 0;
    bool written = false;  // a save writes this page's values back
};

template <size_t N>
PageTable Table(const FieldEntry (&fields)[N], bool written) {
    return {fields, N, written};
}

PageTable TableOf(int page, int sub) {
    switch (page) {
        case 0:
            return sub == 15 ? Table(kTimeFields, true) : PageTable{};
        case 1:
            return Table(kSystemFields, true);
        case 3:
            return Table(kNetworkFields, true);
        case 13:
            return Table(kDdnsFields, true);
        case 23:
            return Table(kFirmwareFields, false);
        case 32:
            return Table(kCapabilityFields, false);
        case 34:
            return Table(kNatFields, false);
        default:
            return {};
    }
}

bool IsReadOnly(const char* key) {
    for (const char* k : kReadOnlyKeys)
        if (std::strcmp(k, key) == 0) return true;
    return false;
}

}  // namespace

int CheckReport(const char* answer, int page, int sub) {
    if (!answer) return CAM_ERR_INCOMPLETE;
    PageTable table = TableOf(page, sub);
    for (size_t i = 0; i < table.count; ++i) {
        const char* key = table.fields[i].key;
        const char* hit = FindKey(answer, key);
        if (!hit && table.written && !IsReadOnly(key)) return CAM_ERR_INCOMPLETE;
        // Every line of a report ends in a line feed: a value that runs into the end of the
        // answer was cut with it, however plausible what is left of it looks.
        if (hit && !std::strpbrk(hit, "\r\n")) return CAM_ERR_CLOSED_EARLY;
    }
    return CAM_OK;
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
    switch (page) {
        case 0:
            if (sub == 15) ParseFields(settings, answer, kTimeFields);
            break;
        case 1:
            ParseFields(settings, answer, kSystemFields);
            break;
        case 3:
            ParseFields(settings, answer, kNetworkFields);
            break;
        case 13:
            ParseFields(settings, answer, kDdnsFields);
            break;
        case 23:
            ParseFields(settings, answer, kFirmwareFields);
            break;
        case 32:
            ParseFields(settings, answer, kCapabilityFields);
            break;
        case 34:
            ParseFields(settings, answer, kNatFields);
            break;
        default:
            break;
    }
}

}  // namespace orvanta::camera
