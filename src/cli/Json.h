#pragma once
// Just enough JSON output for the command-line tool.
#include <string>

namespace orvanta::cli {

// A JSON string literal of `text`: quotes, backslashes and control characters escaped;
// bytes that are not valid UTF-8 are written as the Latin-1 characters they would be.
std::string JsonString(const std::string& text);

}  // namespace orvanta::cli
