// SPDX-License-Identifier: GPL-3.0-or-later
// Typed ports as numbers, the values each port takes, and the order of the checks.
#include <gtest/gtest.h>

#include "camera/rules/PortRules.h"

namespace orvanta::camera {
namespace {

TEST(PortRules, TypedTextBecomesANumberThatNeverWrapsIntoRange) {
    EXPECT_EQ(8080, PortNumber("8080"));
    for (const char* notDigits :
         {"  80abc", "8080&x", " 80", "+80", "", "x80", "-1", "-4294959216"})
        EXPECT_EQ(0, PortNumber(notDigits)) << notDigits;
    EXPECT_EQ(99999, PortNumber("99999"));
    // 2^32 + 8080 lands on 8080 after a 32-bit wrap.
    EXPECT_FALSE(IsPortNumber(PortNumber("4294975376")));
    EXPECT_FALSE(IsPortNumber(PortNumber("99999999999999999999999999999999")));
    EXPECT_FALSE(IsPortNumber(0));
    EXPECT_TRUE(IsPortNumber(1));
    EXPECT_TRUE(IsPortNumber(65535));
    EXPECT_FALSE(IsPortNumber(65536));
}

TEST(PortRules, EachPortTakesItsOwnLowNumberOrAboveTheReservedOnes) {
    for (PortKind kind : {PortKind::Http, PortKind::Stream, PortKind::Rtsp}) {
        EXPECT_FALSE(IsAcceptedPort(kind, 1024));
        EXPECT_TRUE(IsAcceptedPort(kind, 1025));
        EXPECT_TRUE(IsAcceptedPort(kind, 65535));
        EXPECT_FALSE(IsAcceptedPort(kind, 65536));
        EXPECT_FALSE(IsAcceptedPort(kind, -1));
    }
    EXPECT_TRUE(IsAcceptedPort(PortKind::Http, 80));
    EXPECT_FALSE(IsAcceptedPort(PortKind::Http, 53));
    EXPECT_TRUE(IsAcceptedPort(PortKind::Stream, 53));
    EXPECT_FALSE(IsAcceptedPort(PortKind::Stream, 554));
    EXPECT_FALSE(IsAcceptedPort(PortKind::Stream, 80));
    EXPECT_TRUE(IsAcceptedPort(PortKind::Rtsp, 554));
    EXPECT_FALSE(IsAcceptedPort(PortKind::Rtsp, 80));
}

TEST(PortRules, ChecksReportTheFirstFailureInOrder) {
    EXPECT_EQ(PortProblem::None, CheckPorts(80, 53, 554));
    EXPECT_EQ(PortProblem::HttpNotAccepted, CheckPorts(0, 0, 0));
    EXPECT_EQ(PortProblem::StreamNotAccepted, CheckPorts(80, 554, 0));
    EXPECT_EQ(PortProblem::RtspNotAccepted, CheckPorts(80, 53, 65536));
    EXPECT_EQ(PortProblem::HttpIsStream, CheckPorts(8080, 8080, 8080));
    EXPECT_EQ(PortProblem::HttpIsRtsp, CheckPorts(8080, 8000, 8080));
    EXPECT_EQ(PortProblem::StreamIsRtsp, CheckPorts(80, 8000, 8000));
}

}  // namespace
}  // namespace orvanta::camera
