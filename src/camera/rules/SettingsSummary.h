// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five texts of the summary page: what the wizard is about to write, in the user's
// language, each value after its label and a separator (": ", or "：" after a CJK label). Labels
// come from the language file in UTF-8; the record's texts are shown as the pages show
// them (see Utf8Text).
#include <string>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

struct SummaryLabels {                                // UTF-8, from the language file
    std::string hostname, description;                // SystemPage/Hostname, SystemPage/Description
    std::string pppoeUser, pppoePassword;             // PPPoEPage/UserID, PPPoEPage/Password
    std::string dhcp, ipAddress, mask, gateway, dns;  // WizardIPPage/RadioDHCP, IP, Submask,
                                                      // Gateway, dns
    std::string noWirelessSupport, wirelessNotUsed;   // SetAutoParamPage/NotSupposeWireless,
                                                      // NotUseWireless
    std::string useWps, wpsSucceeded, wpsFailed;  // SetAutoParamPage/USEWPS, WPSSucces, WPSFailed
    std::string ssid, security;                   // ApscanPage/SSID, ApscanPage/Security
    std::string noSecurity;                       // SetAutoParamPage/NoSecurity
    std::string upnpOn, upnpOff;                  // SetAutoParamPage/EnUPnP, DisUPnP
    std::string httpPort, streamPort, rtspPort;   // UPnPPage/HttpPort, StreamPort, RTSP
    std::string ddnsOn, ddnsOff;                  // SetAutoParamPage/EnDDNS, DisDDNS
    std::string provider, ddnsHost, ddnsUser;     // DDNSPage/Provider, Hostname, Username
};

struct SettingsSummary {
    std::string system, network, wireless, upnp, ddns;
};

// Rebuilds the five texts; a text whose rule has no case for the record's value (an IPType
// or WireSec outside the known ones) keeps what `summary` held before. The PPPoE password is
// shown as one asterisk per character, never in clear.
void BuildSettingsSummary(const CameraSettings& s, const SummaryLabels& labels,
                          SettingsSummary& summary);

}  // namespace orvanta::camera
