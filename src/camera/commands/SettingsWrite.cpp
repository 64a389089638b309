// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/commands/SettingsWrite.h"

#include <cstdio>
#include <cstring>
#include <ctime>
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

void SetClockFromPc(CameraSettings& s) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(s.Date, sizeof s.Date, "%Y/%m/%d", &local);
    std::strftime(s.Time, sizeof s.Time, "%H:%M:%S", &local);
}

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

const char* FindUnsafeValue(const CameraSettings& s, bool useWps, SaveStep* sentBy) {
    for (SaveStep step : kSaveSteps) {
        if (!StepWrites(step, useWps)) continue;
        for (const char* name : QueryFields(StepQuery(step, useWps))) {
            const CameraField& f = *FindField(name);
            if (f.type != FieldType::kText || IsSafeQueryValue(FieldValueText(s, f).c_str()))
                continue;
            if (sentBy) *sentBy = step;
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

bool NeedsReadBack(int code) {
    return code == CAM_ERR_REDIRECTED || code == CAM_ERR_NO_STATUS || code == CAM_ERR_TOO_SLOW ||
           code == CAM_ERR_CLOSED_EARLY;
}

bool StepWrites(SaveStep step, bool useWps) {
    return !(useWps && step == SaveStep::Time);
}

WriteQuery StepQuery(SaveStep step, bool useWps) {
    switch (step) {
        case SaveStep::System:
            return WriteQuery::System;
        case SaveStep::Ddns:
            return WriteQuery::Ddns;
        case SaveStep::Time:
            return WriteQuery::Time;
        case SaveStep::Network:
            break;
    }
    return useWps ? WriteQuery::NetworkWithoutWireless : WriteQuery::Network;
}

ReportPage StepReport(SaveStep step) {
    switch (step) {
        case SaveStep::System:
            return {1, 0};
        case SaveStep::Ddns:
            return {13, 0};
        case SaveStep::Time:
            return {kTimePage, kTimeSub};
        case SaveStep::Network:
            break;
    }
    return {kNetworkPage, 0};
}

int RunSaveStep(CameraSettings& s, SaveStep step, bool useWps) {
    // A dropped save (keepConnecting 0) sends no further request.
    if (!KeepConnecting(s)) return CAM_ERR_CONNECT;
    const std::string host = T(s.cameraAddressText);
    const std::string port = T(s.cameraPortText);
    const ReportPage page = StepReport(step);
    if (!StepWrites(step, useWps))
        return CameraCommand(s, host.c_str(), port.c_str(), 1, page.page, page.sub);
    if (step == SaveStep::Time && s.clockFromPc == 1) SetClockFromPc(s);
    char query[kWriteQueryCapacity];
    const int built = BuildQuery(s, StepQuery(step, useWps), query, sizeof query);
    if (built < 0) return built;
    const int sub = step == SaveStep::Network && useWps ? kNetworkWithoutWirelessSub : page.sub;
    return CameraCommand(s, host.c_str(), port.c_str(), 2, page.page, sub, query);
}

}  // namespace orvanta::camera
