#include "camera/commands/SettingsWrite.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "camera/record/FieldCatalogue.h"
#include "camera/record/SettingsFields.h"
#include "camera/rules/FieldValues.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

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

// "&Key=value" for each field of the query, in its order; its length, or
// CAM_ERR_REQUEST_TOO_LONG when it would not fit `capacity` (nothing is ever cut).
int BuildQuery(const CameraSettings& s, WriteQuery query, char* out, size_t capacity) {
    std::string text;
    for (const char* name : QueryFields(query)) {
        const CameraField& f = *FindField(name);
        text += '&';
        text += f.key;
        text += '=';
        const std::string value = FieldValueText(s, f);
        text += f.spaced ? EncodeSpaces(value.c_str()) : value;
    }
    if (text.size() >= capacity) {
        if (capacity > 0) out[0] = '\0';
        return CAM_ERR_REQUEST_TOO_LONG;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

}  // namespace

int BuildSystemQuery(const CameraSettings& s, char* out, size_t capacity) {
    return BuildQuery(s, WriteQuery::System, out, capacity);
}

int BuildDdnsQuery(const CameraSettings& s, char* out, size_t capacity) {
    return BuildQuery(s, WriteQuery::Ddns, out, capacity);
}

int BuildTimeQuery(const CameraSettings& s, char* out, size_t capacity) {
    return BuildQuery(s, WriteQuery::Time, out, capacity);
}

int BuildNetworkQuery(const CameraSettings& s, bool withWireless, char* out, size_t capacity) {
    return BuildQuery(s, withWireless ? WriteQuery::Network : WriteQuery::NetworkWithoutWireless,
                      out, capacity);
}

bool IsSafeQueryValue(const char* text) {
    return FindRequestBreaker(text) == std::string_view::npos;
}

const char* FindUnsafeValue(const CameraSettings& s, bool useWps) {
    // With WPS the time is read, not written, and the network write leaves out the wireless.
    const WriteQuery sent[] = {WriteQuery::System, WriteQuery::Ddns,
                               useWps ? WriteQuery::NetworkWithoutWireless : WriteQuery::Time,
                               useWps ? WriteQuery::NetworkWithoutWireless : WriteQuery::Network};
    for (WriteQuery query : sent) {
        for (const char* name : QueryFields(query)) {
            const CameraField& f = *FindField(name);
            if (f.type == FieldType::kText && !IsSafeQueryValue(FieldValueText(s, f).c_str()))
                return f.name;
        }
    }
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
    // A dropped save (keepConnecting 0) sends no further request.
    auto send = [&](int act, int page, int sub, int built) {
        if (built < 0) return built;
        if (!KeepConnecting(s)) return CAM_ERR_CONNECT;
        return CameraCommand(s, host.c_str(), port.c_str(), act, page, sub, act == 2 ? query : "");
    };
    auto write = [&](int page, int sub, int built) { return send(2, page, sub, built); };

    int r = step(SaveStep::System, write(1, 0, BuildSystemQuery(s, query, sizeof query)));
    if (r != CAM_OK) return r;
    r = step(SaveStep::Ddns, write(13, 0, BuildDdnsQuery(s, query, sizeof query)));
    if (r != CAM_OK) return r;
    if (useWps)
        r = send(1, kTimePage, kTimeSub, 0);
    else
        r = write(kTimePage, kTimeSub, BuildTimeQuery(s, query, sizeof query));
    if (step(SaveStep::Time, r) != CAM_OK) return r;
    return step(SaveStep::Network, write(kNetworkPage, useWps ? kNetworkWithoutWirelessSub : 0,
                                         BuildNetworkQuery(s, !useWps, query, sizeof query)));
}

}  // namespace orvanta::camera
