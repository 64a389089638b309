// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelperProtocol.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/AddressText.h"

namespace orvanta::nethelper {
namespace {

int Refuse(int code, const char** why, const char* text) {
    if (why) *why = text;
    return code;
}

// Splits off the next field; false when there is none. Fields are separated by exactly one
// space, so an empty field (two spaces, a leading or trailing space) is refused.
bool NextField(std::string_view& rest, std::string_view& field) {
    if (rest.empty()) return false;
    size_t space = rest.find(' ');
    field = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
    if (space != std::string_view::npos && rest.empty()) return false;  // trailing space
    return !field.empty();
}

// A decimal number without sign or leading zero, at most `limit`.
bool ParseNumber(std::string_view text, uint32_t limit, uint32_t* out) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0')) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > limit) return false;
    *out = static_cast<uint32_t>(value);
    return true;
}

int ParseAdd(std::string_view rest, Request* out, const char** why) {
    std::string_view indexText, cidr;
    if (!NextField(rest, indexText) || !NextField(rest, cidr) || !rest.empty())
        return Refuse(EINVAL, why, "malformed ADD: want ADD <ifindex> <address>/<prefix>");
    uint32_t index = 0;
    if (!ParseNumber(indexText, 0x7FFFFFFFu, &index) || index == 0)
        return Refuse(EINVAL, why, "malformed ADD: bad interface index");
    size_t slash = cidr.find('/');
    uint32_t address = 0, prefix = 0;
    if (slash == std::string_view::npos ||
        !platform::ParseDottedAddress(cidr.substr(0, slash), &address) ||
        !ParseNumber(cidr.substr(slash + 1), 32, &prefix))
        return Refuse(EINVAL, why, "malformed ADD: bad address/prefix");
    if (int rc = CheckTemporaryAddress(address, static_cast<int>(prefix), why); rc != 0) return rc;
    out->verb = Verb::Add;
    out->index = index;
    out->address = address;
    out->prefixLength = static_cast<int>(prefix);
    return 0;
}

int ParseDelete(std::string_view rest, Request* out, const char** why) {
    std::string_view handleText;
    uint32_t handle = 0;
    if (!NextField(rest, handleText) || !rest.empty() ||
        !ParseNumber(handleText, 0xFFFFFFFFu, &handle) || handle == 0)
        return Refuse(EINVAL, why, "malformed DEL: want DEL <handle>");
    out->verb = Verb::Delete;
    out->handle = handle;
    return 0;
}

int ParseProbe(std::string_view rest, Request* out, const char** why) {
    std::string_view field;
    uint32_t source = 0;
    if (!NextField(rest, field) || !platform::ParseDottedAddress(field, &source))
        return Refuse(EINVAL, why, "malformed ARP: want ARP <source> <target>...");
    if (int rc = CheckProbeAddress(source, why); rc != 0) return rc;
    int count = 0;
    uint32_t targets[kMaxProbeTargets];
    while (!rest.empty()) {
        if (count == kMaxProbeTargets)
            return Refuse(E2BIG, why, "ARP batch too large: at most 8 targets");
        uint32_t target = 0;
        if (!NextField(rest, field) || !platform::ParseDottedAddress(field, &target))
            return Refuse(EINVAL, why, "malformed ARP: bad target");
        if (int rc = CheckProbeAddress(target, why); rc != 0) return rc;
        targets[count++] = target;
    }
    if (count == 0) return Refuse(EINVAL, why, "malformed ARP: no target");
    out->verb = Verb::Probe;
    out->source = source;
    out->count = count;
    std::memcpy(out->targets, targets, sizeof(uint32_t) * static_cast<size_t>(count));
    return 0;
}

// Only printable ASCII: a NUL, CR or other control byte means the peer is not our client.
bool Printable(std::string_view text) {
    for (char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

// The "kind" of an address by its first byte; 0 when it is a unicast host.
int UnicastHost(uint32_t address, const char** why) {
    const uint32_t host = ntohl(address);
    const uint32_t first = host >> 24;
    if (first == 0) return Refuse(EADDRNOTAVAIL, why, "not a host address (0.x.x.x)");
    if (first == 127) return Refuse(EADDRNOTAVAIL, why, "loopback address refused");
    if (first >= 224 && first <= 239)
        return Refuse(EADDRNOTAVAIL, why, "multicast address refused");
    if (host == 0xFFFFFFFFu) return Refuse(EADDRNOTAVAIL, why, "broadcast address refused");
    if (first >= 240) return Refuse(EADDRNOTAVAIL, why, "reserved address refused");
    return 0;
}

size_t Put(char* buffer, size_t capacity, int n) {
    if (buffer == nullptr || n < 0 || static_cast<size_t>(n) >= capacity) return 0;
    return static_cast<size_t>(n);
}

}  // namespace

int WizardPrefixFor(uint32_t address) {
    if (UnicastHost(address, nullptr) != 0) return -1;
    uint32_t mask = 0;
    if (!platform::ClassMaskFor(address, &mask)) return 32;
    return ntohl(mask) == 0xFFFF0000u ? 16 : 24;
}

int CheckTemporaryAddress(uint32_t address, int prefixLength, const char** why) {
    if (int rc = UnicastHost(address, why); rc != 0) return rc;
    if (prefixLength != WizardPrefixFor(address))
        return Refuse(EINVAL, why,
                      "prefix refused: /16 for 128-191, /24 for 192-223, /32 otherwise");
    if (prefixLength < 31) {
        const uint32_t hostBits = ntohl(address) & (0xFFFFFFFFu >> prefixLength);
        if (hostBits == 0) return Refuse(EADDRNOTAVAIL, why, "subnet address refused");
        if (hostBits == (0xFFFFFFFFu >> prefixLength))
            return Refuse(EADDRNOTAVAIL, why, "subnet broadcast address refused");
    }
    return 0;
}

int CheckProbeAddress(uint32_t address, const char** why) {
    return UnicastHost(address, why);
}

int CheckSubnetUnused(uint32_t address, const uint32_t* pcAddresses, size_t count,
                      const char** why) {
    for (size_t i = 0; pcAddresses != nullptr && i < count; ++i)
        if (((ntohl(pcAddresses[i]) ^ ntohl(address)) & 0xFFFFFF00u) == 0)
            return Refuse(EEXIST, why, "the PC already has an address in this /24");
    return 0;
}

int CheckLink(const LinkState& link, const char** why) {
    if (!link.exists) return Refuse(ENODEV, why, "no such interface");
    if (link.loopback) return Refuse(EINVAL, why, "loopback interface refused");
    if (!link.ethernet) return Refuse(EPFNOSUPPORT, why, "not an Ethernet interface");
    if (!link.up) return Refuse(ENETDOWN, why, "interface is down");
    return 0;
}

int ParseRequest(const char* line, size_t length, Request* out, const char** why) {
    if (line == nullptr || out == nullptr) return Refuse(EINVAL, why, "no request");
    if (length > kMaxLine) return Refuse(EMSGSIZE, why, "request too long");
    std::string_view text(line, length);
    if (!Printable(text)) return Refuse(EINVAL, why, "request holds control bytes");
    std::string_view verb;
    std::string_view rest = text;
    if (!NextField(rest, verb)) return Refuse(EINVAL, why, "malformed request");
    *out = Request{};
    if (verb == "ADD") return ParseAdd(rest, out, why);
    if (verb == "DEL") return ParseDelete(rest, out, why);
    if (verb == "ARP") return ParseProbe(rest, out, why);
    return Refuse(EOPNOTSUPP, why, "unknown request: ADD, DEL and ARP only");
}

size_t FormatReady(char* buffer, size_t capacity) {
    return Put(buffer, capacity, std::snprintf(buffer, capacity, "READY\n"));
}

size_t FormatOk(char* buffer, size_t capacity) {
    return Put(buffer, capacity, std::snprintf(buffer, capacity, "OK\n"));
}

size_t FormatOkHandle(char* buffer, size_t capacity, uint32_t handle) {
    return Put(buffer, capacity, std::snprintf(buffer, capacity, "OK %u\n", handle));
}

size_t FormatOkProbe(char* buffer, size_t capacity, const uint8_t* answered, int count) {
    if (answered == nullptr || count <= 0 || count > kMaxProbeTargets) return 0;
    char bits[kMaxProbeTargets + 1] = {};
    for (int i = 0; i < count; ++i) bits[i] = answered[i] ? '1' : '0';
    return Put(buffer, capacity, std::snprintf(buffer, capacity, "OK %s\n", bits));
}

size_t FormatError(char* buffer, size_t capacity, int code, const char* why) {
    if (code <= 0 || code > 4095) code = EIO;
    char text[kMaxLine - 10] = {};
    std::snprintf(text, sizeof text, "%s", why ? why : "failed");
    for (char& c : text)
        if (c != '\0' && (c < 0x20 || c > 0x7E)) c = '?';
    return Put(buffer, capacity, std::snprintf(buffer, capacity, "ERR %d %s\n", code, text));
}

int ParseReply(const char* line, size_t length, Reply* out) {
    if (line == nullptr || out == nullptr || length > kMaxLine) return EPROTO;
    std::string_view text(line, length);
    if (!Printable(text)) return EPROTO;
    *out = Reply{};
    if (text == "READY") {
        out->kind = ReplyKind::Ready;
        return 0;
    }
    if (text == "OK") {
        out->kind = ReplyKind::Ok;
        return 0;
    }
    std::string_view rest = text, verb, field;
    if (!NextField(rest, verb) || !NextField(rest, field)) return EPROTO;
    if (verb == "OK") {
        if (!rest.empty()) return EPROTO;
        out->kind = ReplyKind::Ok;
        // "OK 10" is handle 10 or two answers: the client knows which it asked for.
        uint32_t handle = 0;
        bool number = ParseNumber(field, 0xFFFFFFFFu, &handle);
        if (number) out->handle = handle;
        if (field.size() <= kMaxProbeTargets &&
            field.find_first_not_of("01") == std::string_view::npos) {
            out->count = static_cast<int>(field.size());
            for (size_t i = 0; i < field.size(); ++i) out->answered[i] = field[i] == '1' ? 1 : 0;
        } else if (!number) {
            return EPROTO;
        }
        return 0;
    }
    if (verb == "ERR") {
        uint32_t code = 0;
        if (!ParseNumber(field, 4095, &code) || code == 0) return EPROTO;
        out->kind = ReplyKind::Error;
        out->code = static_cast<int>(code);
        if (!rest.empty()) std::memcpy(out->why, rest.data(), rest.size());
        out->why[rest.size()] = '\0';
        return 0;
    }
    return EPROTO;
}

}  // namespace orvanta::nethelper
