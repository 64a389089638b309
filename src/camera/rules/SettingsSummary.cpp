#include "camera/rules/SettingsSummary.h"

#include <iterator>
#include <string_view>

#include "camera/rules/DdnsProviders.h"

namespace orvanta::camera {
namespace {

constexpr uint8_t kDhcp = 0;
constexpr uint8_t kFixed = 1;
constexpr uint8_t kPppoe = 2;

// Every Latin-1 byte is the code point of the same value.
std::string Widen(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

template <size_t N>
std::string Text(const char (&field)[N]) {
    return Widen(FieldText(field));
}

std::string SystemText(const CameraSettings& s, const SummaryLabels& l) {
    return l.hostname + Text(s.TitleBar) + "\n" + l.description + Text(s.Desp);
}

void NetworkText(const CameraSettings& s, const SummaryLabels& l, std::string& out) {
    switch (s.IPType) {
        case kPppoe:
            out = "PPPoE:\n" + l.pppoeUser + ":\n" + Text(s.PAccount) + "\n" + l.pppoePassword +
                  ":\n" + std::string(FieldText(s.PPwd).size(), '*');
            return;
        case kDhcp:
            // With DHCP the camera's own gateway is not known yet; the PC's is what it will get.
            out = l.dhcp + "\n" + l.gateway + ":" + Text(s.pcGatewayText);
            return;
        case kFixed:
            out = l.fixedIp + ":" + Text(s.IPAddr) + "\n" + l.mask + ":" + Text(s.Netmask) + "\n" +
                  l.gateway + ":" + Text(s.Gateway) + "\n" + l.dns + ":" + Text(s.DNS1);
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
    static constexpr const char* kSecurity[] = {"none", "WEP", "WPA-PSK", "WPA2-PSK"};
    if (s.WireSec >= std::size(kSecurity)) return;  // the previous text stays
    out = l.ssid + ":" + Text(s.SSID) + "\n" + l.security + ":" + kSecurity[s.WireSec];
}

std::string UpnpText(const CameraSettings& s, const SummaryLabels& l) {
    const bool on = s.UPnPE == 1;
    // The enabled form has never had a colon after the stream-port label.
    return (on ? l.upnpOn : l.upnpOff) + "\n" + l.httpPort + ":" + std::to_string(s.HttpPort) +
           "\n" + l.streamPort + (on ? "" : ":") + std::to_string(s.SPort) + "\n" + l.rtspPort +
           ":" + std::to_string(s.RTSPPort);
}

std::string DdnsText(const CameraSettings& s, const SummaryLabels& l) {
    if (s.DDNS != 1) return l.ddnsOff;
    return l.ddnsOn + "\n" + l.provider + ":" + Widen(DdnsProviderDisplay(FieldText(s.DDNSSrv))) +
           "\n" + l.ddnsHost + ":" + Text(s.DDNSHost) + "\n" + l.ddnsUser + ":" + Text(s.DDNSUser) +
           "\n";
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
