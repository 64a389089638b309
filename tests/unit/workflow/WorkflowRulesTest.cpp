// SPDX-License-Identifier: GPL-3.0-or-later
// The rules the wizard and the tool share: which answer is the saved camera, what a read-back
// holds against it, and when WPS is started again.
#include <gtest/gtest.h>

#include "ReplyBuilder.h"
#include "workflow/FindAgain.h"
#include "workflow/Verify.h"
#include "workflow/Wps.h"

namespace orvanta::workflow {
namespace {

using camera::SetFieldText;
using test::Heard;

TEST(WorkflowRules, TheSavedCameraIsItsSerialAtTheFixedAddressAndPortWritten) {
    // Before its restart the camera still answers from its old address.
    std::vector<discovery::FoundCamera> found = {
        Heard("192.168.0.98", 80, "SN1", "eth0", 500), Heard("10.0.0.9", 80, "SN1", "eth0", 500),
        Heard("10.0.0.7", 8080, "SN1", "eth0", 500), Heard("10.0.0.5", 8080, "SN2", "eth0", 500)};
    camera::CameraSettings s = camera::NewCameraSettings();
    SetFieldText(s.cameraIdText, "SN1");
    SetFieldText(s.IPAddr, "10.0.0.7");
    SetFieldText(s.WIPAddr, "10.0.0.9");
    s.HttpPort = 8080;
    s.IPType = 0;  // DHCP: any address will do
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 500)), &found[0]);
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 501)), nullptr) << "arrived before";
    found[0].lastSeen = 0xFFFFFF00u, found[1].lastSeen = 5;  // ticks wrap
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 0xFFFFFFF0u)), &found[1]);
    found[0].lastSeen = found[1].lastSeen = 500;
    s.IPType = 1;
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 500)), &found[2]);
    s.HttpPort = 80;  // the written port too
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 500)), nullptr);
    s.Wireless = 1;  // a wireless camera may come back on its fixed wireless address
    s.WIPType = 1;
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 500)), &found[1]);
    s.IPType = 0;  // no wireless address read (a wired-only camera): any address will do
    SetFieldText(s.WIPAddr, "");
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 500)), &found[0]);
    SetFieldText(s.cameraIdText, "");  // no serial tells no camera apart
    EXPECT_EQ(FindSavedCamera(found, ExpectAfterSave(s, 500)), nullptr);
}

TEST(WorkflowRules, WpsStartsAgainOnlyWhileTheCameraRunsNothingFrom62To75Seconds) {
    camera::CameraSettings s = camera::NewCameraSettings();
    s.WPS = 0;
    s.WPS_ACK = 0;
    EXPECT_EQ(WpsStateOf(s), WpsState::Idle);
    EXPECT_FALSE(ShouldRestartWps(s, 60));
    EXPECT_TRUE(ShouldRestartWps(s, 62.5));
    EXPECT_TRUE(ShouldRestartWps(s, 75));
    EXPECT_FALSE(ShouldRestartWps(s, 80));
    s.WPS = 1;
    EXPECT_EQ(WpsStateOf(s), WpsState::Running);
    EXPECT_FALSE(ShouldRestartWps(s, 65));
    s.WPS = 0;
    s.WPS_ACK = 1;
    EXPECT_EQ(WpsStateOf(s), WpsState::Connected);
    EXPECT_FALSE(ShouldRestartWps(s, 65));
}

// What a read-back counts as kept: the value as the read would parse it; keys a model does not
// report, the clock's running values and the addresses of a DHCP or PPPoE block are not held
// against it.
TEST(WorkflowRules, AReadBackComparesWhatTheCameraCanBeExpectedToReport) {
    camera::CameraSettings s = camera::NewCameraSettings();
    s.HttpPort = 80;
    camera::SetFieldText(s.IPAddr, "192.168.0.98");
    camera::SetFieldText(s.TitleBar, "Front door");
    camera::SetFieldText(s.Date, "2026/12/09");
    struct Case {
        camera::SaveStep page;
        uint8_t ipType;  // 0 DHCP, 1 fixed
        const char* report;
        const char* differs;  // "": nothing differs
    };
    const Case cases[] = {
        {camera::SaveStep::System, 0, "TitleBar=Front door\nDesp=\n", ""},
        {camera::SaveStep::System, 0, "TitleBar=Front%20door\nDesp=\n", "TitleBar"},
        {camera::SaveStep::System, 0, "Desp=x\n", "Desp"},  // TitleBar not reported
        {camera::SaveStep::Time, 0, "Date=2027/01/01\nTime=00:00:01\nNTPEN=0\n", ""},
        {camera::SaveStep::Time, 0, "Date=\nTime=00:00:01\n", "Date"},
        {camera::SaveStep::Network, 0, "IPType=0\nIPAddr=10.0.0.5\nHttpPort= 80\n", ""},
        {camera::SaveStep::Network, 1, "IPType=1\nIPAddr=10.0.0.5\nHttpPort=80\n", "IPAddr"},
        {camera::SaveStep::Network, 0, "IPType=1\nHttpPort=80\n", "IPType"},
        {camera::SaveStep::Network, 0, "IPType=0\nHttpPort=\n", "HttpPort"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        s.IPType = c.ipType;
        std::string differs;
        for (const FieldDifference& d : CompareReport(s, c.page, false, c.report))
            differs += d.field;
        EXPECT_EQ(c.differs, differs);
    }
}

}  // namespace
}  // namespace orvanta::workflow
