#pragma once
// Writing the edited settings back to the camera: one write query per page, filled from the
// record key by key, and the save sequences that send them in a fixed order.
#include <cstddef>
#include <functional>

#include "camera/record/CameraSettings.h"

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

// A value holding a character that FindRequestBreaker finds would change the query or the
// request. Returns the name of the first such field that the save would send (with WPS
// the wireless fields and the time are not sent), or nullptr when every value is safe.
const char* FindUnsafeValue(const CameraSettings& settings, bool useWps);
// True when `text` holds none of those characters.
bool IsSafeQueryValue(const char* text);

// The steps of a save, in their order.
enum class SaveStep { System, Ddns, Time, Network };
const char* SaveStepName(SaveStep step, bool useWps);

// Runs the save against cameraAddressText:cameraPortText: system, DDNS, the time (written;
// read instead when `useWps`), then the network (without the wireless fields when `useWps`).
// Each step runs only after the one before returned 0; the network write is always last.
// Returns 0, the first failing step's code, or CAM_ERR_UNSAFE_VALUE (nothing sent) when
// FindUnsafeValue finds a value. A step found with keepConnecting at 0 (the save was
// dropped) sends nothing and returns CAM_ERR_CONNECT. `onStep` hears every step that was run.
int RunSave(CameraSettings& settings, bool useWps,
            const std::function<void(SaveStep, int)>& onStep = {});

}  // namespace orvanta::camera
