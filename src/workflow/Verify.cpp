// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/Verify.h"

#include <cstring>

#include "camera/record/FieldCatalogue.h"
#include "camera/record/ReportParser.h"
#include "camera/record/SettingsFields.h"
#include "camera/wire/RequestFraming.h"
#include "camera/wire/Transport.h"

namespace orvanta::workflow {
namespace {

using camera::CameraField;
using camera::CameraSettings;

bool Named(const CameraField& f, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (std::strcmp(f.name, name) == 0) return true;
    return false;
}

// Fields whose written value the camera is not expected to report back.
bool Compared(const CameraSettings& written, const CameraField& f) {
    if (f.report == camera::Report::None) return false;  // never read back
    // A block the camera takes by DHCP or PPPoE reports the addresses it was given.
    if (written.IPType != 1 && Named(f, {"IPAddr", "Netmask", "Gateway", "DNS1", "DNS2"}))
        return false;
    return written.WIPType == 1 || !Named(f, {"WIPAddr", "WNetmask", "WGateway", "WDNS1", "WDNS2"});
}

// Whether the reported `value` holds what `written` has in `f`: parsed as the read parses it.
bool Holds(const CameraSettings& written, const CameraField& f, const std::string& value) {
    if (Named(f, {"Date", "Time"})) return !value.empty();  // the clock runs on
    CameraSettings reported = written;
    const bool text = f.type == camera::FieldType::kText;
    std::memset(camera::FieldAt(reported, f), 0, f.size);
    const std::string key = std::string(f.key) + "=";
    const std::string line = key + value;
    camera::ParseReportField(camera::FieldAt(reported, f), key.c_str(), line.c_str(), f.size,
                             text ? camera::kTextField : camera::kNumberField);
    // A number without digits stores nothing: it holds no value at all.
    if (!text && value.find_first_of("0123456789") == std::string::npos) return false;
    return camera::FieldValueText(reported, f) == camera::FieldValueText(written, f);
}

}  // namespace

std::vector<FieldDifference> CompareReport(const CameraSettings& written, camera::SaveStep page,
                                           bool useWps, const char* report) {
    std::vector<FieldDifference> differences;
    for (const char* name : camera::QueryFields(camera::StepQuery(page, useWps))) {
        const CameraField& f = *camera::FindField(name);
        std::string value;
        if (!Compared(written, f) ||
            !camera::FindReportValue(report, (std::string(f.key) + "=").c_str(), value))
            continue;
        if (!Holds(written, f, value))
            differences.push_back({f.name, camera::FieldValueText(written, f), value});
    }
    return differences;
}

PageCheck ReadBack(const CameraSettings& written, camera::SaveStep page, bool useWps) {
    PageCheck check;
    check.page = page;
    const std::string host(camera::FieldText(written.cameraAddressText));
    const std::string port(camera::FieldText(written.cameraPortText));
    const camera::ReportPage report = camera::StepReport(page);
    char answer[camera::kAnswerCapacity];
    check.read = camera::ReadReportAnswer(written, host.c_str(), port.c_str(), report.page,
                                          report.sub, answer, sizeof answer);
    if (check.read == camera::CAM_OK)
        check.differences = CompareReport(written, page, useWps, answer);
    return check;
}

int DecideStep(int result, const PageCheck& check) {
    if (!camera::NeedsReadBack(result)) return result;
    return check.Kept() ? camera::CAM_OK : result;
}

}  // namespace orvanta::workflow
