// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/record/SettingsFields.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "camera/rules/FieldValues.h"

namespace orvanta::camera {

const std::vector<SettingsField>& CameraFields() {
    static const std::vector<SettingsField> listed = [] {
        std::vector<SettingsField> fields;
        for (const CameraField& f : FieldCatalogue())
            if (f.listed) fields.push_back(f);
        return fields;
    }();
    return listed;
}

const SettingsField* FindCameraField(const std::string& name) {
    for (const SettingsField& f : CameraFields())
        if (name == f.name) return &f;
    return nullptr;
}

std::string FieldValueText(const CameraSettings& settings, const SettingsField& field) {
    const unsigned char* at = FieldAt(settings, field);
    switch (field.type) {
        case FieldType::kText:
            return std::string(reinterpret_cast<const char*>(at),
                               strnlen(reinterpret_cast<const char*>(at), field.size));
        case FieldType::kByte:
            return std::to_string(*at);
        case FieldType::kInt32: {
            int32_t value;
            std::memcpy(&value, at, sizeof value);
            return std::to_string(value);
        }
    }
    return "";
}

bool SetFieldFromText(CameraSettings& settings, const SettingsField& field,
                      const std::string& value, std::string& error) {
    error = FieldValueProblem(field, value);
    if (!error.empty()) return false;
    unsigned char* at = FieldAt(settings, field);
    if (field.type == FieldType::kText) {
        std::memset(at, 0, field.size);
        std::memcpy(at, value.data(), value.size());
    } else if (field.type == FieldType::kByte) {
        *at = static_cast<unsigned char>(std::strtol(value.c_str(), nullptr, 10));
    } else {
        int32_t v = static_cast<int32_t>(std::strtoll(value.c_str(), nullptr, 10));
        std::memcpy(at, &v, sizeof v);
    }
    return true;
}

}  // namespace orvanta::camera
