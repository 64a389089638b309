// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The camera's fields of CameraSettings by their wire names, for tools that show or set them
// by name (the command-line tool's read, save and apply).
#include <string>
#include <vector>

#include "camera/record/CameraSettings.h"
#include "camera/record/FieldCatalogue.h"

namespace orvanta::camera {

using SettingsField = CameraField;

// The catalogue's fields that the tool shows, in the record's order.
const std::vector<SettingsField>& CameraFields();
const SettingsField* FindCameraField(const std::string& name);

// The field's value as text (numbers in decimal).
std::string FieldValueText(const CameraSettings& settings, const SettingsField& field);
// Sets the field from text that FieldValueProblem finds nothing wrong with; false with its
// `error` otherwise (the record is then unchanged).
bool SetFieldFromText(CameraSettings& settings, const SettingsField& field,
                      const std::string& value, std::string& error);

}  // namespace orvanta::camera
