// SPDX-License-Identifier: GPL-3.0-or-later
// The settings read, the save, finding the camera again and the access-point re-scan.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "RecordingPeer.h"
#include "WizardFixture.h"
#include "camera/commands/SettingsWrite.h"
#include "camera/wire/Transport.h"
#include "pages/CDlgLoginRoot.h"
#include "pages/CSubSetupFinish.h"
#include "shell/CSubWait.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;

namespace {
using camera::SaveStep;

bool Idle(app::CWizardDlg& w) {
    return !w.Jobs().JobTimerActive() && !w.Jobs().RefindTimerActive();
}

constexpr const char* kAllButTheNetworkTaken =
    "\n\nThe camera took these settings:\n• Name and description\n• Dynamic DNS\n• Time\n"
    "The camera did not take these settings:\n• Network and ports";
}  // namespace

TEST_F(WizardTest, ReadEndsOnTheOptionOrTheSystemPageOnlyWhenThePacingAllows) {
    auto wizard = StartTicked();
    wizard->HandleNavigation(nav::kSearch);
    camera::CameraSettings& s = wizard->Settings();
    s.newCameraSetup = 1;
    camera_->read = [](camera::CameraSettings& job) {
        camera::SetFieldText(job.ModelName, "IPCAM-1");
        job.newFeatures = 1;
        return camera::SettingsReadResult{.succeeded = true,
                                          .accessPoints = std::vector<camera::AccessPoint>(3),
                                          .freeAddresses = {0x0A0000FD, 0x0A0000FC}};
    };
    wizard->HandleNavigation(nav::kReadSettings);
    EXPECT_EQ(camera_->systemReads, 3);
    EXPECT_EQ(network_->ensures, 1);
    EXPECT_FALSE(wizard->isEnabled());
    EXPECT_TRUE(wizard->WaitDialog()->isVisible());
    EXPECT_EQ(wizard->WaitDialog()->ShownText(), wizard->Texts().Note(WaitNote::Reading));
    EXPECT_EQ(wizard->Pages().Current(), kPageSearchNet);
    // The job's record is not the window's record until the job is over.
    EXPECT_EQ(camera::FieldText(s.ModelName), "");
    ASSERT_TRUE(WaitUntil([&] { return wizard->Jobs().WorkerEnded(); }));
    // The worker has ended, and still the 97th tick is the first that looks at it.
    jobTimers_->Tick(96);
    Flush();
    EXPECT_EQ(wizard->Pages().Current(), kPageSearchNet);
    jobTimers_->Tick(10);
    Flush();
    EXPECT_EQ(wizard->Pages().Current(), kPageOption);
    EXPECT_EQ(wizard->Jobs().JobTicks(), 97);
    EXPECT_TRUE(wizard->isEnabled());
    EXPECT_FALSE(wizard->WaitDialog()->isVisible());
    EXPECT_EQ(camera::FieldText(s.ModelName), "IPCAM-1");
    EXPECT_EQ(wizard->Kept().freeAddresses.size(), 2u);
    EXPECT_EQ(wizard->Kept().scanList.size(), 3u);
    EXPECT_TRUE(prompt_.Messages().empty());
    // An installed camera's read ends on the system page.
    s.newCameraSetup = 0;
    wizard->HandleNavigation(nav::kReadSettings);
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_EQ(wizard->Pages().Current(), kPageSystem);
}

TEST_F(WizardTest, ReadFailuresShowTheirMessagesAndStay) {
    auto wizard = StartTicked();
    wizard->HandleNavigation(nav::kSearch);
    const std::pair<int, int> cases[] = {{camera::CAM_ERR_UNAUTHORIZED, 8},
                                         {camera::CAM_ERR_NO_ANSWER, 2},
                                         {0, 2}};  // a failed scan leaves error 0
    for (auto [error, message] : cases) {
        prompt_.Clear();
        camera_->read = [error = error](camera::CameraSettings&) {
            return camera::SettingsReadResult{.error = error};
        };
        wizard->HandleNavigation(nav::kReadSettings);
        ASSERT_TRUE(TickJobs(*wizard));
        ASSERT_EQ(prompt_.Messages().size(), 1u);
        EXPECT_EQ(prompt_.Messages()[0].text,
                  wizard->Texts().messages[static_cast<size_t>(message - 1)]);
        EXPECT_EQ(prompt_.Messages()[0].icon,
                  message == 8 ? PromptIcon::Error : PromptIcon::Warning);
        EXPECT_EQ(prompt_.Messages()[0].caption, "");
        EXPECT_EQ(wizard->Pages().Current(), kPageSearchNet);
        EXPECT_TRUE(wizard->isEnabled());
        EXPECT_FALSE(wizard->WaitDialog()->isVisible());
    }
}

