#pragma once
// Rules for the wireless keys a user types, shared by the wireless and access-point pages.
#include <string_view>

namespace orvanta::camera {

// A pre-shared key field takes at most this many characters.
constexpr int kPreSharedKeyMaxLength = 58;

// The most characters a WEP key field takes: 10 or 26 hexadecimal digits for a 64- or
// 128-bit key, 5 or 13 ASCII characters. Only a limit on typing: shorter keys pass.
int WepKeyMaxLength(bool hex, bool bits128);

// Whether every character is one of "0123456789ABCDEFabcdef"; an empty key is.
bool IsHexKey(std::string_view key);

}  // namespace orvanta::camera
