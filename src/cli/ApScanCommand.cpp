// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-cli apscan: the camera's scan of wireless access points.
#include <cstdio>
#include <string>

#include "camera/commands/AccessPointScan.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"
#include "cli/Options.h"

namespace orvanta::cli {

int RunApScan(int argc, char** argv) {
    std::string host, port;
    Credentials credentials;
    bool json = false;
    Command command("apscan", "List the access points a camera sees.");
    AddCameraTarget(command, host, port);
    AddCredentials(command, credentials);
    command.add_flag("--json", json, "print JSON");
    if (int code = command.Parse(argc, argv); code >= 0) return code;
    camera::CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    CommandReach reach("apscan", settings);
    if (credentials.given) {  // a camera with security on wants them on the scan too
        settings.SECUEN = 1;
        camera::SetFieldText(settings.userName, credentials.user);
        camera::SetFieldText(settings.userPassword, credentials.password);
    }
    int failure = camera::CAM_OK;
    std::vector<camera::AccessPoint> list =
        camera::ScanAccessPoints(settings, host.c_str(), port.c_str(), &failure);
    if (!settings.apScanDone) {
        std::fprintf(stderr, "apscan failed: %s\n", DescribeResult(failure).c_str());
        return 1;
    }
    if (json) {
        Json out = {{"apCount", settings.apCount}, {"accessPoints", AccessPointsJson(list)}};
        if (!reach.TemporaryAddress().empty()) out["temporaryAddress"] = reach.TemporaryAddress();
        PrintJson(out);
    } else {
        std::printf("%d access point(s)\n", settings.apCount);
        PrintAccessPoints(list);
    }
    return 0;
}

}  // namespace orvanta::cli
