// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the edited settings back to the camera: one write query per page, filled from the
// record key by key, and the steps of a save.
#include <cstddef>

#include "camera/record/CameraSettings.h"
#include "camera/record/FieldCatalogue.h"

namespace orvanta::camera {

// The variable part of a write query is built in this much room.
constexpr size_t kWriteQueryCapacity = 2049;

// "&TitleBar=..&Desp=.." and so on. Each returns the query's length, or
// CAM_ERR_REQUEST_TOO_LONG when it would not fit `capacity` (nothing is ever cut).
int BuildSystemQuery(const CameraSettings& settings, char* out, size_t capacity);
int BuildDdnsQuery(const CameraSettings& settings, char* out, size_t capacity);
int BuildTimeQuery(const CameraSettings& settings, char* out, size_t capacity);
int BuildNetworkQuery(const CameraSettings& settings, bool withWireless, char* out,
                      size_t capacity);

// True when `text` holds none of the characters FindRequestBreaker finds.
bool IsSafeQueryValue(const char* text);

// The steps of a save, in their order.
enum class SaveStep { System, Ddns, Time, Network };
inline constexpr SaveStep kSaveSteps[] = {SaveStep::System, SaveStep::Ddns, SaveStep::Time,
                                          SaveStep::Network};
const char* SaveStepName(SaveStep step, bool useWps);

// A value holding a character that FindRequestBreaker finds would change the query or the
// request. Returns the name of the first such field that the save would send (with WPS
// the wireless fields and the time are not sent), or nullptr when every value is safe;
// `step`, when given, gets the step that sends it.
const char* FindUnsafeValue(const CameraSettings& settings, bool useWps, SaveStep* step = nullptr);

// Whether a step reads (the time of a WPS save) rather than writes.
bool StepWrites(SaveStep step, bool useWps);
// The query a writing step sends.
WriteQuery StepQuery(SaveStep step, bool useWps);
// The report a step's page is read back from.
struct ReportPage {
    int page, sub;
};
ReportPage StepReport(SaveStep step);

// Date and Time from the PC's local clock now.
void SetClockFromPc(CameraSettings& settings);

// One step of a save against cameraAddressText:cameraPortText: the system, DDNS or time write
// (the time read when `useWps`), or the network write (without the wireless fields when
// `useWps`). A time write with clockFromPc takes the PC's clock of that moment. Its result
// code; CAM_ERR_CONNECT without sending once keepConnecting is 0.
int RunSaveStep(CameraSettings& settings, SaveStep step, bool useWps);

// A write's result that leaves open whether the camera took it: what it reports when read
// back decides (a redirect, a plain answer, one that never ended or was cut in its head).
bool NeedsReadBack(int code);

}  // namespace orvanta::camera
