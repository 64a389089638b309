// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real camera commands, the PC's real network and a real discovery engine.
#include <functional>
#include <string>

#include "app/CWizardDlg.h"

namespace orvanta::app {

// The host of the start-up reachability probe: $ORVANTA2_PROBE_HOST, else key ProbeHost of
// section Settings in defaultlang.ini, else a public web host.
std::string ProbeHost(const lang::ProgramPaths& paths);

// Where the registration server is: $ORVANTA2_REGISTRATION_SERVER, else key
// RegistrationServer of section Settings in defaultlang.ini, each "host" or "host:port", else
// the built-in default on port 80.
struct ServerAddress {
    std::string host;
    std::string port;
};
ServerAddress RegistrationServer(const lang::ProgramPaths& paths);

// Options with the live backends for the program at `executablePath`.
WizardOptions LiveOptions(const std::string& executablePath);

}  // namespace orvanta::app