TEST_F(WizardTest, JobThatTimesOutIsStoppedAndItsOutcomeDropped) {
    auto wizard = StartTicked();
    wizard->HandleNavigation(nav::kSearch);
    // Each job waits, as the transport's waits do, until its record is stopped.
    auto waitForStop = [](const camera::CameraSettings& job) {
        for (int i = 0; i < 5000 && camera::KeepConnecting(job); ++i) QThread::msleep(1);
    };
    camera_->read = [waitForStop](camera::CameraSettings& job) {
        waitForStop(job);
        camera::SetFieldText(job.ModelName, "LATE");
        job.WirelessCap = 1;
        return camera::SettingsReadResult{.succeeded = true};
    };
    // The camera takes the save's first write, and the time-out comes before the second.
    camera::testing::RecordingPeer peer(std::vector<std::string>(4, "HTTP/1.0 200 OK\n\nOK\n"));
    camera_->save = [waitForStop](camera::CameraSettings& job, bool wps) {
        return workflow::RunSave(job, wps, true,
                                 {.onStep = [&](camera::SaveStep, int) { waitForStop(job); }});
    };
    camera::SetFieldText(wizard->Settings().cameraAddressText, "127.0.0.1");
    camera::SetFieldText(wizard->Settings().cameraPortText, peer.Port());
    for (int code : {nav::kReadSettings, nav::kSave}) {
        prompt_.Clear();
        wizard->HandleNavigation(code);
        ASSERT_TRUE(
            WaitUntil([&] { return code == nav::kReadSettings || !peer.Requests().empty(); }));
        jobTimers_->Tick(120);  // the wait window is full at the 101st
        Flush();
        EXPECT_TRUE(Idle(*wizard));
        EXPECT_EQ(wizard->Jobs().JobTicks(), 101);
        ASSERT_EQ(prompt_.Messages().size(), 1u);
        EXPECT_EQ(Message(0), wizard->Texts().Message(WizardMessage::JobFailed));
        EXPECT_EQ(prompt_.Messages()[0].caption, code == nav::kSave ? "" : "Orvanta2");
        ASSERT_TRUE(WaitUntil([&] { return wizard->Jobs().WorkerEnded(); }, 1000));
        Flush();
        EXPECT_EQ(camera::FieldText(wizard->Settings().ModelName), "");
        EXPECT_EQ(wizard->Settings().WirelessCap, 0);
        EXPECT_EQ(wizard->Pages().Current(), kPageSearchNet);
    }
    EXPECT_EQ(peer.Requests().size(), 1u);  // nothing after the time-out
    // Closing the window stops a running save and waits for its worker.
    wizard->HandleNavigation(nav::kSave);
    wizard->close();
    EXPECT_TRUE(wizard->Jobs().WorkerEnded());
}

