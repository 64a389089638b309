// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The camera's reports: text of key=value lines. Each page fills its own fields.
#include <cstddef>
#include <string>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

enum FieldKind { kNumberField = 0, kTextField = 1 };

// Finds `key` (with its "=") in `answer` and stores its value in `destination`.
// A key counts only where no letter, digit, underscore, blank or tab stands right before it,
// so "IPAddr=" is not found inside "WIPAddr=" nor inside a value that holds " IPAddr=" (markup
// such as ">" before a key is fine). The first such hit wins; a line feed, carriage return or
// the end of the text ends the value; an empty value or a missing key stores nothing.
// Number: optional blanks, a sign and decimal digits; the lowest `width` bytes (1 or 4) of
// the value are stored; a value without digits stores nothing. Text: at most width - 1
// characters (a longer value is cut) and a NUL; the rest of the field is left as it was.
void ParseReportField(void* destination, const char* key, const char* answer, size_t width,
                      FieldKind kind);

// The value of `key` (with its "=") as the report gives it, up to its line end, found as
// ParseReportField finds it; false when the report has no such key.
bool FindReportValue(const char* answer, const char* key, std::string& value);

// Whether `answer` has what every model reports on the page: CAM_ERR_INCOMPLETE when it lacks
// a key the catalogue marks required (the wired address keys and HttpPort of page 3, TitleBar
// and Desp, the DDNS keys, the clock keys), else CAM_OK. A model without the other keys (a
// wired-only camera has no wireless ones) is read, and ParseReport treats what it did not
// report as a missing key. Whether the answer was cut is the transport's to tell
// (CheckAnswer): the last value may end with the text.
int CheckReport(const char* answer, int page, int sub);

// Fills the fields of one page's report (page 0 with sub 15 is the time). Text fields of the
// page are cleared first; numeric fields keep their value when their key is missing.
void ParseReport(CameraSettings& settings, const char* answer, int page, int sub);

}  // namespace orvanta::camera
