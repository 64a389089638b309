// SPDX-License-Identifier: GPL-3.0-or-later
// orvanta2-cli: the wizard's core for installers and scripts.
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int, char**);
    const char* summary;
};

const Command kCommands[] = {
    {"discover", orvanta::cli::RunDiscover, "list the cameras that answer on the local network"},
    {"read", orvanta::cli::RunRead, "read a camera's settings (HOST[:PORT])"},
    {"apscan", orvanta::cli::RunApScan, "list the access points a camera sees"},
    {"netinfo", orvanta::cli::RunNetinfo, "the PC's active adapter, its addresses and links"},
    {"probe", orvanta::cli::RunProbe, "ask by ARP whether a host holds an address"},
    {"free-addresses", orvanta::cli::RunFreeAddresses,
     "addresses in the PC's subnet no host holds"},
    {"save", orvanta::cli::RunSaveCommand, "set fields of a camera's settings and save them"},
    {"wps", orvanta::cli::RunWpsCommand, "connect a camera to a wireless router by WPS"},
    {"server-list", orvanta::cli::RunServerListCommand,
     "list the cameras registered on a registration server"},
    {"apply", orvanta::cli::RunApply, "configure many cameras from a CSV file"},
};

int Usage(FILE* out) {
    std::fprintf(out, "usage: orvanta2-cli COMMAND [options]\n\ncommands:\n");
    for (const Command& c : kCommands) std::fprintf(out, "  %-16s %s\n", c.name, c.summary);
    return out == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage(stderr);
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) return Usage(stdout);
    if (!std::strcmp(argv[1], "--version")) {
        std::printf("orvanta2-cli %s\n", ORVANTA_VERSION);
        return 0;
    }
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
    std::fprintf(stderr, "orvanta2-cli: unknown command '%s'\n", argv[1]);
    return Usage(stderr);
}
