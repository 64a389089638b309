// orvanta2-cli read: what the wizard does when a camera is picked, without the pages: the
// system read (with the credentials when the camera asks for them), then the settings read.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "camera/RequestFraming.h"
#include "camera/SettingsRead.h"
#include "cli/CameraOutput.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "discovery/LocalNetwork.h"
#include "platform/LinuxNetwork.h"

namespace orvanta::cli {
namespace {

using camera::CameraSettings;

enum class Kind { kText, kNumber, kInt };

struct Field {
    const char* name;
    size_t offset;
    size_t size;
    Kind kind;
};

#define TEXT(f)                                                                 \
    Field {                                                                     \
#f, offsetof(CameraSettings, f), sizeof(CameraSettings::f), Kind::kText \
    }
#define NUMBER(f)                                         \
    Field {                                               \
#f, offsetof(CameraSettings, f), 1, Kind::kNumber \
    }
#define INT(f)                                         \
    Field {                                            \
#f, offsetof(CameraSettings, f), 4, Kind::kInt \
    }

// The camera's fields in the record's order, then what the read found out about it.
const Field kFields[] = {
    NUMBER(IPType),      TEXT(IPAddr),       TEXT(Netmask),       TEXT(Gateway),
    TEXT(DNS1),          TEXT(DNS2),         TEXT(PAccount),      TEXT(PPwd),
    TEXT(PVP),           NUMBER(Wireless),   NUMBER(WireType),    TEXT(SSID),
    NUMBER(WireCh),      NUMBER(ChType),     NUMBER(WireSec),     TEXT(TxRate),
    NUMBER(WIPType),     TEXT(WIPAddr),      TEXT(WNetmask),      TEXT(WGateway),
    TEXT(WDNS1),         TEXT(WDNS2),        NUMBER(WPAEnc),      NUMBER(WPAPSKeyM),
    TEXT(WPAKey),        NUMBER(WEPAuthM),   NUMBER(WEPMode),     NUMBER(WEPKeyE0),
    NUMBER(WepKeyL),     TEXT(WEPKey0),      TEXT(WEPKey1),       TEXT(WEPKey2),
    TEXT(WEPKey3),       NUMBER(SECUEN),     TEXT(ModelName),     TEXT(TitleBar),
    TEXT(Desp),          NUMBER(WPSCap),     NUMBER(WirelessCap), NUMBER(Transversal),
    NUMBER(DDNS),        TEXT(DDNSSrv),      TEXT(DDNSHost),      TEXT(DDNSUser),
    TEXT(DDNSPwd),       NUMBER(NTPEN),      TEXT(NTPName),       INT(Timezone),
    INT(NTPPoll),        TEXT(Date),         TEXT(Time),          NUMBER(UPnPE),
    INT(HttpPort),       INT(SPort),         INT(RTSPPort),       TEXT(Version),
    NUMBER(newFeatures), NUMBER(apScanDone), INT(apCount),
};

#undef TEXT
#undef NUMBER
#undef INT

// The field as JSON (`json`) or as plain text.
std::string Value(const CameraSettings& s, const Field& f, bool json) {
    const auto* base = reinterpret_cast<const unsigned char*>(&s) + f.offset;
    switch (f.kind) {
        case Kind::kText: {
            std::string text(reinterpret_cast<const char*>(base),
                             strnlen(reinterpret_cast<const char*>(base), f.size));
            return json ? JsonString(text) : text;
        }
        case Kind::kNumber:
            return std::to_string(*base);
        case Kind::kInt: {
            int32_t value;
            std::memcpy(&value, base, sizeof value);
            return std::to_string(value);
        }
    }
    return "";
}

int Usage() {
    std::fprintf(stderr,
                 "usage: orvanta2-cli read HOST[:PORT] [--user U] [--password P] [--json]\n"
                 "                         [--free-addresses]\n");
    return 2;
}

int Failed(int code) {
    std::fprintf(stderr, "read failed: %d (%s)\n", code, camera::ResultName(code));
    return 1;
}

}  // namespace

int RunRead(int argc, char** argv) {
    std::string target, user, password;
    bool json = false, credentials = false, freeAddresses = false;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--free-addresses") {
            freeAddresses = true;
        } else if ((arg == "--user" || arg == "--password") && i + 1 < argc) {
            (arg == "--user" ? user : password) = argv[++i];
            credentials = true;
        } else if (target.empty() && !arg.empty() && arg[0] != '-') {
            target = arg;
        } else {
            return Usage();
        }
    }
    std::string host, port;
    if (target.empty() || !ParseCameraTarget(target, host, port)) return Usage();
    if (user.size() > 63 || password.size() > 63) {
        std::fprintf(stderr, "read: user and password take at most 63 characters\n");
        return 2;
    }

    CameraSettings settings = camera::NewCameraSettings();
    AimAt(settings, host, port);

    // Selecting the camera: its system page, with the credentials once it asks for them.
    int code = camera::CameraCommand(settings, host.c_str(), port.c_str(), 1, 1, 0);
    if (code == camera::CAM_ERR_UNAUTHORIZED && credentials) {
        camera::SetFieldText(settings.userName, user);
        camera::SetFieldText(settings.userPassword, password);
        code = camera::ReadSystemWithAuth(settings, host.c_str(), port.c_str());
    }
    if (code != camera::CAM_OK) return Failed(code);

    // The free-address search of the read needs the PC's address, as the wizard's start-up
    // survey leaves it.
    platform::LinuxNetwork net;
    camera::FreeAddressFinder findFree;
    if (freeAddresses) {
        discovery::SurveyPcNetwork(settings, net);
        findFree = discovery::FreeAddressFinderFor(net);
    }
    camera::SettingsReadResult result = camera::RunSettingsRead(settings, findFree);
    if (!result.succeeded) {
        if (result.error == camera::CAM_OK)
            std::fprintf(stderr, "read: the camera gave no access-point report\n");
        return Failed(result.error);
    }

    if (json) {
        std::printf("{");
        const char* separator = "";
        for (const Field& f : kFields) {
            std::printf("%s\"%s\": %s", separator, f.name, Value(settings, f, true).c_str());
            separator = ", ";
        }
        std::printf(", \"accessPoints\": %s", AccessPointsJson(result.accessPoints).c_str());
        if (freeAddresses) {
            std::printf(", \"freeAddresses\": [");
            for (size_t i = 0; i < result.freeAddresses.size(); ++i)
                std::printf("%s\"%s\"", i ? ", " : "",
                            discovery::DottedAddress(result.freeAddresses[i]).c_str());
            std::printf("]");
        }
        std::printf("}\n");
    } else {
        for (const Field& f : kFields)
            std::printf("%-12s %s\n", f.name, Value(settings, f, false).c_str());
        if (freeAddresses) {
            std::printf("%-12s", "freeAddresses");
            for (uint32_t a : result.freeAddresses)
                std::printf(" %s", discovery::DottedAddress(a).c_str());
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