TEST_F(WizardTest, UnauthorizedCameraAsksForThePasswordOnce) {
    auto wizard = StartTicked();
    wizard->HandleNavigation(nav::kSearch);
    camera_->systemResults = {0, 0, camera::CAM_ERR_UNAUTHORIZED};
    prompt_.SetNextDialog([](QDialog& dialog) {
        auto& login = static_cast<pages::CDlgLoginRoot&>(dialog);
        EXPECT_TRUE(dialog.findChild<QLineEdit*>("1358")->isReadOnly());
        EXPECT_EQ(dialog.findChild<QLineEdit*>("1358")->text(), "root");
        login.PasswordEdit()->setText(QString(32, QChar(0xDF)));  // 64 bytes: refused by name
        dialog.findChild<QPushButton*>("1374")->click();
        login.PasswordEdit()->setText(QString::fromUtf8("s3cret-\u00DF"));
        dialog.findChild<QPushButton*>("1374")->click();
        return dialog.result();
    });
    wizard->Settings().newCameraSetup = 1;
    wizard->HandleNavigation(nav::kReadSettings);
    EXPECT_EQ(prompt_.Dialogs(), std::vector<QString>{"CDlgLoginRoot"});
    EXPECT_EQ(camera_->authUser, "root");
    EXPECT_EQ(camera_->authPassword, "s3cret-\xC3\x9F");
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_EQ(wizard->Pages().Current(), kPageOption);
    EXPECT_EQ(camera::FieldText(wizard->Settings().userPassword), "s3cret-\xC3\x9F");
}

TEST_F(WizardTest, PasswordDialogClosedWithoutOkSendsRootAndNothingElse) {
    auto wizard = Start();
    wizard->HandleNavigation(nav::kSearch);
    camera_->systemResults = {0, 0, camera::CAM_ERR_UNAUTHORIZED};
    camera_->authResult = camera::CAM_ERR_NO_ANSWER;
    prompt_.SetNextDialog([](QDialog& dialog) {
        static_cast<pages::CDlgLoginRoot&>(dialog).PasswordEdit()->setText("typed");
        dialog.reject();
        return dialog.result();
    });
    wizard->HandleNavigation(nav::kReadSettings);
    EXPECT_EQ(camera_->authUser, "root");
    EXPECT_EQ(camera_->authPassword, "");
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text, wizard->Texts().Message(WizardMessage::AuthReadFailed));
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Error);
    EXPECT_TRUE(wizard->isEnabled());
    EXPECT_FALSE(wizard->Jobs().JobTimerActive());
    EXPECT_EQ(wizard->Pages().Current(), kPageSearchNet);
}

TEST_F(WizardTest, SaveThenTheCameraIsFoundAgainAtItsNewAddress) {
    auto wizard = StartTicked();
    camera::CameraSettings& s = wizard->Settings();
    s.wizardMode = 1;
    s.newCameraSetup = 1;
    camera::SetFieldText(s.cameraIdText, "SN-2");
    camera::SetFieldText(s.cameraAddressText, "192.168.0.98");
    // Answers from before the save.
    const uint32_t before = platform::SystemTickMs() - 1;
    refind_->found = {Heard("10.0.0.7", 80, "SN-1", "ethernet", before),
                      Heard("10.0.0.9", 8080, "SN-2", "ethernet", before)};
    wizard->HandleNavigation(nav::kSummary);
    wizard->HandleNavigation(nav::kSave);
    EXPECT_FALSE(wizard->isEnabled());
    EXPECT_EQ(wizard->WaitDialog()->ShownText(), wizard->Texts().Note(WaitNote::Saving));
    ASSERT_TRUE(WaitUntil([&] { return wizard->Jobs().WorkerEnded(); }));
    // The 92nd tick is the first to look at the save's worker; the re-find ticks from it on,
    // asks anew at its 61st and compares from its 62nd, answers from before the save never.
    jobTimers_->Tick(92);
    EXPECT_TRUE(wizard->Jobs().RefindTimerActive());
    jobTimers_->Tick(61);
    EXPECT_TRUE(wizard->Jobs().RefindTimerActive());
    EXPECT_EQ(refind_->cycles, 1);
    refind_->found[1].lastSeen = 0;  // now
    jobTimers_->Tick();
    Flush();
    EXPECT_EQ(wizard->Pages().Current(), kPageSetupFinish);
    EXPECT_EQ(camera_->saves, 1);
    EXPECT_FALSE(camera_->lastSaveWps);
    ASSERT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_EQ(prompt_.Messages()[0].text, wizard->Texts().Message(WizardMessage::Saved));
    EXPECT_EQ(prompt_.Messages()[1].text, wizard->Texts().Message(WizardMessage::FoundAgain));
    EXPECT_EQ(prompt_.Messages()[1].icon, PromptIcon::Information);
    EXPECT_EQ(refind_->queries, 2);
    EXPECT_EQ(camera::FieldText(s.cameraAddressText), "10.0.0.9");
    EXPECT_EQ(camera::FieldText(s.cameraPortText), "8080");
    EXPECT_EQ(s.cameraAddress, 0x0900000Au);
    EXPECT_EQ(network_->ensures, 1);
    EXPECT_EQ(camera_->natReadAddress, "10.0.0.9");
    EXPECT_TRUE(wizard->isEnabled());
    EXPECT_FALSE(wizard->WaitDialog()->isVisible());
    auto* finish = wizard->Page<pages::CSubSetupFinish>(kPageSetupFinish);
    EXPECT_EQ(finish->Control<QLineEdit>(pages::CSubSetupFinish::kAddress)->text(),
              "http://10.0.0.9:8080");
    EXPECT_EQ(finish->Control<QLineEdit>(pages::CSubSetupFinish::kCameraId)->text(), "SN-2");
    EXPECT_EQ(finish->Control<QLineEdit>(pages::CSubSetupFinish::kInterface)->text(), "ethernet");
    EXPECT_EQ(finish->Control<QLabel>(pages::CSubSetupFinish::kLinkStatus)->text(),
              "Camera is linked  with Server");
}

