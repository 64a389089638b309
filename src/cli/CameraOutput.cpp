// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CameraOutput.h"

#include <cstdio>
#include <cstdlib>

#include "camera/wire/Transport.h"
#include "cli/Json.h"
#include "platform/AddressText.h"

namespace orvanta::cli {

using camera::AccessPoint;
using camera::FieldText;

bool ParseCameraTarget(const std::string& text, std::string& host, std::string& port) {
    size_t colon = text.rfind(':');
    host = text.substr(0, colon);
    port = colon == std::string::npos ? "80" : text.substr(colon + 1);
    return !host.empty() && platform::ParsePortText(port, nullptr);
}

std::string TerminalText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    auto escape = [&out](unsigned char c) {
        char code[5];
        std::snprintf(code, sizeof code, "\\x%02X", c);
        out += code;
    };
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (size_t n = c >= 0x80 ? Utf8SequenceLength(bytes, i) : 0) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + 1]);
            if (c == 0xC2 && next <= 0x9F) {  // U+0080..U+009F
                escape(c);
                escape(next);
            } else {
                out.append(bytes.substr(i, n));
            }
            i += n - 1;
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) {
            escape(c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string DescribeResult(int code) {
    return std::to_string(code) + " (" + camera::ResultName(code) +
           "): " + camera::ResultReason(code, camera::LastHttpStatus());
}

void AimAt(camera::CameraSettings& settings, const std::string& host, const std::string& port) {
    camera::SetFieldText(settings.cameraAddressText, host);
    camera::SetFieldText(settings.cameraPortText, port);
    settings.cameraAddress = platform::ParseDottedAddressOr(host, 0);
}

Json AccessPointsJson(const std::vector<AccessPoint>& list) {
    Json out = Json::array();
    auto text = [](const auto& field) { return Utf8Text(FieldText(field)); };
    for (const AccessPoint& ap : list) {
        out.push_back({{"channel", ap.channel},
                       {"mac", text(ap.mac)},
                       {"ssid", text(ap.ssid)},
                       {"quality", ap.quality},
                       {"mode", text(ap.mode)},
                       {"security", text(ap.security)},
                       {"algorithm", text(ap.algorithm)}});
    }
    return out;
}

void PrintAccessPoints(const std::vector<AccessPoint>& list) {
    std::printf("%3s  %-17s  %7s  %-8s  %-10s  %-9s  %s\n", "CH", "MAC", "QUALITY", "MODE",
                "SECURITY", "ALGORITHM", "SSID");
    auto text = [](const auto& field) { return TerminalText(FieldText(field)); };
    for (const AccessPoint& ap : list) {
        std::printf("%3d  %-17s  %7d  %-8s  %-10s  %-9s  %s\n", ap.channel, text(ap.mac).c_str(),
                    ap.quality, text(ap.mode).c_str(), text(ap.security).c_str(),
                    text(ap.algorithm).c_str(), text(ap.ssid).c_str());
    }
}

}  // namespace orvanta::cli
