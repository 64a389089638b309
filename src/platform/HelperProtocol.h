// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line protocol between the wizard (or CLI) and orvanta2-nethelper, and the rules the
// helper holds every request to. Plain functions over explicit buffers, no Qt, no throw.
//
// One request per line, one reply line per request, fields separated by one space:
//   ADD <ifindex> <a.b.c.d>/<prefix>    -> OK <handle>
//   DEL <handle>                         -> OK
//   ARP <source> <target> [<target>...]  -> OK <one '0' or '1' per target>
// A refusal or failure is "ERR <errno> <why>". At start the helper says "READY", or "ERR"
// when it cannot work (no capabilities) and exits.
#include <cstddef>
#include <cstdint>

namespace orvanta::nethelper {

// The socket the parent hands over.
constexpr int kRequestFd = 3;
// A request or reply line, without its newline, is at most this long.
constexpr size_t kMaxLine = 240;
// Targets in one ARP request: the free-address search probes eight candidates at once.
constexpr int kMaxProbeTargets = 8;
// Temporary addresses the helper keeps at once; the wizard needs one per camera subnet.
constexpr int kMaxHeld = 8;
// Lifetime of a temporary address, renewed every third of it. The parent may shorten it:
// that only makes a crash leave less behind.
constexpr uint32_t kMinLifetimeSeconds = 3;
constexpr uint32_t kMaxLifetimeSeconds = 30;

enum class Verb { Add, Delete, Probe };

struct Request {
    Verb verb = Verb::Add;
    uint32_t index = 0;    // ADD: interface
    uint32_t address = 0;  // ADD: network byte order
    int prefixLength = 0;  // ADD
    uint32_t handle = 0;   // DEL
    uint32_t source = 0;   // ARP: network byte order
    uint32_t targets[kMaxProbeTargets] = {};
    int count = 0;  // ARP: number of targets
};

// Parses one line (without its newline) and applies the rules that need no look at the
// system: the address kinds and prefixes the wizard uses, the batch size. 0, or a positive
// errno with *why pointing at a fixed text.
int ParseRequest(const char* line, size_t length, Request* out, const char** why);

// The prefix the wizard gives a temporary address beside a camera: /16 for 128..191,
// /24 for 192..223, a host route (/32) for other unicast addresses; -1 for addresses that are
// no unicast host (0.x, loopback, multicast, reserved).
int WizardPrefixFor(uint32_t address);

// 0 when `address`/`prefixLength` is one the wizard adds, else a positive errno and *why.
int CheckTemporaryAddress(uint32_t address, int prefixLength, const char** why);
// 0 when `address` is a unicast host an ARP probe may name, else a positive errno and *why.
int CheckProbeAddress(uint32_t address, const char** why);

// 0 when none of the PC's `count` addresses shares the /24 of `address`: the wizard adds one
// only to reach a subnet the PC has no address in. Else EEXIST and *why.
int CheckSubnetUnused(uint32_t address, const uint32_t* pcAddresses, size_t count,
                      const char** why);

// What the helper knows of the interface of an ADD.
struct LinkState {
    bool exists = false;
    bool up = false;
    bool loopback = false;
    bool ethernet = false;  // wired or wireless Ethernet: ARP and broadcast work
};
int CheckLink(const LinkState& link, const char** why);

// Reply lines, newline included. They return the length written, 0 when it does not fit.
size_t FormatReady(char* buffer, size_t capacity);
size_t FormatOk(char* buffer, size_t capacity);
size_t FormatOkHandle(char* buffer, size_t capacity, uint32_t handle);
size_t FormatOkProbe(char* buffer, size_t capacity, const uint8_t* answered, int count);
size_t FormatError(char* buffer, size_t capacity, int code, const char* why);

enum class ReplyKind { Ready, Ok, Error };

struct Reply {
    ReplyKind kind = ReplyKind::Error;
    int code = 0;         // Error: positive errno
    uint32_t handle = 0;  // Ok to ADD
    uint8_t answered[kMaxProbeTargets] = {};
    int count = 0;                // Ok to ARP: number of answers
    char why[kMaxLine + 1] = {};  // Error: the helper's text
};

// Parses a reply line (without its newline) as the client reads it. 0, or EPROTO when the line
// is not a reply.
int ParseReply(const char* line, size_t length, Reply* out);

}  // namespace orvanta::nethelper
