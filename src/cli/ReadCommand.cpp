// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-cli read: what the wizard does when a camera is picked, without the pages: the
// system read (with the credentials when the camera asks for them), then the settings read.
#include <cstddef>
#include <cstdio>
#include <string>

#include "camera/commands/SettingsRead.h"
#include "camera/record/SettingsFields.h"
#include "camera/wire/RequestFraming.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/Options.h"
#include "platform/AddressText.h"
#include "workflow/Reach.h"
#include "workflow/ReadCamera.h"

namespace orvanta::cli {
namespace {

using camera::CameraSettings;

// A field as JSON: numbers as numbers, texts as strings.
Json FieldJson(const CameraSettings& s, const camera::SettingsField& f) {
    std::string text = camera::FieldValueText(s, f);
    if (f.type == camera::FieldType::kText) return Utf8Text(text);
    Json number = Json::parse(text, nullptr, false);
    return number.is_number() ? number : Json(Utf8Text(text));
}

int Failed(const std::string& what) {
    std::fprintf(stderr, "read failed: %s\n", what.c_str());
    return 1;
}

}  // namespace

int RunRead(int argc, char** argv) {
    std::string host, port;
    Credentials credentials;
    bool json = false, freeAddresses = false;
    Command command("read", "Select a camera as the wizard does and read all its settings.");
    AddCameraTarget(command, host, port);
    AddCredentials(command, credentials);
    command.add_flag("--json", json, "print one JSON object keyed by the settings' wire names");
    command.add_flag("--free-addresses", freeAddresses,
                     "also search the PC's subnet for free addresses, as the wizard's read does");
    if (int code = command.Parse(argc, argv); code >= 0) return code;

    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    // The reach surveys the PC's network, whose address the free-address search starts from.
    CommandReach reach("read", settings);
    camera::FreeAddressFinder findFree;
    if (freeAddresses) findFree = workflow::OwnFreeAddressFinder();
    camera::SettingsReadResult result;
    int code = workflow::SelectAndRead(settings, GivenCredentials(credentials), findFree, result);
    if (!result.succeeded) {
        if (code == camera::CAM_OK)  // the capability read before it went well
            return Failed("access-point scan " + DescribeResult(result.scanError));
        return Failed(DescribeResult(code));
    }

    if (json) {
        Json out = Json::object();
        for (const camera::SettingsField& f : camera::CameraFields())
            out[f.name] = FieldJson(settings, f);
        out["accessPoints"] = AccessPointsJson(result.accessPoints);
        if (!reach.TemporaryAddress().empty()) out["temporaryAddress"] = reach.TemporaryAddress();
        if (freeAddresses) {
            out["freeAddresses"] = Json::array();
            for (uint32_t a : result.freeAddresses)
                out["freeAddresses"].push_back(platform::DottedAddress(a));
        }
        PrintJson(out);
    } else {
        for (const camera::SettingsField& f : camera::CameraFields())
            std::printf("%-12s %s\n", f.name,
                        TerminalText(camera::FieldValueText(settings, f)).c_str());
        if (freeAddresses) {
            std::printf("%-12s", "freeAddresses");
            for (uint32_t a : result.freeAddresses)
                std::printf(" %s", platform::DottedAddress(a).c_str());
            std::printf("\n");
        }
        if (!result.accessPoints.empty()) {
            std::printf("\n");
            PrintAccessPoints(result.accessPoints);
        }
    }
    return 0;
}

}  // namespace orvanta::cli
