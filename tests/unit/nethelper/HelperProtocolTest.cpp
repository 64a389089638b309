// SPDX-License-Identifier: GPL-3.0-or-later
// The helper's request rules: what it takes, what it refuses and the reason it gives.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/AddressText.h"
#include "platform/HelperProtocol.h"

namespace orvanta::nethelper {
namespace {

uint32_t Ip(const char* text) {
    return platform::ParseDottedAddressOr(text, 0);
}

int Parse(const std::string& line, Request* out = nullptr, const char** why = nullptr) {
    Request scratch;
    const char* reason = nullptr;
    int rc = ParseRequest(line.data(), line.size(), out ? out : &scratch, &reason);
    if (rc != 0) {
        EXPECT_NE(reason, nullptr) << line;  // a refusal always says why
    }
    if (why) *why = reason;
    return rc;
}

TEST(HelperProtocol, TakesTheRequestsTheWizardMakes) {
    Request r;
    ASSERT_EQ(Parse("ADD 2 192.168.0.251/24", &r), 0);
    EXPECT_EQ(r.verb, Verb::Add);
    EXPECT_EQ(r.index, 2u);
    EXPECT_EQ(r.address, Ip("192.168.0.251"));
    EXPECT_EQ(r.prefixLength, 24);
    ASSERT_EQ(Parse("ADD 7 172.16.5.253/16", &r), 0);
    EXPECT_EQ(r.prefixLength, 16);
    ASSERT_EQ(Parse("ADD 3 10.1.1.253/32", &r), 0);  // a class A camera gets a host address
    EXPECT_EQ(r.prefixLength, 32);
    ASSERT_EQ(Parse("ADD 3 172.16.0.255/16", &r), 0);  // .255 is a host inside a /16

    ASSERT_EQ(Parse("DEL 4294967295", &r), 0);
    EXPECT_EQ(r.verb, Verb::Delete);
    EXPECT_EQ(r.handle, 4294967295u);

    ASSERT_EQ(Parse("ARP 10.1.1.5 192.168.0.253", &r), 0);
    EXPECT_EQ(r.verb, Verb::Probe);
    EXPECT_EQ(r.source, Ip("10.1.1.5"));
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.targets[0], Ip("192.168.0.253"));
    std::string eight = "ARP 192.168.0.10";
    for (int i = 0; i < kMaxProbeTargets; ++i) eight += " 192.168.0." + std::to_string(253 - i);
    ASSERT_EQ(Parse(eight, &r), 0);
    ASSERT_EQ(r.count, kMaxProbeTargets);
    EXPECT_EQ(r.targets[7], Ip("192.168.0.246"));
}

TEST(HelperProtocol, RefusesMalformedAndOutOfPolicyRequests) {
    std::string nine = "ARP 192.168.0.10";
    for (int i = 0; i < 9; ++i) nine += " 192.168.0." + std::to_string(200 + i);
    const struct {
        std::string line;
        int code;
    } cases[] = {
        // Framing and syntax.
        {"", EINVAL},
        {"ADD", EINVAL},
        {"add 2 192.168.0.251/24", EOPNOTSUPP},
        {"SHELL /bin/sh", EOPNOTSUPP},
        {"ADD  2 192.168.0.251/24", EINVAL},
        {" ADD 2 192.168.0.251/24", EINVAL},
        {"ADD 2 192.168.0.251/24 ", EINVAL},
        {"ADD 2 192.168.0.251/24\r", EINVAL},
        {std::string("ADD 2 192.168.0.251/24\0", 23), EINVAL},
        {"ADD 2 192.168.0.251/24 extra", EINVAL},
        {"ADD 0 192.168.0.251/24", EINVAL},
        {"ADD 02 192.168.0.251/24", EINVAL},
        {"ADD -2 192.168.0.251/24", EINVAL},
        {"ADD 99999999999 192.168.0.251/24", EINVAL},
        {"ADD 2 192.168.0.251", EINVAL},
        {"ADD 2 192.168.0.251/", EINVAL},
        {"ADD 2 192.168.0.251/024", EINVAL},
        {"ADD 2 192.168.0.251/33", EINVAL},
        {"ADD 2 192.168.00.251/24", EINVAL},
        {"ADD 2 eth0/24", EINVAL},
        {"DEL", EINVAL},
        {"DEL 0", EINVAL},
        {"DEL 4294967296", EINVAL},
        {"DEL 1 2", EINVAL},
        {"ARP 192.168.0.10", EINVAL},
        {"ARP 192.168.0.10 ", EINVAL},
        {"ARP 192.168.0.10 192.168.0.300", EINVAL},
        {std::string(kMaxLine + 1, 'A'), EMSGSIZE},
        // Prefixes other than the wizard's.
        {"ADD 2 192.168.0.251/16", EINVAL},
        {"ADD 2 192.168.0.251/32", EINVAL},
        {"ADD 2 172.16.0.251/24", EINVAL},
        {"ADD 2 10.1.1.251/8", EINVAL},
        {"ADD 2 10.1.1.251/24", EINVAL},
        // Addresses that are no host.
        {"ADD 2 127.0.0.2/32", EADDRNOTAVAIL},
        {"ADD 2 224.0.0.251/32", EADDRNOTAVAIL},
        {"ADD 2 239.255.255.250/32", EADDRNOTAVAIL},
        {"ADD 2 255.255.255.255/32", EADDRNOTAVAIL},
        {"ADD 2 240.0.0.1/32", EADDRNOTAVAIL},
        {"ADD 2 0.0.0.0/32", EADDRNOTAVAIL},
        {"ADD 2 192.168.0.255/24", EADDRNOTAVAIL},
        {"ADD 2 192.168.0.0/24", EADDRNOTAVAIL},
        {"ADD 2 172.16.255.255/16", EADDRNOTAVAIL},
        {"ADD 2 172.16.0.0/16", EADDRNOTAVAIL},
        {"ARP 127.0.0.1 192.168.0.253", EADDRNOTAVAIL},
        {"ARP 192.168.0.10 127.0.0.1", EADDRNOTAVAIL},
        {"ARP 192.168.0.10 224.0.0.1", EADDRNOTAVAIL},
        {"ARP 192.168.0.10 255.255.255.255", EADDRNOTAVAIL},
        {"ARP 0.0.0.0 192.168.0.253", EADDRNOTAVAIL},
        // Too many targets at once.
        {nine, E2BIG},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.line), c.code) << "'" << c.line << "'";
}

