#include "camera/SettingsWrite.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "camera/FieldValues.h"
#include "camera/RequestFraming.h"

namespace orvanta::camera {
namespace {

constexpr int kTimePage = 0;
constexpr int kTimeSub = 15;
constexpr int kNetworkPage = 3;
constexpr int kNetworkWithoutWirelessSub = 18;

// Text fields as NUL-terminated strings that never run past their width.
template <size_t N>
std::string T(const char (&field)[N]) {
    return std::string(FieldText(field));
}

template <size_t N>
std::string Spaced(const char (&field)[N]) {
    return EncodeSpaces(T(field).c_str());
}

int Fitted(int written, char* out, size_t capacity) {
    if (written < 0 || static_cast<size_t>(written) >= capacity) {
        if (capacity > 0) out[0] = '\0';
        return CAM_ERR_REQUEST_TOO_LONG;
    }
    return written;
}

}  // namespace

int BuildSystemQuery(const CameraSettings& s, char* out, size_t capacity) {
    return Fitted(std::snprintf(out, capacity, "&TitleBar=%s&Desp=%s", Spaced(s.TitleBar).c_str(),
                                Spaced(s.Desp).c_str()),
                  out, capacity);
}

int BuildDdnsQuery(const CameraSettings& s, char* out, size_t capacity) {
    return Fitted(
        std::snprintf(out, capacity, "&DDNSSrv=%s&DDNS=%d&DDNSUser=%s&DDNSPwd=%s&DDNSHost=%s",
                      T(s.DDNSSrv).c_str(), s.DDNS, T(s.DDNSUser).c_str(), T(s.DDNSPwd).c_str(),
                      T(s.DDNSHost).c_str()),
        out, capacity);
}

int BuildTimeQuery(const CameraSettings& s, char* out, size_t capacity) {
    return Fitted(
        std::snprintf(out, capacity, "&NTPEN=%d&NTPName=%s&NTPPoll=%d&Timezone=%d&Date=%s&Time=%s",
                      s.NTPEN, T(s.NTPName).c_str(), s.NTPPoll, s.Timezone, T(s.Date).c_str(),
                      T(s.Time).c_str()),
        out, capacity);
}

int BuildNetworkQuery(const CameraSettings& s, bool withWireless, char* out, size_t capacity) {
    if (!withWireless) {
        return Fitted(
            std::snprintf(out, capacity,
                          "&IPType=%d&IPAddr=%s&Netmask=%s&Gateway=%s&DNS1=%s&DNS2=%s&UPnPE=%d"
                          "&PAccount=%s&PPwd=%s&PVP=%s&HttpPort=%d&SPort=%d&RTSPPort=%d",
                          s.IPType, T(s.IPAddr).c_str(), T(s.Netmask).c_str(), T(s.Gateway).c_str(),
                          T(s.DNS1).c_str(), T(s.DNS2).c_str(), s.UPnPE, T(s.PAccount).c_str(),
                          T(s.PPwd).c_str(), T(s.PVP).c_str(), s.HttpPort, s.SPort, s.RTSPPort),
            out, capacity);
    }
    return Fitted(
        std::snprintf(
            out, capacity,
            "&IPType=%d&IPAddr=%s&Netmask=%s&Gateway=%s&DNS1=%s&DNS2=%s&WIPType=%d&WIPAddr=%s"
            "&WNetmask=%s&WGateway=%s&WDNS1=%s&WDNS2=%s&WireType=%d&WireSec=%d&SSID=%s&WireCh=%d"
            "&WEPAuthM=%d&WEPMode=%d&WEPKey0=%s&WEPKey1=%s&WEPKey2=%s&WEPKey3=%s&WEPKeyE0=%d"
            "&WPAKey=%s&WPAEnc=%d&WPAPSKeyM=%d&TxRate=%s&WepKeyL=%d&UPnPE=%d&PAccount=%s&PPwd=%s"
            "&PVP=%s&HttpPort=%d&SPort=%d&RTSPPort=%d",
            s.IPType, T(s.IPAddr).c_str(), T(s.Netmask).c_str(), T(s.Gateway).c_str(),
            T(s.DNS1).c_str(), T(s.DNS2).c_str(), s.WIPType, T(s.WIPAddr).c_str(),
            T(s.WNetmask).c_str(), T(s.WGateway).c_str(), T(s.WDNS1).c_str(), T(s.WDNS2).c_str(),
            s.WireType, s.WireSec, Spaced(s.SSID).c_str(), s.WireCh, s.WEPAuthM, s.WEPMode,
            T(s.WEPKey0).c_str(), T(s.WEPKey1).c_str(), T(s.WEPKey2).c_str(), T(s.WEPKey3).c_str(),
            s.WEPKeyE0, T(s.WPAKey).c_str(), s.WPAEnc, s.WPAPSKeyM, T(s.TxRate).c_str(), s.WepKeyL,
            s.UPnPE, T(s.PAccount).c_str(), T(s.PPwd).c_str(), T(s.PVP).c_str(), s.HttpPort,
            s.SPort, s.RTSPPort),
        out, capacity);
}

bool IsSafeQueryValue(const char* text) {
    return FindRequestBreaker(text) == std::string_view::npos;
}

const char* FindUnsafeValue(const CameraSettings& s, bool useWps) {
    struct Field {
        const char* name;
        std::string value;
        bool sentWithWps;
    };
    const Field fields[] = {
        {"TitleBar", T(s.TitleBar), true},
        {"Desp", T(s.Desp), true},
        {"DDNSSrv", T(s.DDNSSrv), true},
        {"DDNSUser", T(s.DDNSUser), true},
        {"DDNSPwd", T(s.DDNSPwd), true},
        {"DDNSHost", T(s.DDNSHost), true},
        {"NTPName", T(s.NTPName), false},
        {"Date", T(s.Date), false},
        {"Time", T(s.Time), false},
        {"IPAddr", T(s.IPAddr), true},
        {"Netmask", T(s.Netmask), true},
        {"Gateway", T(s.Gateway), true},
        {"DNS1", T(s.DNS1), true},
        {"DNS2", T(s.DNS2), true},
        {"WIPAddr", T(s.WIPAddr), false},
        {"WNetmask", T(s.WNetmask), false},
        {"WGateway", T(s.WGateway), false},
        {"WDNS1", T(s.WDNS1), false},
        {"WDNS2", T(s.WDNS2), false},
        {"SSID", T(s.SSID), false},
        {"WEPKey0", T(s.WEPKey0), false},
        {"WEPKey1", T(s.WEPKey1), false},
        {"WEPKey2", T(s.WEPKey2), false},
        {"WEPKey3", T(s.WEPKey3), false},
        {"WPAKey", T(s.WPAKey), false},
        {"TxRate", T(s.TxRate), false},
        {"PAccount", T(s.PAccount), true},
        {"PPwd", T(s.PPwd), true},
        {"PVP", T(s.PVP), true},
    };
    for (const Field& f : fields)
        if ((!useWps || f.sentWithWps) && !IsSafeQueryValue(f.value.c_str())) return f.name;
    return nullptr;
}

const char* SaveStepName(SaveStep step, bool useWps) {
    switch (step) {
        case SaveStep::System:
            return "system write";
        case SaveStep::Ddns:
            return "DDNS write";
        case SaveStep::Time:
            return useWps ? "time read" : "time write";
        case SaveStep::Network:
            return useWps ? "network write (no wireless)" : "network write";
    }
    return "";
}

int RunSave(CameraSettings& s, bool useWps, const std::function<void(SaveStep, int)>& onStep) {
    if (FindUnsafeValue(s, useWps) != nullptr) return CAM_ERR_UNSAFE_VALUE;
    const std::string host = T(s.cameraAddressText);
    const std::string port = T(s.cameraPortText);
    char query[kWriteQueryCapacity];

    auto step = [&](SaveStep which, int result) {
        if (onStep) onStep(which, result);
        return result;
    };
    auto write = [&](int page, int sub, int built) {
        if (built < 0) return built;
        return CameraCommand(s, host.c_str(), port.c_str(), 2, page, sub, query);
    };

    int r = step(SaveStep::System, write(1, 0, BuildSystemQuery(s, query, sizeof query)));
    if (r != CAM_OK) return r;
    r = step(SaveStep::Ddns, write(13, 0, BuildDdnsQuery(s, query, sizeof query)));
    if (r != CAM_OK) return r;
    if (useWps)
        r = CameraCommand(s, host.c_str(), port.c_str(), 1, kTimePage, kTimeSub);
    else
        r = write(kTimePage, kTimeSub, BuildTimeQuery(s, query, sizeof query));
    if (step(SaveStep::Time, r) != CAM_OK) return r;
    return step(SaveStep::Network, write(kNetworkPage, useWps ? kNetworkWithoutWirelessSub : 0,
                                         BuildNetworkQuery(s, !useWps, query, sizeof query)));
}

}  // namespace orvanta::camera
