// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subcommands of orvanta2-cli. Each takes the arguments after its name and returns the
// process exit code: 0 success, 1 the operation failed, 2 the command line was wrong.
namespace orvanta::cli {

int RunDiscover(int argc, char** argv);
int RunRead(int argc, char** argv);
int RunApScan(int argc, char** argv);
int RunNetinfo(int argc, char** argv);
int RunProbe(int argc, char** argv);
int RunFreeAddresses(int argc, char** argv);
int RunSaveCommand(int argc, char** argv);
int RunWpsCommand(int argc, char** argv);
int RunServerListCommand(int argc, char** argv);
int RunApply(int argc, char** argv);

}  // namespace orvanta::cli
