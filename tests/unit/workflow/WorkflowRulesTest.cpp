// The rules the wizard and the tool share: which answer is the saved camera, and when WPS is
// started again.
#include <gtest/gtest.h>

#include "ReplyBuilder.h"
#include "workflow/FindAgain.h"
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

}  // namespace
}  // namespace orvanta::workflow