TEST_F(WizardTest, CameraAddedByAddressIsReadAgainAtTheAddressItsSaveWrote) {
    auto wizard = StartTicked();
    camera::CameraSettings& s = wizard->Settings();
    s.wizardMode = 1;
    s.newCameraSetup = 1;
    s.IPType = 1;
    camera::SetFieldText(s.IPAddr, "10.0.0.7");
    s.HttpPort = 8080;
    camera::SetFieldText(s.cameraAddressText, "192.168.5.20");  // no serial: added by address
    camera::SetFieldText(s.userName, "root");
    // The first read after the save finds the camera still restarting.
    camera_->systemResults = {camera::CAM_ERR_CONNECT, camera::CAM_ERR_CONNECT,
                              camera::CAM_ERR_CONNECT};
    wizard->HandleNavigation(nav::kSummary);
    wizard->HandleNavigation(nav::kSave);
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_EQ(wizard->Pages().Current(), kPageSetupFinish);
    EXPECT_EQ(Message(1), wizard->Texts().Message(WizardMessage::FoundAgain));
    EXPECT_EQ(camera_->systemReads, 6);
    EXPECT_EQ(refind_->queries, 0);  // no search: nothing in it could tell the camera apart
    EXPECT_EQ(camera::FieldText(s.cameraAddressText), "10.0.0.7");
    EXPECT_EQ(camera::FieldText(s.cameraPortText), "8080");

    // The network write's answer said nothing, and where the camera is found it has its old
    // port: the failure is told, and the page shows where the camera now is.
    prompt_.Clear();
    camera_->save = [](camera::CameraSettings&, bool) {
        return workflow::SaveOutcome{.taken = {SaveStep::System, SaveStep::Ddns, SaveStep::Time},
                                     .networkOpen = camera::CAM_ERR_NO_STATUS};
    };
    camera_->verifyNetwork = [](workflow::SaveOutcome& outcome) {
        outcome.checks.push_back({SaveStep::Network, camera::CAM_OK, {{"HttpPort", "8080", "80"}}});
        outcome.code = std::exchange(outcome.networkOpen, camera::CAM_OK);
        outcome.stoppedAt = SaveStep::Network;
    };
    wizard->HandleNavigation(nav::kSummary);
    wizard->HandleNavigation(nav::kSave);
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_EQ(Message(1),
              wizard->Texts().Message(WizardMessage::JobFailed) + kAllButTheNetworkTaken);
    EXPECT_EQ(wizard->Pages().Current(), kPageSetupFinish);
    EXPECT_EQ(wizard->Kept().lastSave.checks.size(), 1u);
}

