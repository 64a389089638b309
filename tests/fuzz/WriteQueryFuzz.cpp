// SPDX-License-Identifier: GPL-3.0-or-later
// A random record, written as the save writes it and received by the simulated camera, whose
// request parser shares nothing with the writer: every value the camera stores is the
// record's. Records the save refuses are skipped; among them any value holding '%', which a
// decoding camera would read back as another character ("%26" as "&").
// Blanks go out as %20 in the fields that encode them and raw in the others; the camera takes
// both back as blanks.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "CameraCgi.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/wire/RequestFraming.h"

using namespace orvanta::camera;

namespace {

using Expected = std::vector<std::pair<const char*, std::string>>;

template <size_t N>
std::string Text(const char (&field)[N]) {
    return std::string(FieldText(field));
}

template <typename T>
std::string Number(T value) {
    return std::to_string(+value);
}

template <size_t N>
void Fill(FuzzedDataProvider& in, char (&field)[N]) {
    SetFieldText(field, in.ConsumeRandomLengthString(N));
}

CameraSettings RandomRecord(FuzzedDataProvider& in) {
    CameraSettings s = NewCameraSettings();
    auto number = [&](auto& field) { field = in.ConsumeIntegral<std::decay_t<decltype(field)>>(); };
    number(s.SECUEN), number(s.IPType), number(s.UPnPE), number(s.HttpPort), number(s.SPort);
    number(s.RTSPPort), number(s.WIPType), number(s.WireType), number(s.WireSec);
    number(s.WireCh), number(s.WEPAuthM), number(s.WEPMode), number(s.WEPKeyE0);
    number(s.WPAEnc), number(s.WPAPSKeyM), number(s.WepKeyL), number(s.DDNS), number(s.NTPEN);
    number(s.NTPPoll), number(s.Timezone);
    Fill(in, s.TitleBar), Fill(in, s.Desp);
    Fill(in, s.DDNSSrv), Fill(in, s.DDNSUser), Fill(in, s.DDNSPwd), Fill(in, s.DDNSHost);
    Fill(in, s.NTPName), Fill(in, s.Date), Fill(in, s.Time);
    Fill(in, s.IPAddr), Fill(in, s.Netmask), Fill(in, s.Gateway), Fill(in, s.DNS1);
    Fill(in, s.DNS2), Fill(in, s.PAccount), Fill(in, s.PPwd), Fill(in, s.PVP);
    Fill(in, s.WIPAddr), Fill(in, s.WNetmask), Fill(in, s.WGateway), Fill(in, s.WDNS1);
    Fill(in, s.WDNS2), Fill(in, s.SSID), Fill(in, s.TxRate), Fill(in, s.WPAKey);
    Fill(in, s.WEPKey0), Fill(in, s.WEPKey1), Fill(in, s.WEPKey2), Fill(in, s.WEPKey3);
    Fill(in, s.userName), Fill(in, s.userPassword);
    return s;
}

Expected Wired(const CameraSettings& s) {
    return {{"IPType", Number(s.IPType)},     {"IPAddr", Text(s.IPAddr)},
            {"Netmask", Text(s.Netmask)},     {"Gateway", Text(s.Gateway)},
            {"DNS1", Text(s.DNS1)},           {"DNS2", Text(s.DNS2)},
            {"UPnPE", Number(s.UPnPE)},       {"PAccount", Text(s.PAccount)},
            {"PPwd", Text(s.PPwd)},           {"PVP", Text(s.PVP)},
            {"HttpPort", Number(s.HttpPort)}, {"SPort", Number(s.SPort)},
            {"RTSPPort", Number(s.RTSPPort)}};
}

Expected Wireless(const CameraSettings& s) {
    return {{"WIPType", Number(s.WIPType)},   {"WIPAddr", Text(s.WIPAddr)},
            {"WNetmask", Text(s.WNetmask)},   {"WGateway", Text(s.WGateway)},
            {"WDNS1", Text(s.WDNS1)},         {"WDNS2", Text(s.WDNS2)},
            {"WireType", Number(s.WireType)}, {"WireSec", Number(s.WireSec)},
            {"SSID", Text(s.SSID)},           {"WireCh", Number(s.WireCh)},
            {"WEPAuthM", Number(s.WEPAuthM)}, {"WEPMode", Number(s.WEPMode)},
            {"WEPKey0", Text(s.WEPKey0)},     {"WEPKey1", Text(s.WEPKey1)},
            {"WEPKey2", Text(s.WEPKey2)},     {"WEPKey3", Text(s.WEPKey3)},
            {"WEPKeyE0", Number(s.WEPKeyE0)}, {"WPAKey", Text(s.WPAKey)},
            {"WPAEnc", Number(s.WPAEnc)},     {"WPAPSKeyM", Number(s.WPAPSKeyM)},
            {"TxRate", Text(s.TxRate)},       {"WepKeyL", Number(s.WepKeyL)}};
}

// A camera that asks for the record's credentials when the record says it does.
camsim::CgiCamera CameraFor(const CameraSettings& s) {
    static const camsim::CgiCamera kLoaded = [] {
        camsim::CgiCamera camera;
        std::string error;
        if (!camsim::LoadCgiCamera(camsim::SimCamera{}, camera, error)) __builtin_trap();
        return camera;
    }();
    camsim::CgiCamera camera = kLoaded;
    camera.security = s.SECUEN == 1;
    camera.user = Text(s.userName);
    camera.password = Text(s.userPassword);
    return camera;
}

// Sends one write; every expected value must arrive.
void CheckWrite(camsim::CgiCamera& camera, const CameraSettings& s, int page, int sub, int built,
                const char* query, const Expected& expected) {
    if (built < 0) return;
    char request[kRequestCapacity];
    if (BuildCommandRequest(s, 2, page, sub, query, request, sizeof request) < 0) return;
    camsim::CgiAnswer answer = camsim::Answer(camera, request);
    if (answer.bytes.compare(0, 15, "HTTP/1.0 200 OK") != 0) __builtin_trap();
    for (const auto& [key, value] : expected)
        if (camera.values[key] != value) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const CameraSettings s = RandomRecord(in);
    if (FindUnsafeValue(s, false) != nullptr) return 0;
    char query[kWriteQueryCapacity];
    camsim::CgiCamera camera = CameraFor(s);

    CheckWrite(camera, s, 1, 0, BuildSystemQuery(s, query, sizeof query), query,
               {{"TitleBar", Text(s.TitleBar)}, {"Desp", Text(s.Desp)}});
    CheckWrite(camera, s, 13, 0, BuildDdnsQuery(s, query, sizeof query), query,
               {{"DDNSSrv", Text(s.DDNSSrv)},
                {"DDNS", Number(s.DDNS)},
                {"DDNSUser", Text(s.DDNSUser)},
                {"DDNSPwd", Text(s.DDNSPwd)},
                {"DDNSHost", Text(s.DDNSHost)}});
    CheckWrite(camera, s, 0, 15, BuildTimeQuery(s, query, sizeof query), query,
               {{"NTPEN", Number(s.NTPEN)},
                {"NTPName", Text(s.NTPName)},
                {"NTPPoll", Number(s.NTPPoll)},
                {"Timezone", Number(s.Timezone)},
                {"Date", Text(s.Date)},
                {"Time", Text(s.Time)}});
    Expected network = Wired(s);
    CheckWrite(camera, s, 3, 18, BuildNetworkQuery(s, false, query, sizeof query), query, network);
    for (auto& entry : Wireless(s)) network.push_back(std::move(entry));
    CheckWrite(camera, s, 3, 0, BuildNetworkQuery(s, true, query, sizeof query), query, network);
    return 0;
}
