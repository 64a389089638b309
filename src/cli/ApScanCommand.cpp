// orvanta2-cli apscan: the camera's scan of wireless access points.
#include <cstdio>
#include <string>

#include "camera/AccessPointScan.h"
#include "cli/CameraOutput.h"
#include "cli/CameraSession.h"
#include "cli/Commands.h"

namespace orvanta::cli {

int RunApScan(int argc, char** argv) {
    std::string target, error;
    Credentials credentials;
    bool json = false;
    for (int i = 0; i < argc && error.empty(); ++i) {
        std::string arg = argv[i];
        if (TakeCredentialOption(argc, argv, i, credentials, error)) {
        } else if (arg == "--json") {
            json = true;
        } else if (target.empty() && !arg.empty() && arg[0] != '-') {
            target = arg;
        } else {
            error = "usage";
        }
    }
    std::string host, port;
    if (!error.empty() || target.empty() || !ParseCameraTarget(target, host, port)) {
        std::fprintf(stderr,
                     "usage: orvanta2-cli apscan HOST[:PORT] [--user U] [--password P] [--json]\n");
        return 2;
    }
    camera::CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);
    if (credentials.given) {  // a camera with security on wants them on the scan too
        settings.SECUEN = 1;
        camera::SetFieldText(settings.userName, credentials.user);
        camera::SetFieldText(settings.userPassword, credentials.password);
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
