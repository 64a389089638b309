// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reaching a camera in a subnet the PC has no address in: a temporary address of the PC in the
// camera's subnet, held until the reach goes (the wizard's run, one command of the tool).
#include <cstdint>
#include <vector>

#include "camera/commands/SettingsRead.h"
#include "camera/record/CameraSettings.h"
#include "localnet/LocalNetwork.h"
#include "platform/NetworkPlatform.h"

namespace orvanta::workflow {

class CameraReach {
public:
    explicit CameraReach(platform::NetworkPlatform& net) : net_(net) {}
    ~CameraReach() { RemoveAll(); }
    CameraReach(const CameraReach&) = delete;
    CameraReach& operator=(const CameraReach&) = delete;

    // Makes the subnet of settings.cameraAddress reachable from the PC's active adapter as the
    // survey fields of `settings` give it (pcInterfaceIndex, pcAddressText).
    localnet::SubnetResult Reach(const camera::CameraSettings& settings,
                                 const localnet::MessageSink& message = {});
    // The temporary addresses this reach holds, oldest first (network byte order).
    const std::vector<uint32_t>& Held() const { return temporary_.addresses; }
    void RemoveAll() { localnet::RemoveTemporaryAddresses(net_, temporary_); }

private:
    platform::NetworkPlatform& net_;
    localnet::TemporaryAddresses temporary_;
};

// What a reach that could not add an address ran into, for a line of output.
const char* SubnetProblem(localnet::SubnetResult result);

// The read's free-address step, with a network handle of its own for each search: the read
// runs on a thread of its own.
camera::FreeAddressFinder OwnFreeAddressFinder();

}  // namespace orvanta::workflow
