// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JSON output of the command-line tool: objects keep the order their keys were written in.
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "camera/record/Utf8Text.h"

namespace orvanta::cli {

using Json = nlohmann::ordered_json;

// Camera bytes as a JSON string value, always valid JSON: the rule the pages show them by.
using camera::Utf8SequenceLength;
using camera::Utf8Text;

// The value on stdout, indented by two, with a line end; every string and key goes through
// Utf8Text first.
void PrintJson(const Json& value);

}  // namespace orvanta::cli
