#include "camera/SettingsFields.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "camera/FieldValues.h"

namespace orvanta::camera {
namespace {

#define FIELD(f, type, written)                                                   \
    SettingsField {                                                               \
#f, offsetof(CameraSettings, f), sizeof(CameraSettings::f), type, written \
    }
#define TEXT(f, w) FIELD(f, FieldType::kText, w)
#define BYTE(f, w) FIELD(f, FieldType::kByte, w)
#define INT(f, w) FIELD(f, FieldType::kInt32, w)

const std::vector<SettingsField> kFields = {
    BYTE(IPType, true),       TEXT(IPAddr, true),     TEXT(Netmask, true),
    TEXT(Gateway, true),      TEXT(DNS1, true),       TEXT(DNS2, true),
    TEXT(PAccount, true),     TEXT(PPwd, true),       TEXT(PVP, true),
    BYTE(Wireless, false),    BYTE(WireType, true),   TEXT(SSID, true),
    BYTE(WireCh, true),       BYTE(ChType, false),    BYTE(WireSec, true),
    TEXT(TxRate, true),       BYTE(WIPType, true),    TEXT(WIPAddr, true),
    TEXT(WNetmask, true),     TEXT(WGateway, true),   TEXT(WDNS1, true),
    TEXT(WDNS2, true),        BYTE(WPAEnc, true),     BYTE(WPAPSKeyM, true),
    TEXT(WPAKey, true),       BYTE(WEPAuthM, true),   BYTE(WEPMode, true),
    BYTE(WEPKeyE0, true),     BYTE(WepKeyL, true),    TEXT(WEPKey0, true),
    TEXT(WEPKey1, true),      TEXT(WEPKey2, true),    TEXT(WEPKey3, true),
    BYTE(SECUEN, false),      TEXT(ModelName, false), TEXT(TitleBar, true),
    TEXT(Desp, true),         BYTE(WPSCap, false),    BYTE(WirelessCap, false),
    BYTE(Transversal, false), BYTE(DDNS, true),       TEXT(DDNSSrv, true),
    TEXT(DDNSHost, true),     TEXT(DDNSUser, true),   TEXT(DDNSPwd, true),
    BYTE(NTPEN, true),        TEXT(NTPName, true),    INT(Timezone, true),
    INT(NTPPoll, true),       TEXT(Date, true),       TEXT(Time, true),
    BYTE(UPnPE, true),        INT(HttpPort, true),    INT(SPort, true),
    INT(RTSPPort, true),      TEXT(Version, false),   BYTE(newFeatures, false),
    BYTE(apScanDone, false),  INT(apCount, false),
};

#undef FIELD
#undef TEXT
#undef BYTE
#undef INT

}  // namespace

const std::vector<SettingsField>& CameraFields() {
    return kFields;
}

const SettingsField* FindCameraField(const std::string& name) {
    for (const SettingsField& f : kFields)
        if (name == f.name) return &f;
    return nullptr;
}

std::string FieldValueText(const CameraSettings& settings, const SettingsField& field) {
    const auto* at = reinterpret_cast<const unsigned char*>(&settings) + field.offset;
    switch (field.type) {
        case FieldType::kText:
            return std::string(reinterpret_cast<const char*>(at),
                               strnlen(reinterpret_cast<const char*>(at), field.size));
        case FieldType::kByte:
            return std::to_string(*at);
        case FieldType::kInt32: {
            int32_t value;
            std::memcpy(&value, at, sizeof value);
            return std::to_string(value);
        }
    }
    return "";
}

bool SetFieldFromText(CameraSettings& settings, const SettingsField& field,
                      const std::string& value, std::string& error) {
    error = FieldValueProblem(field, value);
    if (!error.empty()) return false;
    auto* at = reinterpret_cast<unsigned char*>(&settings) + field.offset;
    if (field.type == FieldType::kText) {
        std::memset(at, 0, field.size);
        std::memcpy(at, value.data(), value.size());
    } else if (field.type == FieldType::kByte) {
        *at = static_cast<unsigned char>(std::strtol(value.c_str(), nullptr, 10));
    } else {
        int32_t v = static_cast<int32_t>(std::strtoll(value.c_str(), nullptr, 10));
        std::memcpy(at, &v, sizeof v);
    }
    return true;
}

}  // namespace orvanta::camera
