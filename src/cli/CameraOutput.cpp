#include "cli/CameraOutput.h"

#include <cstdio>
#include <cstdlib>

#include "camera/Transport.h"
#include "cli/Json.h"
#include "platform/AddressText.h"

namespace orvanta::cli {

using camera::AccessPoint;
using camera::FieldText;

bool ParseCameraTarget(const std::string& text, std::string& host, std::string& port) {
    size_t colon = text.rfind(':');
    host = text.substr(0, colon);
    port = colon == std::string::npos ? "80" : text.substr(colon + 1);
    if (host.empty() || port.empty() || port.size() > 5 ||
        port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    long number = std::strtol(port.c_str(), nullptr, 10);
    return number >= 1 && number <= 65535;
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
    for (const AccessPoint& ap : list) {
        std::printf(
            "%3d  %-17s  %7d  %-8s  %-10s  %-9s  %s\n", ap.channel,
            std::string(FieldText(ap.mac)).c_str(), ap.quality,
            std::string(FieldText(ap.mode)).c_str(), std::string(FieldText(ap.security)).c_str(),
            std::string(FieldText(ap.algorithm)).c_str(), std::string(FieldText(ap.ssid)).c_str());
    }
}

}  // namespace orvanta::cli