TEST(HelperProtocol, ThePrefixFollowsTheWizardsRuleForEveryFirstByte) {
    for (uint32_t first = 0; first < 256; ++first) {
        const uint32_t address = htonl(first << 24 | 0x000101FDu);  // first.0.1.253
        int expected = first >= 192 && first <= 223                 ? 24
                       : first >= 128 && first <= 191               ? 16
                       : first == 0 || first == 127 || first >= 224 ? -1
                                                                    : 32;
        EXPECT_EQ(WizardPrefixFor(address), expected) << first;
        for (int prefix : {8, 16, 24, 32})
            EXPECT_EQ(CheckTemporaryAddress(address, prefix, nullptr) == 0, prefix == expected)
                << first << "/" << prefix;
    }
}

TEST(HelperProtocol, RefusesASubnetThePcAlreadyHasAnAddressIn) {
    const uint32_t pc[] = {Ip("10.1.1.5"), Ip("172.16.4.9")};
    EXPECT_EQ(CheckSubnetUnused(Ip("192.168.0.251"), pc, 2, nullptr), 0);
    EXPECT_EQ(CheckSubnetUnused(Ip("172.16.5.253"), pc, 2, nullptr), 0);  // other /24 of a /16
    EXPECT_EQ(CheckSubnetUnused(Ip("172.16.4.253"), pc, 2, nullptr), EEXIST);
    EXPECT_EQ(CheckSubnetUnused(Ip("10.1.1.253"), pc, 2, nullptr), EEXIST);
    EXPECT_EQ(CheckSubnetUnused(Ip("10.1.1.253"), nullptr, 0, nullptr), 0);
}

TEST(HelperProtocol, RefusesInterfacesThatAreMissingDownOrNotEthernet) {
    const char* why = nullptr;
    EXPECT_EQ(CheckLink({}, &why), ENODEV);
    EXPECT_STREQ(why, "no such interface");
    EXPECT_EQ(CheckLink({true, true, true, false}, &why), EINVAL);
    EXPECT_STREQ(why, "loopback interface refused");
    EXPECT_EQ(CheckLink({true, true, false, false}, &why), EPFNOSUPPORT);
    EXPECT_EQ(CheckLink({true, false, false, true}, &why), ENETDOWN);
    EXPECT_STREQ(why, "interface is down");
    EXPECT_EQ(CheckLink({true, true, false, true}, &why), 0);
}

TEST(HelperProtocol, RepliesReadBackAndStrangeRepliesAreRefused) {
    char line[kMaxLine + 2];
    Reply reply;
    auto Read = [&](size_t n) {
        EXPECT_GT(n, 0u);
        EXPECT_EQ(line[n - 1], '\n');
        return ParseReply(line, n - 1, &reply);
    };
    ASSERT_EQ(Read(FormatReady(line, sizeof line)), 0);
    EXPECT_EQ(reply.kind, ReplyKind::Ready);
    ASSERT_EQ(Read(FormatOkHandle(line, sizeof line, 17)), 0);
    EXPECT_EQ(reply.kind, ReplyKind::Ok);
    EXPECT_EQ(reply.handle, 17u);
    const uint8_t answered[3] = {1, 0, 1};
    ASSERT_EQ(Read(FormatOkProbe(line, sizeof line, answered, 3)), 0);
    ASSERT_EQ(reply.count, 3);
    EXPECT_EQ(reply.answered[0], 1);
    EXPECT_EQ(reply.answered[1], 0);
    EXPECT_EQ(reply.answered[2], 1);
    // A reason with a newline in it cannot end the line early.
    ASSERT_EQ(Read(FormatError(line, sizeof line, EPERM, "first\nsecond")), 0);
    EXPECT_EQ(reply.kind, ReplyKind::Error);
    EXPECT_EQ(reply.code, EPERM);
    EXPECT_STREQ(reply.why, "first?second");
    EXPECT_EQ(FormatOkHandle(line, 4, 17), 0u);    // does not fit
    ASSERT_EQ(ParseReply("ERR 9", 5, &reply), 0);  // a refusal without its reason
    EXPECT_EQ(reply.code, 9);
    EXPECT_STREQ(reply.why, "");

    for (const char* bad : {"", "OK ", "OK x", "OK 1 2", "ERR", "ERR 0 zero", "ERR -1 minus",
                            "ERR 5000 big", "READY now", "HELLO"})
        EXPECT_EQ(ParseReply(bad, std::strlen(bad), &reply), EPROTO) << bad;
}

}  // namespace
}  // namespace orvanta::nethelper
