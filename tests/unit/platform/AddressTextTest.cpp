// SPDX-License-Identifier: GPL-3.0-or-later
// Address and MAC texts: the one parser every layer trusts with typed and received text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "platform/AddressText.h"

namespace orvanta::platform {
namespace {

uint32_t Wire(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    const uint8_t bytes[4] = {a, b, c, d};
    uint32_t address;
    std::memcpy(&address, bytes, 4);
    return address;
}

TEST(AddressText, ParsesOnlyFourPlainDecimalParts) {
    uint32_t address = 0;
    ASSERT_TRUE(ParseDottedAddress("192.168.0.98", &address));
    EXPECT_EQ(address, Wire(192, 168, 0, 98));
    EXPECT_TRUE(ParseDottedAddress("0.0.0.0", &address));
    EXPECT_TRUE(ParseDottedAddress("255.255.255.255", &address));
    EXPECT_EQ(address, 0xFFFFFFFFu);

    // A leading zero is refused: other tools read "010" as octal 8.
    for (const char* bad : {"", "1.2.3", "1.2.3.256", "01.2.3.4", "1.2.3.00", " 1.2.3.4",
                            "1.2.3.4 ", "1.2.3.4x", "1.2.3.4.5", "1..3.4", "1.2.3.", ".1.2.3",
                            "+1.2.3.4", "1.2.3.-4", "0001.2.3.4", "4294967297.0.0.1"}) {
        SCOPED_TRACE(bad);
        uint32_t kept = 0x12345678u;
        EXPECT_FALSE(ParseDottedAddress(bad, &kept));
        EXPECT_EQ(kept, 0x12345678u);
        EXPECT_EQ(ParseDottedAddressOr(bad, 7u), 7u);
    }
    // A view is read to its end and no further, with or without a NUL after it.
    EXPECT_EQ(ParseDottedAddressOr(std::string_view("10.0.0.17", 8), 0), Wire(10, 0, 0, 1));
    EXPECT_FALSE(ParseDottedAddress(std::string_view("10.0.0.1\0", 9), nullptr));
}

TEST(AddressText, PortsAreOneToFiveDigitsFrom1To65535) {
    uint16_t port = 0;
    ASSERT_TRUE(ParsePortText("8080", &port));
    EXPECT_EQ(port, 8080);
    EXPECT_TRUE(ParsePortText("65535", &port));
    EXPECT_TRUE(ParsePortText("00080", &port));
    EXPECT_EQ(port, 80);
    for (const char* bad : {"", "0", "65536", "99999", "000080", "+80", "-80", " 80", "80 ", "8o"})
        EXPECT_FALSE(ParsePortText(bad, &port)) << bad;
    EXPECT_EQ(port, 80);

    uint32_t address = 0;
    ASSERT_TRUE(ParseAddressAndPort("10.9.0.5", &address, &port));
    EXPECT_EQ(port, 80);
    ASSERT_TRUE(ParseAddressAndPort("10.9.0.5:8080", &address, &port));
    EXPECT_EQ(address, Wire(10, 9, 0, 5));
    EXPECT_EQ(port, 8080);
    for (const char* bad : {"10.9.0.5:", "10.9.0.5:0", ":80", "camera:80", "10.9.0.5:80:81"})
        EXPECT_FALSE(ParseAddressAndPort(bad, &address, &port)) << bad;
    EXPECT_EQ(port, 8080);
}

TEST(AddressText, FormatsAddressesAndMacs) {
    EXPECT_EQ(DottedAddress(Wire(192, 168, 0, 98)), "192.168.0.98");
    EXPECT_EQ(DottedAddress(0xFFFFFFFFu), "255.255.255.255");
    const uint8_t bytes[4] = {10, 0, 255, 7};
    EXPECT_EQ(DottedAddress(bytes), "10.0.255.7");
    EXPECT_EQ(ParseDottedAddressOr(DottedAddress(bytes), 0), Wire(10, 0, 255, 7));

    const uint8_t mac[6] = {0x00, 0x1a, 0xFF, 0x0B, 0xc0, 0x01};
    EXPECT_EQ(MacText(mac), "00:1A:FF:0B:C0:01");
}

TEST(AddressText, ClassMaskFollowsTheFirstByte) {
    struct Case {
        uint8_t first;
        bool implied;
        uint32_t mask;
    };
    const Case cases[] = {
        {0, false, 0},
        {10, false, 0},
        {127, false, 0},
        {128, true, Wire(255, 255, 0, 0)},
        {191, true, Wire(255, 255, 0, 0)},
        {192, true, Wire(255, 255, 255, 0)},
        {223, true, Wire(255, 255, 255, 0)},
        {224, false, 0},
        {255, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.first});
        uint32_t mask = 99;
        EXPECT_EQ(ClassMaskFor(Wire(c.first, 20, 30, 40), &mask), c.implied);
        EXPECT_EQ(mask, c.implied ? c.mask : 99u);
    }
}

}  // namespace
}  // namespace orvanta::platform
