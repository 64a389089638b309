// SPDX-License-Identifier: GPL-3.0-or-later
// The rule for typed camera values: what passes, and what is refused with a message that names
// the field, for every kind of field the save writes.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "camera/record/SettingsFields.h"
#include "camera/rules/FieldValues.h"

namespace orvanta::camera {
namespace {

TEST(FieldValues, TypedValuesPassOrAreRefusedByName) {
    struct Case {
        const char* field;
        std::string value;
        const char* problem;  // "" when the value passes
    };
    const Case cases[] = {
        {"IPAddr", "192.168.0.50", ""},
        {"IPAddr", "999.1.1.1", "IPAddr takes an IPv4 address"},
        {"IPAddr", "camera", "IPAddr takes an IPv4 address"},
        {"IPAddr", "1.2.3", "IPAddr takes an IPv4 address"},
        {"DNS2", "", ""},  // a camera without a second DNS server
        {"Netmask", "255.255.255.0", ""},
        {"Netmask", "1.2.3.4", "Netmask takes a subnet mask"},
        {"WNetmask", "255.0.255.0", "WNetmask takes a subnet mask"},
        {"Netmask", "0.0.0.0", "Netmask takes a subnet mask"},
        {"IPType", "2", ""},
        {"IPType", "7", "IPType takes 0, 1 or 2"},
        {"IPType", "1x", "IPType takes 0, 1 or 2"},
        {"WepKeyL", "128", ""},
        {"Timezone", "24", ""},
        {"Timezone", "25", "Timezone takes a whole number from 0 to 24"},
        {"HttpPort", "65535", ""},
        {"HttpPort", "99999", "HttpPort takes 80 or a number from 1025 to 65535"},
        {"HttpPort", "0", "HttpPort takes 80 or a number from 1025 to 65535"},
        {"HttpPort", "81", "HttpPort takes 80 or a number from 1025 to 65535"},
        {"SPort", "53", ""},
        {"RTSPPort", "1024", "RTSPPort takes 554 or a number from 1025 to 65535"},
        {"WireCh", "300", "WireCh takes a whole number from 0 to 255"},
        {"Date", "2024/02/29", ""},
        {"Date", "2026/13/45", "Date takes a real date"},
        {"Date", "2023/02/29", "Date takes a real date"},
        {"Date", "31.12.2026", "Date takes a real date"},
        {"Time", "23:59:59", ""},
        {"Time", "24:00:00", "Time takes a time"},
        {"TitleBar", "Front door", ""},  // spaces are encoded on the way
        {"TitleBar", "a%26b", "TitleBar holds '%'"},
        {"Desp", "a#b", "Desp holds '#'"},
        {"SSID", "a&b", "SSID holds '&'"},
        {"DDNSPwd", "x=y", "DDNSPwd holds '='"},
        {"Desp", "a\x1b[2Jb", "Desp holds a control character (0x1B)"},
        {"NTPName", "a\nb", "NTPName holds a control character (0x0A)"},
        {"WPAKey", "p@ss w0rd!*", ""},
        {"TitleBar", std::string(32, 'x'), ""},
        {"TitleBar", std::string(33, 'x'), "TitleBar takes at most 32 characters"},  // as its page
        {"DDNSPwd", std::string(21, 'x'), "DDNSPwd takes at most 20 characters"},
        {"WPAKey", std::string(63, 'x'), ""},
        {"TitleBar", std::string(32, '\xC3') + std::string(32, '\xA9'),
         "TitleBar takes at most 63 bytes"},
    };
    for (const Case& c : cases) {
        const SettingsField* field = FindCameraField(c.field);
        ASSERT_NE(field, nullptr) << c.field;
        const std::string problem = FieldValueProblem(*field, c.value);
        if (*c.problem == '\0')
            EXPECT_EQ(problem, "") << c.field << "=" << c.value;
        else
            EXPECT_EQ(problem.rfind(c.problem, 0), 0u)
                << c.field << "=" << c.value << ": " << problem;
    }
}

// Every field a write query names is in the catalogue and written, and every written field is
// in a query: a field added to one and not the other would be lost on a save.
TEST(FieldValues, TheWriteQueriesSendExactlyTheWrittenFields) {
    std::set<std::string> sent;
    for (WriteQuery q : {WriteQuery::System, WriteQuery::Ddns, WriteQuery::Time,
                         WriteQuery::Network, WriteQuery::NetworkWithoutWireless})
        for (const char* name : QueryFields(q)) {
            const CameraField* field = FindField(name);
            ASSERT_NE(field, nullptr) << name;
            EXPECT_TRUE(field->written) << name;
            sent.insert(name);
        }
    for (const CameraField& f : FieldCatalogue())
        EXPECT_EQ(f.written, sent.count(f.name) == 1) << f.name;
}

TEST(FieldValues, ServicePortsThatClashAreRefusedByName) {
    EXPECT_EQ(PortSetProblem(8000, 8000, 0), "HttpPort and SPort must be different ports");
    EXPECT_EQ(PortSetProblem(80, 554, 554), "SPort and RTSPPort must be different ports");
    EXPECT_EQ(PortSetProblem(0, 0, 554), "");  // ports not given clash with nothing
}

// An address that would strand the camera: its subnet's own or broadcast address, the PC's.
TEST(FieldValues, AFixedAddressTheCameraCouldNotBeReachedAtIsRefusedByName) {
    const uint32_t pc = inet_addr("192.168.0.10"), c24 = inet_addr("255.255.255.0");
    for (const char* refused : {"192.168.0.0", "192.168.0.255", "192.168.0.10", "127.0.0.2"})
        EXPECT_FALSE(IsCameraAddress(inet_addr(refused), c24, pc)) << refused;
    EXPECT_TRUE(IsCameraAddress(inet_addr("192.168.0.254"), c24, pc));
    EXPECT_TRUE(IsCameraAddress(inet_addr("192.168.0.255"), inet_addr("255.255.254.0"), pc));
    CameraSettings s = NewCameraSettings();
    s.pcAddress = pc;
    SetFieldText(s.IPAddr, "192.168.0.10");
    SetFieldText(s.Netmask, "255.255.255.0");
    const CameraSettings read = s;
    s.IPType = 1;
    EXPECT_EQ(CameraAddressProblem(s, read).rfind("IPAddr 192.168.0.10 ", 0), 0u);
    EXPECT_EQ(CameraAddressProblem(s, s), "") << "the address it was reached at";
    s.IPType = 0;
    EXPECT_EQ(CameraAddressProblem(s, read), "") << "DHCP: the address fields are not given";
}

}  // namespace
}  // namespace orvanta::camera
