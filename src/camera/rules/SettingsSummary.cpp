// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/rules/SettingsSummary.h"

#include <iterator>
#include <string_view>

#include "camera/record/Utf8Text.h"
#include "camera/rules/DdnsProviders.h"

namespace orvanta::camera {
namespace {

constexpr uint8_t kDhcp = 0;
constexpr uint8_t kFixed = 1;
constexpr uint8_t kPppoe = 2;

// A record text as the pages show it (see Utf8Text).
template <size_t N>
std::string Text(const char (&field)[N]) {
    return Utf8Text(FieldText(field));
}

// One mark per character of a record text.
template <size_t N>
std::string Hidden(const char (&field)[N]) {
    size_t characters = 0;
    for (char c : Text(field)) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return std::string(characters, '*');
}

// The code point that ends the UTF-8 text, or 0.
char32_t LastCodePoint(std::string_view text) {
    size_t start = text.size();
    while (start > 0 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) --start;
    if (start == 0) return 0;
    const auto lead = static_cast<unsigned char>(text[--start]);
    const size_t length = text.size() - start;
    if (length == 1) return lead < 0x80 ? lead : 0;
    char32_t cp = lead & (0x7F >> length);
    for (size_t i = start + 1; i < text.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return cp;
}

// "label: value": the label keeps a colon of its own, and a label in a CJK script takes the
// full-width colon that needs no space after it.
std::string Field(std::string_view label, std::string_view value) {
    while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
    const char32_t last = LastCodePoint(label);
    std::string_view separator = ": ";
    if (last == U'\uFF1A')
        separator = "";
    else if (last == U':')
        separator = " ";
    else if (last >= 0x2E80)
        separator = "\uFF1A";
    std::string out(label);
    out += separator;
    out += value;
    return out;
}

std::string SystemText(const CameraSettings& s, const SummaryLabels& l) {
    return Field(l.hostname, Text(s.TitleBar)) + "\n" + Field(l.description, Text(s.Desp));
}

void NetworkText(const CameraSettings& s, const SummaryLabels& l, std::string& out) {
    switch (s.IPType) {
        case kPppoe:
            out = "PPPoE\n" + Field(l.pppoeUser, Text(s.PAccount)) + "\n" +
                  Field(l.pppoePassword, Hidden(s.PPwd));
            return;
        case kDhcp:
            // With DHCP the camera's own gateway is not known yet; the PC's is what it will get.
            out = l.dhcp + "\n" + Field(l.gateway, Text(s.pcGatewayText));
            return;
        case kFixed:
            out = Field(l.ipAddress, Text(s.IPAddr)) + "\n" + Field(l.mask, Text(s.Netmask)) +
                  "\n" + Field(l.gateway, Text(s.Gateway)) + "\n" + Field(l.dns, Text(s.DNS1));
            return;
        default:
            return;  // no text for it: the previous one stays
    }
}

void WirelessText(const CameraSettings& s, const SummaryLabels& l, std::string& out) {
    if (s.WirelessCap != 1) {
        out = l.noWirelessSupport;
        return;
    }
    if (s.useWireless != 1) {
        out = l.wirelessNotUsed;
        return;
    }
    if (s.useWps == 1) {
        // Only a confirmed run counts as success.
        out = l.useWps + "\n" + (s.WPS_ACK == 1 ? l.wpsSucceeded : l.wpsFailed);
        return;
    }
    // Past "none" the protocol names, which no language translates.
    static constexpr const char* kSecurity[] = {"", "WEP", "WPA-PSK", "WPA2-PSK"};
    if (s.WireSec >= std::size(kSecurity)) return;  // the previous text stays
    const std::string security = s.WireSec == 0 ? l.noSecurity : kSecurity[s.WireSec];
    out = Field(l.ssid, Text(s.SSID)) + "\n" + Field(l.security, security);
}

std::string UpnpText(const CameraSettings& s, const SummaryLabels& l) {
    return (s.UPnPE == 1 ? l.upnpOn : l.upnpOff) + "\n" +
           Field(l.httpPort, std::to_string(s.HttpPort)) + "\n" +
           Field(l.streamPort, std::to_string(s.SPort)) + "\n" +
           Field(l.rtspPort, std::to_string(s.RTSPPort));
}

std::string DdnsText(const CameraSettings& s, const SummaryLabels& l) {
    if (s.DDNS != 1) return l.ddnsOff;
    return l.ddnsOn + "\n" +
           Field(l.provider, Utf8Text(DdnsProviderDisplay(FieldText(s.DDNSSrv)))) + "\n" +
           Field(l.ddnsHost, Text(s.DDNSHost)) + "\n" + Field(l.ddnsUser, Text(s.DDNSUser)) + "\n";
}

}  // namespace

void BuildSettingsSummary(const CameraSettings& s, const SummaryLabels& labels,
                          SettingsSummary& summary) {
    summary.system = SystemText(s, labels);
    NetworkText(s, labels, summary.network);
    WirelessText(s, labels, summary.wireless);
    summary.upnp = UpnpText(s, labels);
    summary.ddns = DdnsText(s, labels);
}

}  // namespace orvanta::camera
