// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of each subcommand, through CLI11: its options and --help, and a wrong
// command line told in words that say which part is wrong, with exit code 2.
#include <CLI/CLI.hpp>
#include <string>

#include "cli/CameraSession.h"

namespace orvanta::cli {

// A subcommand's parser, "orvanta2-cli NAME".
struct Command : CLI::App {
    Command(const char* name, const char* description);
    // -1 when the command goes on; else the exit code: 0 after --help, 2 for a wrong
    // command line (the message is on stderr).
    int Parse(int argc, char** argv);
};

// The camera as HOST[:PORT] (positional, required), split into host and port (80 when none).
void AddCameraTarget(CLI::App& app, std::string& host, std::string& port);
// --user and --password, each at most 63 bytes; `given` once either is on the line.
void AddCredentials(CLI::App& app, Credentials& credentials);
// An IPv4 address other than 0.0.0.0.
CLI::Validator Ipv4Address();

// Why "HOST[:PORT]" is not one, naming the part; "" when it is.
std::string CameraTargetProblem(const std::string& text);

}  // namespace orvanta::cli
