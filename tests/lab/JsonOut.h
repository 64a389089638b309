// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tool's JSON output, read back: objects keep their key order, so equality checks it.
#include <nlohmann/json.hpp>
#include <string>

namespace orvanta::testing {

inline nlohmann::ordered_json ParseJson(const std::string& text) {
    return nlohmann::ordered_json::parse(text, nullptr, false);
}

}  // namespace orvanta::testing
