#pragma once
#include <QString>
#include <string>

#include "camera/record/CameraSettings.h"

namespace orvanta::app {

class CWizardDlg;

// A camera as the settings pages show it after a read: a wireless model with DDNS, on a
// fixed address, its clock from NTP.
void FillSampleCamera(camera::CameraSettings& s);
// Each page that shows the record shows it now.
void PrepareRecordPages(CWizardDlg& wizard);

// Renders every page and dialog in every shipped language to DIR/<language>/<class>.png.
// Returns the number of files written, or -1 when the folder cannot be made.
int WriteScreenshots(const QString& folder, const std::string& executablePath);

}  // namespace orvanta::app
