// orvanta2-cli apscan: the camera's scan of wireless access points.
#include <cstdio>
#include <string>

#include "camera/AccessPointScan.h"
#include "cli/CameraOutput.h"
#include "cli/Commands.h"

namespace orvanta::cli {

int RunApScan(int argc, char** argv) {
    std::string target, user, password;
    bool json = false, credentials = false;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if ((arg == "--user" || arg == "--password") && i + 1 < argc) {
            (arg == "--user" ? user : password) = argv[++i];
            credentials = true;
        } else if (target.empty() && !arg.empty() && arg[0] != '-') {
            target = arg;
        } else {
            target.clear();
            break;
        }
    }
    std::string host, port;
    if (target.empty() || !ParseCameraTarget(target, host, port) || user.size() > 63 ||
        password.size() > 63) {
        std::fprintf(stderr,
                     "usage: orvanta2-cli apscan HOST[:PORT] [--user U] [--password P] [--json]\n");
        return 2;
    }
    camera::CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    if (credentials) {  // a camera with security on wants them on the scan too
        settings.SECUEN = 1;
        camera::SetFieldText(settings.userName, user);
        camera::SetFieldText(settings.userPassword, password);
    }
    std::vector<camera::AccessPoint> list =
        camera::ScanAccessPoints(settings, host.c_str(), port.c_str());
    if (!settings.apScanDone) {
        std::fprintf(stderr, "apscan failed: the camera gave no access-point report\n");
        return 1;
    }
    if (json) {
        std::printf("{\"apCount\": %d, \"accessPoints\": %s}\n", settings.apCount,
                    AccessPointsJson(list).c_str());
    } else {
        std::printf("%d access point(s)\n", settings.apCount);
        PrintAccessPoints(list);
    }
    return 0;
}

}  // namespace orvanta::cli
