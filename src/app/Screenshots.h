// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <string>

#include "camera/record/CameraSettings.h"

namespace orvanta::app {

class CWizardDlg;

// A camera as the settings pages show it after a read: a wireless model with DDNS, on a
// fixed address, its clock from NTP.
void FillSampleCamera(camera::CameraSettings& s);
// Page `index` shows the record now, when it is one of the pages that only show it.
void PrepareRecordPage(CWizardDlg& wizard, int index);

// Renders every page and dialog in every shipped language to DIR/<language>/<class>.png.
// Returns the number of files written, or -1 when the folder cannot be made.
int WriteScreenshots(const QString& folder, const std::string& executablePath);

}  // namespace orvanta::app
