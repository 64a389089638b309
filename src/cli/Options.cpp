// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Options.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "cli/CameraOutput.h"
#include "platform/AddressText.h"

namespace orvanta::cli {

Command::Command(const char* name, const char* description)
    : CLI::App(description, std::string("orvanta2-cli ") + name) {}

int Command::Parse(int argc, char** argv) {
    // CLI11 takes a vector of arguments last first.
    std::vector<std::string> args(argv, argv + argc);
    std::reverse(args.begin(), args.end());
    try {
        parse(args);
    } catch (const CLI::ParseError& e) {
        return exit(e, std::cout, std::cerr) == 0 ? 0 : 2;
    }
    return -1;
}

std::string CameraTargetProblem(const std::string& text) {
    const size_t colon = text.rfind(':');
    const std::string host = text.substr(0, colon);
    if (host.empty())
        return colon == std::string::npos ? "the host is missing"
                                          : "the host before ':' is missing in '" + text + "'";
    // A name or a dotted address; IPv6 is not spoken, so no ':' either.
    if (host.find_first_not_of(
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_") !=
        std::string::npos)
        return "the host '" + host + "' is not a host name or an IPv4 address";
    std::string parsedHost, port;
    if (!ParseCameraTarget(text, parsedHost, port))
        return "the port '" + text.substr(colon + 1) + "' is not a number from 1 to 65535";
    return "";
}

void AddCameraTarget(CLI::App& app, std::string& host, std::string& port) {
    app.add_option_function<std::string>(
           "HOST[:PORT]",
           [&host, &port](const std::string& text) { ParseCameraTarget(text, host, port); },
           "the camera, port 80 unless given")
        ->required()
        ->check(CLI::Validator([](std::string& text) { return CameraTargetProblem(text); }, ""));
}

void AddCredentials(CLI::App& app, Credentials& credentials) {
    CLI::Validator fits(
        [](std::string& text) {
            return text.size() > 63 ? std::string("takes at most 63 bytes") : std::string();
        },
        "");
    app.add_option_function<std::string>(
           "--user",
           [&credentials](const std::string& v) {
               credentials.user = v;
               credentials.given = true;
           },
           "the camera's administrator")
        ->check(fits);
    app.add_option_function<std::string>(
           "--password",
           [&credentials](const std::string& v) {
               credentials.password = v;
               credentials.given = true;
           },
           "the administrator's password")
        ->check(fits);
}

CLI::Validator Ipv4Address() {
    return CLI::Validator(
        [](std::string& text) {
            return platform::ParseDottedAddressOr(text, 0) == 0
                       ? "'" + text + "' is not an IPv4 address other than 0.0.0.0"
                       : std::string();
        },
        "");
}

}  // namespace orvanta::cli
