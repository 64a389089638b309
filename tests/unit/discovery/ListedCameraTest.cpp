// SPDX-License-Identifier: GPL-3.0-or-later
// The search list's rows as the camera record takes them.
#include <gtest/gtest.h>

#include <string>

#include "discovery/ListedCamera.h"
#include "platform/AddressText.h"

namespace orvanta::discovery {
namespace {

using camera::SetFieldText;

CameraRow Row(const char* ip, const char* port, const char* descInterface, const char* serial) {
    CameraRow row{};
    SetFieldText(row.ip, ip);
    SetFieldText(row.port, port);
    SetFieldText(row.descInterface, descInterface);
    SetFieldText(row.serial, serial);
    return row;
}

TEST(ListedCamera, TakesTheRowCutToTheRecordsFields) {
    camera::CameraSettings s = camera::NewCameraSettings();
    const std::string longSerial(300, 'S');
    TakeListedCamera(s, Row("192.168.0.98", "123456789", "Porch/wireless0", longSerial.c_str()));
    EXPECT_EQ(s.cameraAddress, platform::ParseDottedAddressOr("192.168.0.98", 0));
    EXPECT_STREQ(s.cameraAddressText, "192.168.0.98");
    EXPECT_STREQ(s.cameraPortText, "1234567");
    EXPECT_EQ(s.cameraWireless, 1);
    EXPECT_EQ(std::string(s.cameraIdText), longSerial.substr(0, 259));

    TakeListedCamera(s, Row("10.0.0.2", "80", "Porch/Wireless0", "A1"));
    EXPECT_EQ(s.cameraWireless, 0);  // the interface name is matched as the camera writes it

    // Found again: the address moves, what identifies the camera stays.
    TakeFoundCamera(s, Row("10.0.0.3", "8080", "x/wireless", "other"));
    EXPECT_STREQ(s.cameraAddressText, "10.0.0.3");
    EXPECT_STREQ(s.cameraPortText, "8080");
    EXPECT_EQ(s.cameraAddress, platform::ParseDottedAddressOr("10.0.0.3", 0));
    EXPECT_STREQ(s.cameraIdText, "A1");
    EXPECT_EQ(s.cameraWireless, 0);
}

TEST(ListedCamera, FindsTheFirstRowWithTheSerial) {
    const CameraRow rows[] = {
        Row("10.0.0.1", "80", "a/eth0", "SN10"), Row("10.0.0.2", "80", "a/eth0", "SN1"),
        Row("10.0.0.3", "80", "a/wireless0", "SN1"), Row("10.0.0.4", "80", "a/eth0", "")};
    EXPECT_EQ(FindRowBySerial(rows, 4, "SN1"), &rows[1]);
    EXPECT_EQ(FindRowBySerial(rows, 4, "SN10"), &rows[0]);
    EXPECT_EQ(FindRowBySerial(rows, 4, "SN"), nullptr);
    EXPECT_EQ(FindRowBySerial(rows, 1, "SN1"), nullptr);  // only `count` rows are looked at
    EXPECT_EQ(FindRowBySerial(rows, 4, ""), nullptr);     // no serial tells no camera apart
    EXPECT_EQ(FindRowBySerial(nullptr, 0, "SN1"), nullptr);
}

}  // namespace
}  // namespace orvanta::discovery
