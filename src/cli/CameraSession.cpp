// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CameraSession.h"

#include <cstdio>
#include <string>

#include "camera/rules/FieldValues.h"
#include "cli/CameraOutput.h"
#include "localnet/LocalNetwork.h"
#include "platform/AddressText.h"
#include "platform/NetworkFactory.h"

namespace orvanta::cli {

camera::CredentialSource GivenCredentials(const Credentials& credentials) {
    return [credentials](std::string& user, std::string& password) {
        if (!credentials.given) return false;
        user = credentials.user;
        password = credentials.password;
        return true;
    };
}

CommandReach::CommandReach(const char* command, camera::CameraSettings& settings)
    : net_(platform::OpenNetwork()) {
    localnet::SurveyPcNetwork(settings, *net_);
    // A name, the loopback or no host at all: nothing to reach.
    if (!camera::IsUsableHostAddress(settings.cameraAddress)) return;
    reach_ = std::make_unique<workflow::CameraReach>(*net_);
    const std::string camera = TerminalText(camera::FieldText(settings.cameraAddressText));
    const localnet::SubnetResult result = reach_->Reach(settings, [command](const char* text) {
        std::fprintf(stderr, "%s: %s\n", command, TerminalText(text).c_str());
    });
    if (result == localnet::SubnetResult::Added)
        std::fprintf(stderr, "%s: reached %s through the temporary address %s\n", command,
                     camera.c_str(), TemporaryAddress().c_str());
    else if (*workflow::SubnetProblem(result))
        std::fprintf(stderr, "%s: the subnet of %s could not be made reachable: %s\n", command,
                     camera.c_str(), workflow::SubnetProblem(result));
}

CommandReach::~CommandReach() = default;

std::string CommandReach::TemporaryAddress() const {
    if (!reach_ || reach_->Held().empty()) return "";
    return platform::DottedAddress(reach_->Held().back());
}

}  // namespace orvanta::cli
