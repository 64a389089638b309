#pragma once
// The camera's reports: text of key=value lines. Each page fills its own fields.
#include <cstddef>

#include "camera/record/CameraSettings.h"

namespace orvanta::camera {

enum FieldKind { kNumberField = 0, kTextField = 1 };

// Finds `key` (with its "=") in `answer` and stores its value in `destination`.
// A key counts only where no letter, digit or underscore stands right before it, so "IPAddr="
// is not found inside "WIPAddr=". The first such hit wins; a line feed, carriage return or
// the end of the text ends the value; an empty value or a missing key stores nothing.
// Number: optional blanks, a sign and decimal digits; the lowest `width` bytes (1 or 4) of
// the value are stored; a value without digits stores nothing. Text: at most width - 1
// characters (a longer value is cut) and a NUL; the rest of the field is left as it was.
void ParseReportField(void* destination, const char* key, const char* answer, size_t width,
                      FieldKind kind);

// Whether `answer` is a whole report of the page: CAM_ERR_INCOMPLETE when a page that a save
// writes back (1, 3, 13, the time) lacks a key of its report (only SECUEN, Wireless and ChType,
// which are never written, may be missing); CAM_ERR_CLOSED_EARLY when one of the page's values
// runs into the end of the answer without its line end; else CAM_OK.
int CheckReport(const char* answer, int page, int sub);

// Fills the fields of one page's report (page 0 with sub 15 is the time). Text fields of the
// page are cleared first; numeric fields keep their value when their key is missing.
void ParseReport(CameraSettings& settings, const char* answer, int page, int sub);

}  // namespace orvanta::camera
