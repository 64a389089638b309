// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Millisecond ticks with wrap-around, as the engines measure ages and periods.
// Owners inject their own source in tests so that minutes pass without waiting.
#include <cstdint>
#include <functional>

namespace orvanta::platform {

using TickSource = std::function<uint32_t()>;

// Monotonic milliseconds since an arbitrary start, truncated to 32 bits.
uint32_t SystemTickMs();

}  // namespace orvanta::platform
