// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks many record fields at once, by their wire names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "camera/record/FieldCatalogue.h"
#include "camera/record/SettingsFields.h"

namespace orvanta::camera::testing {

// Each field of "NAME=value|NAME=value..." holds its value as text (numbers in decimal).
inline void ExpectFields(const CameraSettings& s, std::string_view expected) {
    for (size_t start = 0; start < expected.size();) {
        const size_t end = std::min(expected.find('|', start), expected.size());
        const std::string_view pair = expected.substr(start, end - start);
        const size_t equals = pair.find('=');
        if (const CameraField* field = FindField(pair.substr(0, equals)))
            EXPECT_EQ(FieldValueText(s, *field), pair.substr(equals + 1)) << pair;
        else
            ADD_FAILURE() << "no field " << pair;
        start = end + 1;
    }
}

}  // namespace orvanta::camera::testing
