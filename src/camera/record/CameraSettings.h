// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the wizard knows about the camera being configured, in one fixed-size plain
// record: no pointers, no owned memory, zero-filled at creation. Texts are NUL-terminated
// 8-bit strings of at most width - 1 characters. Fields that carry a report key bear the
// key's name, so the parser tables and the write queries read like the wire.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace orvanta::camera {

// Result codes of every camera command: 0 success, negative failure.
constexpr int CAM_OK = 0;
constexpr int CAM_ERR_CONNECT = -1;         // no connection (time-out, refused, bad host, closing)
constexpr int CAM_ERR_SEND = -2;            // the request could not be sent in time
constexpr int CAM_ERR_NO_ANSWER = -3;       // no byte arrived within the first receive wait
constexpr int CAM_ERR_HTTP_NOT_FOUND = -4;  // "HTTP/1.0 404 Not Found"
constexpr int CAM_ERR_NOT_FOUND = -5;       // "404 Not Found"
constexpr int CAM_ERR_FAILURE = -6;         // "402 Failure"
constexpr int CAM_ERR_INCOMPLETE = -7;      // a report without a key every model gives
constexpr int CAM_ERR_UNAUTHORIZED = -8;    // a read answered "Unauthorized"
// Not a camera answer: the request would not fit its buffer, so it was never sent.
constexpr int CAM_ERR_REQUEST_TOO_LONG = -9;
// Not sent either: a typed value holds a character that would break the query.
constexpr int CAM_ERR_UNSAFE_VALUE = -10;
// What a misbehaving peer did instead of giving a whole, accepted answer.
constexpr int CAM_ERR_CLOSED_EARLY = -11;  // the answer ended before it was whole
constexpr int CAM_ERR_HTTP_STATUS = -12;   // an HTTP status other than 2xx (LastHttpStatus())
constexpr int CAM_ERR_NOT_HTTP = -13;      // bytes that are neither HTTP nor a plain report
constexpr int CAM_ERR_TOO_LONG = -14;      // more answer than the buffer holds
constexpr int CAM_ERR_REFUSED = -15;       // the connection was refused or reset unanswered
constexpr int CAM_ERR_TOO_SLOW = -16;      // an answer still coming when the receive bound ran out
// A write whose answer does not say whether the camera took it: what the camera reports when
// read back decides (with CAM_ERR_TOO_SLOW and CAM_ERR_CLOSED_EARLY, see NeedsReadBack).
constexpr int CAM_ERR_REDIRECTED = -17;  // a redirect (3xx, LastHttpStatus())
constexpr int CAM_ERR_NO_STATUS = -18;   // plain text without a status line or a mark
// The camera took a write and reports other values when read back.
constexpr int CAM_ERR_NOT_KEPT = -19;

// "CAM_ERR_CONNECT" and so on; "CAM_UNKNOWN" for anything else.
const char* ResultName(int code);

// What happened, in a few words for a person: "no answer", "HTTP status 500" (with the status
// number `httpStatus` for CAM_ERR_HTTP_STATUS), "unauthorized" and so on.
std::string ResultReason(int code, int httpStatus = 0);

struct CameraSettings {
    // How to reach the camera.
    uint8_t newFeatures;
    uint32_t cameraAddress;  // network byte order
    char cameraIdText[260];
    uint8_t cameraWireless;
    char cameraPortText[8];
    char cameraAddressText[64];
    uint8_t keepConnecting;
    uint8_t apScanDone;
    int32_t apCount;
    uint8_t WPS;
    uint8_t WPS_ACK;
    uint8_t reserved0;

    // Network page (3): wired, PPPoE, wireless.
    uint8_t IPType;
    char IPAddr[64];
    char Netmask[64];
    char Gateway[64];
    char DNS1[64];
    char DNS2[64];
    char PAccount[64];
    char PPwd[64];
    char PVP[64];
    uint8_t Wireless;
    uint8_t WireType;
    char SSID[64];
    uint8_t WireCh;
    uint8_t ChType;
    uint8_t WireSec;
    char TxRate[64];
    uint8_t WIPType;
    char WIPAddr[64];
    char WNetmask[64];
    char WGateway[64];
    char WDNS1[64];
    char WDNS2[64];
    uint8_t WPAEnc;
    uint8_t WPAPSKeyM;
    char WPAKey[256];
    uint8_t WEPAuthM;
    uint8_t WEPMode;
    uint8_t WEPKeyE0;
    uint8_t WepKeyL;
    char WEPKey0[256];
    char WEPKey1[256];
    char WEPKey2[256];
    char WEPKey3[256];

    // The wizard's road, set by the entry and choice pages.
    uint8_t wizardMode;
    uint8_t useWps;
    uint8_t newCameraSetup;
    uint8_t useWireless;
    uint8_t skipAddressCheck;  // PPPoE chosen: no free-address search after the read
    uint8_t menuChoice1;
    uint8_t menuChoice2;
    uint8_t menuChoice3;

    // The PC's own network, filled at start-up by the local-network survey.
    char pcAddressText[64];
    char pcNetmaskText[64];
    char pcGatewayText[64];
    char pcDnsText[64];
    char pcUnusedText[64];  // cleared, not used
    uint32_t pcInterfaceIndex;
    uint32_t pcAddress;  // pcAddressText as an address (network byte order), 0 for none
    char PhonebookUser[64];
    char pcUnusedText2[64];  // cleared, not used
    uint8_t pcHasDialUp;
    uint8_t pcHasLan;
    uint8_t pcHasWireless;
    uint8_t pcUsesDhcp;
    uint8_t internetReachable;

    // System page (1) and capabilities (32).
    uint8_t SECUEN;
    char ModelName[32];
    char TitleBar[64];
    char Desp[64];
    uint8_t WPSCap;       // "WPS=" of page 32
    uint8_t WirelessCap;  // "Wireless=" of page 32
    uint8_t Transversal;

    // DDNS page (13).
    uint8_t DDNS;
    char DDNSSrv[64];
    char DDNSHost[256];
    char DDNSUser[64];
    char DDNSPwd[64];

    // Time (set_time.cgi).
    uint8_t NTPEN;
    char NTPName[256];
    int32_t Timezone;
    int32_t NTPPoll;
    char Date[16];
    char Time[16];
    // The user chose the PC's clock: the time write sends the PC's date and time of its moment.
    uint8_t clockFromPc;

    // Ports (page 3).
    uint8_t UPnPE;
    int32_t HttpPort;
    int32_t SPort;
    int32_t RTSPPort;

    // Firmware (page 23).
    char Version[16];
    int32_t reserved1;
    uint8_t reserved2[4];

    // NAT status (page 34).
    uint8_t NATStat;
    char ExtIPAddr[256];
    int32_t ExtHttpPort;

    // Credentials typed in the administrator password dialog.
    char userName[64];
    char userPassword[64];
};

static_assert(std::is_trivially_copyable_v<CameraSettings>);
static_assert(std::is_standard_layout_v<CameraSettings>);

// A record as the main window starts it: all zero, keepConnecting 1.
CameraSettings NewCameraSettings();

// The text of a fixed field, never reading past its width even without a NUL.
template <size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}

// Stores `text` in a fixed field, cut to N - 1 characters, NUL-terminated and zero-padded.
template <size_t N>
void SetFieldText(char (&field)[N], std::string_view text) {
    size_t n = text.size() < N - 1 ? text.size() : N - 1;
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), n);
}

}  // namespace orvanta::camera
