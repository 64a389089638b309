// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The network platform for this process: in-process when it holds CAP_NET_ADMIN and
// CAP_NET_RAW itself (root, or file capabilities), else through orvanta2-nethelper.
#include <memory>

#include "platform/NetworkPlatform.h"

namespace orvanta::platform {

std::unique_ptr<NetworkPlatform> OpenNetwork();

// Whether the calling thread holds both capabilities in its effective set.
bool HoldsNetCapabilities();

}  // namespace orvanta::platform
