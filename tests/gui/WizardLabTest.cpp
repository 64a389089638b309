// The wizard against simulated cameras on a lab network: a settings read ending on the page
// the road asks for, and a save after which the camera is found again at its new address.
#include <arpa/inet.h>

#include <QLineEdit>
#include <cstdlib>

#include "Lab.h"
#include "WizardFixture.h"
#include "app/LiveBackend.h"
#include "pages/CSubSetupFinish.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;

namespace {

class WizardLab : public WizardTest {
protected:
    void SetUp() override {
        LAB_REQUIRED();
        WizardTest::SetUp();
        lab_ = std::make_unique<lab::Lab>();
        lab_->AddAddress("pc", "192.168.0.10/24");
        lab_->AddHost("cams", {"192.168.0.98/24"});
        lab_->StartCamsim("cams", {"--own-addresses", "--camera",
                                   "mac=00:0E:53:00:00:98,ip=192.168.0.98,serial=SN-98,"
                                   "restart_ms=300"});
        // Everything the wizard opens from here on lives in the lab's PC.
        lab_->Enter("pc");
        setenv("ORVANTA2_PROBE_HOST", "127.0.0.1", 1);
    }
    void TearDown() override {
        if (lab_) lab_->Leave();
        lab_.reset();
    }

    std::unique_ptr<app::CWizardDlg> StartLive(double timeScale) {
        app::WizardOptions options = app::LiveOptions(folder_.filePath("orvanta2").toStdString());
        options.lockPath = folder_.filePath("lock").toStdString();
        options.langFileName = "ENG.ini";
        options.timeScale = timeScale;
        auto wizard = Start(std::move(options));
        camera::CameraSettings& s = wizard->Settings();
        camera::SetFieldText(s.cameraAddressText, "192.168.0.98");
        camera::SetFieldText(s.cameraPortText, "80");
        camera::SetFieldText(s.cameraIdText, "SN-98");
        s.cameraAddress = inet_addr("192.168.0.98");
        return wizard;
    }

    std::unique_ptr<lab::Lab> lab_;
};

TEST_F(WizardLab, ReadEndsOnTheOptionPageForANewCameraAndTheSystemPageOtherwise) {
    auto wizard = StartLive(0.2);
    EXPECT_EQ(wizard->Settings().pcHasLan, 1);
    wizard->HandleNavigation(nav::kSearch);
    wizard->Settings().newCameraSetup = 1;
    wizard->HandleNavigation(nav::kReadSettings);
    ASSERT_TRUE(WaitUntil([&] { return !wizard->JobTimerActive(); }, 30000));
    ASSERT_EQ(prompt_.Messages().size(), 0u) << Message(0).toStdString();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageOption; }));
    EXPECT_GE(wizard->JobTicks(), 97);
    EXPECT_NE(camera::FieldText(wizard->Settings().ModelName), "");

    wizard->HandleNavigation(nav::kSearch);
    wizard->Settings().newCameraSetup = 0;
    wizard->Settings().skipAddressCheck = 1;
    wizard->HandleNavigation(nav::kReadSettings);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageSystem; }, 30000));
    EXPECT_TRUE(prompt_.Messages().empty());
}

TEST_F(WizardLab, SavedCameraIsFoundAgainAtItsNewAddress) {
    auto wizard = StartLive(0.05);
    camera::CameraSettings& s = wizard->Settings();
    s.wizardMode = 1;
    s.newCameraSetup = 1;
    s.IPType = 1;
    camera::SetFieldText(s.IPAddr, "192.168.0.150");
    camera::SetFieldText(s.Netmask, "255.255.255.0");
    camera::SetFieldText(s.Gateway, "192.168.0.1");
    camera::SetFieldText(s.DNS1, "192.168.0.1");
    s.HttpPort = 8080;
    s.SPort = 8000;
    s.RTSPPort = 554;
    wizard->HandleNavigation(nav::kSummary);
    wizard->HandleNavigation(nav::kSave);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() != kPageSetAutoParam; }, 60000));
    ASSERT_EQ(wizard->Pages().Current(), kPageSetupFinish) << Message(1).toStdString();
    EXPECT_EQ(Message(0), wizard->MessageText(4));
    EXPECT_EQ(Message(1), wizard->MessageText(6));
    EXPECT_EQ(camera::FieldText(s.cameraAddressText), "192.168.0.150");
    EXPECT_EQ(camera::FieldText(s.cameraPortText), "8080");
    EXPECT_EQ(wizard->SetupFinish()->Control<QLineEdit>(pages::CSubSetupFinish::kAddress)->text(),
              "http://192.168.0.150:8080");
}

TEST_F(WizardLab, ProbeOfAHostThatNeverAnswersHoldsTheStartBackOnlyBriefly) {
    // A lab address nobody holds: no answer, not even a refusal.
    setenv("ORVANTA2_PROBE_HOST", "192.168.0.77", 1);
    QElapsedTimer timer;
    timer.start();
    auto wizard = StartLive(1.0);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(wizard->Settings().internetReachable, 0);
    EXPECT_EQ(wizard->Pages().Current(), kPageFirst);
}

}  // namespace
