#pragma once
// JSON output of the command-line tool: objects keep the order their keys were written in.
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace orvanta::cli {

using Json = nlohmann::ordered_json;

// Camera bytes as a JSON string value: valid UTF-8 stays as it is, any other byte becomes the
// Latin-1 character it would be, so the output is always valid JSON.
std::string Utf8Text(std::string_view bytes);

// The length of the well-formed UTF-8 sequence starting at s[i], or 0.
size_t Utf8SequenceLength(std::string_view s, size_t i);

// The value on stdout, indented by two, with a line end; every string and key goes through
// Utf8Text first.
void PrintJson(const Json& value);

}  // namespace orvanta::cli
