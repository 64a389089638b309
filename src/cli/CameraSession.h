// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every camera command does before it talks to the camera: the credentials of its
// command line, and the camera's subnet made reachable as the wizard does it.
#include <memory>
#include <string>

#include "camera/commands/CameraSelection.h"
#include "camera/record/CameraSettings.h"
#include "platform/NetworkPlatform.h"
#include "workflow/Reach.h"

namespace orvanta::cli {

struct Credentials {
    std::string user, password;
    bool given = false;
};

// The credentials of the command line as the camera's password question takes them: none
// unless given.
camera::CredentialSource GivenCredentials(const Credentials& credentials);

// One command's reach of the camera `settings` aims at: surveys the PC's network into
// `settings` (as the wizard's start-up does) and adds a temporary address in the camera's subnet
// when the PC has none there, saying so on stderr. The address goes with this object.
class CommandReach {
public:
    CommandReach(const char* command, camera::CameraSettings& settings);
    ~CommandReach();
    CommandReach(const CommandReach&) = delete;
    CommandReach& operator=(const CommandReach&) = delete;

    // The temporary address used to reach the camera, "" when none was needed.
    std::string TemporaryAddress() const;

private:
    std::unique_ptr<platform::NetworkPlatform> net_;
    std::unique_ptr<workflow::CameraReach> reach_;
};

}  // namespace orvanta::cli
