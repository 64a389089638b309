// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Json.h"

#include <cstdio>

namespace orvanta::cli {
namespace {

// Every string and key of `value` through Utf8Text.
Json Sanitized(const Json& value) {
    if (value.is_string()) return Utf8Text(value.get_ref<const std::string&>());
    if (value.is_array()) {
        Json out = Json::array();
        for (const Json& item : value) out.push_back(Sanitized(item));
        return out;
    }
    if (value.is_object()) {
        Json out = Json::object();
        for (const auto& [key, item] : value.items()) out[Utf8Text(key)] = Sanitized(item);
        return out;
    }
    return value;
}

}  // namespace

void PrintJson(const Json& value) {
    // Camera bytes may reach a value by any road: make sure of them here, one way for all.
    std::string text = Sanitized(value).dump(2, ' ', false, Json::error_handler_t::replace);
    std::printf("%s\n", text.c_str());
}

}  // namespace orvanta::cli
