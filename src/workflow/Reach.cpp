// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/Reach.h"

#include "platform/NetworkFactory.h"

namespace orvanta::workflow {

using localnet::SubnetResult;

SubnetResult CameraReach::Reach(const camera::CameraSettings& settings,
                                const localnet::MessageSink& message) {
    return localnet::EnsureCameraSubnet(settings, net_, temporary_, message);
}

const char* SubnetProblem(SubnetResult result) {
    switch (result) {
        case SubnetResult::AlreadyReachable:
        case SubnetResult::Added:
        case SubnetResult::NotAHostAddress:
            return "";
        case SubnetResult::TableFailed:
            return "the PC's addresses could not be read";
        case SubnetResult::NoFreeAddress:
            return "no free address was found in its subnet";
        case SubnetResult::FirstAddFailed:
        case SubnetResult::SecondAddFailed:
            return "a temporary address could not be added";
    }
    return "";
}

camera::FreeAddressFinder OwnFreeAddressFinder() {
    return [](uint32_t start, uint32_t source, int count) {
        auto net = platform::OpenNetwork();
        return localnet::FindFreeAddresses(*net, start, source, count);
    };
}

}  // namespace orvanta::workflow
