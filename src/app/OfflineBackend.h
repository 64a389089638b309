// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Backends for a wizard without cameras or network: every camera command but the access-point
// scan (two sample networks) fails to connect, the PC has one LAN adapter with a DHCP address
// and no internet. Used by the screenshot
// mode and the start-up benchmark.
#include <memory>

#include "shell/Backends.h"

namespace orvanta::app {

std::shared_ptr<shell::CameraBackend> OfflineCamera();
std::shared_ptr<shell::NetworkBackend> OfflineNetwork(bool internet);

}  // namespace orvanta::app