TEST_F(WizardTest, CameraThatNeverComesBackEndsOnTheFirstPage) {
    auto wizard = StartTicked();
    camera::CameraSettings& s = wizard->Settings();
    s.wizardMode = 1;
    s.newCameraSetup = 1;
    s.useWireless = 1;
    s.WirelessCap = 1;
    s.useWps = 1;
    camera::SetFieldText(s.cameraIdText, "SN-2");
    refind_->found = {Heard("10.0.0.7", 80, "SN-1")};
    camera_->save = [](camera::CameraSettings&, bool) {  // the system page read back, kept
        return workflow::SaveOutcome{.checks = {{SaveStep::System, camera::CAM_OK, {}}}};
    };
    wizard->HandleNavigation(nav::kSummary);
    wizard->HandleNavigation(nav::kSave);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Jobs().WorkerEnded(); }));
    jobTimers_->Tick(92 + 100);  // the re-find gives up at its 101st tick
    Flush();
    EXPECT_TRUE(Idle(*wizard));
    EXPECT_TRUE(camera_->lastSaveWps);
    ASSERT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_EQ(prompt_.Messages()[0].text, wizard->Texts().Message(WizardMessage::SavedWireless));
    EXPECT_EQ(prompt_.Messages()[1].text, wizard->Texts().Message(WizardMessage::NotFoundAgain) +
                                              "\n\nThe camera confirmed these settings:\n"
                                              "\u2022 Name and description");
    EXPECT_EQ(prompt_.Messages()[1].icon, PromptIcon::Warning);
    EXPECT_EQ(refind_->queries, 39);  // ticks 62 to 100
    EXPECT_EQ(wizard->Pages().Current(), kPageFirst);
    EXPECT_TRUE(wizard->isEnabled());
    EXPECT_EQ(s.useWps, 0);  // code 2 ran
}

TEST_F(WizardTest, ManualSaveGoesHomeAndAFailedSaveStays) {
    auto wizard = StartTicked();
    camera::CameraSettings& s = wizard->Settings();
    s.wizardMode = 0;
    // The camera keeps its old DDNS host and password, and its clock page cannot be read.
    camera_->save = [](camera::CameraSettings&, bool) {
        return workflow::SaveOutcome{
            .checks = {{SaveStep::System, camera::CAM_OK, {}},
                       {SaveStep::Ddns,
                        camera::CAM_OK,
                        {{"DDNSHost", "gate.example.net", "old.example.net"},
                         {"DDNSPwd", "new-secret", "old-secret"}}},
                       {SaveStep::Time, camera::CAM_ERR_NO_ANSWER, {}}}};
    };
    wizard->HandleNavigation(nav::kDdns);
    wizard->HandleNavigation(nav::kSave);
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_EQ(wizard->Pages().Current(), kPageFirst);
    EXPECT_EQ(Message(0),
              wizard->Texts().Message(WizardMessage::Saved) +
                  "\n\nThe camera did not confirm these settings:\n"
                  "• Host name (Dynamic DNS): written \"gate.example.net\", the camera reports "
                  "\"old.example.net\"\n"
                  "• Password (Dynamic DNS): the camera reports another value than was written\n"
                  "• Time: the camera could not be asked for these settings again, so they are "
                  "not confirmed");
    EXPECT_EQ(refind_->queries, 0);

    // All but the network write taken: the message says which pages were. (One that took
    // nothing says only that it failed: the refusals below.)
    prompt_.Clear();
    camera_->save = [](camera::CameraSettings&, bool) {
        return workflow::SaveOutcome{.code = camera::CAM_ERR_FAILURE,
                                     .taken = {SaveStep::System, SaveStep::Ddns, SaveStep::Time}};
    };
    wizard->HandleNavigation(nav::kDdns);
    wizard->HandleNavigation(nav::kSave);
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_EQ(Message(0),
              wizard->Texts().Message(WizardMessage::JobFailed) + kAllButTheNetworkTaken);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(wizard->Pages().Current(), kPageDdns);
    EXPECT_TRUE(wizard->isEnabled());

    // A camera that wants credentials for its writes: the password is asked for as the read
    // asks, and the save runs again with it; a second refusal is a failed save.
    for (bool takesIt : {true, false}) {
        prompt_.Clear();
        camera_->saves = 0;
        camera_->save = [takesIt](camera::CameraSettings& c, bool) {
            bool given = c.SECUEN == 1 && camera::FieldText(c.userPassword) == "s3cret";
            return workflow::SaveOutcome{.code = given && takesIt ? camera::CAM_OK
                                                                  : camera::CAM_ERR_UNAUTHORIZED};
        };
        prompt_.SetNextDialog([](QDialog& dialog) {
            static_cast<pages::CDlgLoginRoot&>(dialog).PasswordEdit()->setText("s3cret");
            dialog.findChild<QPushButton*>("1374")->click();
            return dialog.result();
        });
        wizard->HandleNavigation(nav::kDdns);
        wizard->HandleNavigation(nav::kSave);
        ASSERT_TRUE(TickJobs(*wizard));
        EXPECT_EQ(camera_->saves, 2);
        EXPECT_EQ(prompt_.Dialogs(), std::vector<QString>{"CDlgLoginRoot"});
        EXPECT_EQ(Message(0), wizard->Texts().Message(takesIt ? WizardMessage::Saved
                                                              : WizardMessage::JobFailed));
    }
    // A camera's own value that would break a request is named, with its page.
    prompt_.Clear();
    camera_->save = [](camera::CameraSettings&, bool) {
        return workflow::SaveOutcome{.code = camera::CAM_ERR_UNSAFE_VALUE,
                                     .stoppedAt = SaveStep::Ddns,
                                     .unsafeField = "DDNSUser"};
    };
    wizard->HandleNavigation(nav::kSave);
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_TRUE(Message(0).startsWith("The setting \"User name\" (Dynamic DNS)"))
        << Message(0).toStdString();
}

