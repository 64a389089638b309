// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a camera's bytes read as text: valid UTF-8 is text as it is, and any other byte is the
// Latin-1 character it would be. The command-line tool prints camera texts this way and the
// pages show them this way, so a value read and written back unchanged keeps its bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvanta::camera {

// `bytes` as valid UTF-8 by the rule above.
std::string Utf8Text(std::string_view bytes);

// The length of the well-formed UTF-8 sequence starting at s[i], or 0.
size_t Utf8SequenceLength(std::string_view s, size_t i);

}  // namespace orvanta::camera