TEST_F(WizardTest, SummarySaveAsksFirstAndCancelSendsNothing) {
    auto wizard = StartTicked();
    wizard->HandleNavigation(nav::kSummary);
    QPushButton* save = wizard->Pages().Form(kPageSetAutoParam)->Control<QPushButton>(1163);
    prompt_.SetNextAnswer(PromptAnswer::Cancel);
    save->click();
    Flush();
    EXPECT_FALSE(wizard->Jobs().JobTimerActive());
    EXPECT_EQ(camera_->saves, 0);
    save->click();  // OK this time
    ASSERT_TRUE(WaitUntil([&] { return wizard->Jobs().JobTimerActive(); }));
    ASSERT_TRUE(TickJobs(*wizard));
    EXPECT_EQ(camera_->saves, 1);
}

TEST_F(WizardTest, RescanGoesToTheAccessPointsOrWarns) {
    auto wizard = Start();
    wizard->HandleNavigation(nav::kWizardIp);
    camera_->scanDone = 0;
    wizard->HandleNavigation(nav::kRescan);
    EXPECT_EQ(Message(0), wizard->Texts().Message(WizardMessage::JobFailed));
    EXPECT_EQ(wizard->Pages().Current(), kPageWizardIp);
    EXPECT_FALSE(wizard->WaitDialog()->isVisible());

    prompt_.Clear();
    camera_->scanDone = 1;
    wizard->HandleNavigation(nav::kRescan);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageApScan; }));
    EXPECT_EQ(wizard->Kept().scanList.size(), 2u);
    EXPECT_TRUE(prompt_.Messages().empty());

    wizard->Settings().useWps = 1;
    wizard->HandleNavigation(nav::kRescan);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageWps; }));
}

TEST_F(WizardTest, AccessPointPageWithNoneKnownOffersTheScan) {
    auto wizard = Start();
    camera_->scanDone = 1;
    wizard->Settings().apCount = 0;
    prompt_.SetNextAnswer(PromptAnswer::Yes);
    wizard->HandleNavigation(nav::kApScan);
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].buttons, PromptButtons::YesNo);
    ASSERT_TRUE(WaitUntil([&] { return !wizard->Kept().scanList.empty(); }));
}
