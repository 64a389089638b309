// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard against simulated cameras on a lab network: a settings read ending on the page
// the road asks for, and a save after which the camera is found again at its new address.
#include <arpa/inet.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>

#include "Lab.h"
#include "WizardFixture.h"
#include "app/LiveBackend.h"
#include "camera/wire/RequestFraming.h"
#include "pages/CDlgCameraAddress.h"
#include "pages/CSubAPScan.h"
#include "pages/CSubChoose.h"
#include "pages/CSubDDNS.h"
#include "pages/CSubFirst.h"
#include "pages/CSubLANIP.h"
#include "pages/CSubLANISP.h"
#include "pages/CSubLinkSer.h"
#include "pages/CSubLogin.h"
#include "pages/CSubOption.h"
#include "pages/CSubSearchNet.h"
#include "pages/CSubSetAutoParam.h"
#include "pages/CSubSetupFinish.h"
#include "pages/CSubShowPic.h"
#include "pages/CSubSystem.h"
#include "pages/CSubUPnP.h"
#include "pages/CSubWLANAP.h"
#include "pages/CSubWLANIP.h"
#include "pages/CSubWPS.h"
#include "pages/CSubWPSPic.h"
#include "pages/CSubWizardIP.h"
#include "shell/Browser.h"

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
        StartCameras();
        // Everything the wizard opens from here on lives in the lab's PC.
        lab_->Enter("pc");
        setenv("ORVANTA2_PROBE_HOST", "127.0.0.1", 1);
    }
    void TearDown() override {
        unsetenv("ORVANTA2_REGISTRATION_SERVER");
        if (lab_) lab_->Leave();
        lab_.reset();
    }
    virtual void StartCameras() {
        lab_->AddHost("cams", {"192.168.0.98/24"});
        lab_->StartCamsim("cams", {"--own-addresses", "--camera",
                                   "mac=00:0E:53:00:00:98,ip=192.168.0.98,serial=SN-98,"
                                   "restart_ms=300" +
                                       cameraKeys_});
    }
    std::string cameraKeys_;  // more keys of the one camera

    std::unique_ptr<app::CWizardDlg> StartWizard(double timeScale) {
        app::WizardOptions options = app::LiveOptions(folder_.filePath("orvanta2").toStdString());
        options.lockPath = folder_.filePath("lock").toStdString();
        options.langFileName = "ENG.ini";
        options.timeScale = timeScale;
        return Start(std::move(options));
    }
    // A wizard aimed at the one camera, as if it had been picked in the search list.
    std::unique_ptr<app::CWizardDlg> StartLive(double timeScale) {
        auto wizard = StartWizard(timeScale);
        camera::CameraSettings& s = wizard->Settings();
        camera::SetFieldText(s.cameraAddressText, "192.168.0.98");
        camera::SetFieldText(s.cameraPortText, "80");
        camera::SetFieldText(s.cameraIdText, "SN-98");
        s.cameraAddress = inet_addr("192.168.0.98");
        return wizard;
    }

    template <class Page>
    void Click(app::CWizardDlg& wizard, int page, int button) {
        ASSERT_TRUE(WaitUntil([&] { return wizard.Pages().Current() == page; }, 30000))
            << "on page " << wizard.Pages().Current() << ", waiting for " << page << ": "
            << Message(prompt_.Messages().size() - 1).toStdString();
        wizard.Page<Page>(page)->template Control<QPushButton>(button)->click();
    }

    // UPnP as it is, DDNS as `onDdns` leaves it, Save on the summary; the web address of the
    // setup-finished page, or the last message when the road ended elsewhere.
    QString SaveFromPorts(app::CWizardDlg& wizard,
                          const std::function<void(pages::CSubDDNS&)>& onDdns = {}) {
        using namespace pages;
        Click<CSubUPnP>(wizard, kPageUpnp, CSubUPnP::kNext);
        if (onDdns && WaitUntil([&] { return wizard.Pages().Current() == kPageDdns; }))
            onDdns(*wizard.Page<CSubDDNS>(kPageDdns));
        Click<CSubDDNS>(wizard, kPageDdns, CSubDDNS::kNext);
        Click<CSubSetAutoParam>(wizard, kPageSetAutoParam, CSubSetAutoParam::kSave);
        if (!WaitUntil([&] { return wizard.Pages().Current() == kPageSetupFinish; }, 60000))
            return Message(prompt_.Messages().size() - 1);
        return wizard.Page<CSubSetupFinish>(kPageSetupFinish)
            ->Control<QLineEdit>(CSubSetupFinish::kAddress)
            ->text();
    }

    std::unique_ptr<lab::Lab> lab_;
};

TEST_F(WizardLab, ReadEndsOnTheOptionPageForANewCameraAndTheSystemPageOtherwise) {
    auto wizard = StartLive(0.2);
    EXPECT_EQ(wizard->Settings().pcHasLan, 1);
    wizard->HandleNavigation(nav::kSearch);
    wizard->Settings().newCameraSetup = 1;
    wizard->HandleNavigation(nav::kReadSettings);
    ASSERT_TRUE(WaitUntil([&] { return !wizard->Jobs().JobTimerActive(); }, 30000));
    ASSERT_EQ(prompt_.Messages().size(), 0u) << Message(0).toStdString();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageOption; }));
    EXPECT_GE(wizard->Jobs().JobTicks(), 97);
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
    EXPECT_EQ(Message(0), wizard->Texts().Message(WizardMessage::Saved));
    EXPECT_EQ(Message(1), wizard->Texts().Message(WizardMessage::FoundAgain));
    EXPECT_EQ(camera::FieldText(s.cameraAddressText), "192.168.0.150");
    EXPECT_EQ(camera::FieldText(s.cameraPortText), "8080");
    EXPECT_EQ(wizard->Page<pages::CSubSetupFinish>(kPageSetupFinish)
                  ->Control<QLineEdit>(pages::CSubSetupFinish::kAddress)
                  ->text(),
              "http://192.168.0.150:8080");
}

// A new user's road, by clicks: first page, Set up a camera, Yes and LAN, the diagram, the
// search listing the three demo cameras, pick one, read, the guided wizard, the proposed free
// address, UPnP, DDNS, the summary, Save; the camera answers at its new address.
class DemoLab : public WizardLab {
protected:
    // Three cameras as in the demo, each seeing two access points, and the registration
    // server with the demo account; every request recorded.
    void StartCameras() override {
        lab_->AddHost("cams", {"192.168.0.100/24", "192.168.0.101/24", "192.168.0.102/24",
                               "192.168.0.50/24"});
        setenv("ORVANTA2_REGISTRATION_SERVER", "192.168.0.50", 1);
        QString config;
        // The second and third answer the PC's address by unicast; the third takes
        // 192.168.0.200 when it is set to DHCP.
        for (int i = 1; i <= 3; ++i)
            config += QString(
                          "[camera]\nip = 192.168.0.%1\nmac = 00:0E:53:00:00:0%2\n"
                          "serial = SIM0000%2\ndescription = Sim Camera %2\n"
                          "ap1 = 6|00:0E:53:AA:00:01|Home WLAN|78|Infrastructure|WPA2-PSK|AES\n"
                          "ap2 = 11|00:0E:53:AA:00:02|Guest|41|Infrastructure|None|None\n%3%4")
                          .arg(99 + i)
                          .arg(i)
                          .arg(i > 1 ? "reply_to = sender\n" : "")
                          .arg(i > 2 ? "dhcp_pool = 192.168.0.200-192.168.0.200\n" : "");
        config +=
            "[camera]\nip = 192.168.0.50\nrole = registration_server\n"
            "account1 = demo|demo123|device+user|"
            "SIM00001/203.0.113.10/80/00:0E:53:00:00:01/Mervo-71Z;"
            "SIM00002/203.0.113.11/8080/00:0E:53:00:00:02/Mervo-71Z\n";
        QFile file(folder_.filePath("cameras.conf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(config.toUtf8());
        file.close();
        lab_->StartCamsim(
            "cams", {"--own-addresses", "--config", folder_.filePath("cameras.conf").toStdString(),
                     "--record", folder_.filePath("requests.log").toStdString()});
    }
    // The last recorded request that holds `marker`, up to its first line end.
    std::string Recorded(const std::string& marker) {
        QFile file(folder_.filePath("requests.log"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        std::string all = file.readAll().toStdString();
        size_t at = all.rfind(marker);
        if (at == std::string::npos) return {};
        size_t start = all.rfind("GET ", at);
        return all.substr(start, all.find('\n', at) - start);
    }
    // First page to the read of camera `serial`: Set up a camera, the choice page as
    // `choose` leaves it, the diagram when it is a new camera, the search, until the three
    // cameras are listed (one of them at `listedAt`, when given).
    template <class Choose>
    void PickCamera(app::CWizardDlg& wizard, Choose choose, const QString& serial = "SIM00002",
                    const QString& listedAt = {}) {
        using namespace pages;
        Click<CSubFirst>(wizard, kPageFirst, CSubFirst::kSetupCamera);
        ASSERT_TRUE(WaitUntil([&] { return wizard.Pages().Current() == kPageChoose; }));
        auto* page = wizard.Page<CSubChoose>(kPageChoose);
        choose(*page);
        page->Control<QPushButton>(CSubChoose::kNext)->click();
        if (wizard.Settings().newCameraSetup == 1)
            Click<CSubShowPic>(wizard, kPageShowPic, CSubShowPic::kNext);
        Click<CSubSearchNet>(wizard, kPageSearchNet, CSubSearchNet::kStartSearch);
        auto* list = wizard.Page<CSubSearchNet>(kPageSearchNet)
                         ->Control<QTreeWidget>(CSubSearchNet::kCameraList);
        auto atGiven = [&] {
            return listedAt.isEmpty() || !list->findItems(listedAt, Qt::MatchExactly, 1).empty();
        };
        ASSERT_TRUE(WaitUntil([&] { return list->topLevelItemCount() == 3 && atGiven(); }, 10000));
        QList<QTreeWidgetItem*> picked = list->findItems(serial, Qt::MatchExactly, 4);
        ASSERT_EQ(picked.size(), 1);
        picked[0]->setSelected(true);
        Click<CSubSearchNet>(wizard, kPageSearchNet, CSubSearchNet::kNext);
    }
    // A new wireless camera through the guided wizard to its address by DHCP, and the
    // answer to the WPS question.
    void WirelessCameraByDhcp(app::CWizardDlg& wizard, bool wps) {
        using namespace pages;
        PickCamera(wizard,
                   [](CSubChoose& c) { c.Control<QRadioButton>(CSubChoose::kWireless)->click(); });
        Click<CSubOption>(wizard, kPageOption, CSubOption::kNext);
        ASSERT_TRUE(WaitUntil([&] { return wizard.Pages().Current() == kPageWizardIp; }, 10000));
        wizard.Page<CSubWizardIP>(kPageWizardIp)
            ->Control<QRadioButton>(CSubWizardIP::kDhcp)
            ->click();
        prompt_.SetNextAnswer(wps ? PromptAnswer::Yes : PromptAnswer::No);
        Click<CSubWizardIP>(wizard, kPageWizardIp, CSubWizardIP::kNext);
    }
};

TEST_F(DemoLab, NewCameraFromTheFirstPageToTheSetupFinishedPage) {
    // A fifth of the real pacing leaves the read its free-address search (ARP) in time.
    auto wizard = StartWizard(0.2);
    using namespace pages;
    PickCamera(*wizard, [](CSubChoose&) {});
    Click<CSubOption>(*wizard, kPageOption, CSubOption::kNext);

    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageWizardIp; }, 10000));
    auto* ipPage = wizard->Page<CSubWizardIP>(kPageWizardIp);
    const QString address = ipPage->Control<QLineEdit>(CSubWizardIP::kAddress)->text();
    EXPECT_EQ(address, "192.168.0.253");  // the highest free address of the PC's subnet
    EXPECT_EQ(ipPage->Control<QLineEdit>(CSubWizardIP::kMask)->text(), "255.255.255.0");
    // Typed key by key: a number over 255 is refused by name; the address of another camera
    // is tested and asked about, and No keeps the page; the free one goes on.
    auto* field = ipPage->Control<QLineEdit>(CSubWizardIP::kAddress);
    auto* next = ipPage->Control<QPushButton>(CSubWizardIP::kNext);
    const size_t before = prompt_.Messages().size();
    for (const QString& typed : {QString("999.1.1.1"), QString("192.168.0.100"), address}) {
        field->clear();
        QTest::keyClicks(field, typed);
        next->click();  // the question unanswered: its default, No
    }
    ASSERT_EQ(prompt_.Messages().size(), before + 2);
    EXPECT_TRUE(Message(before).contains("\"IP address\"")) << Message(before).toStdString();
    EXPECT_TRUE(Message(before + 1).contains("192.168.0.100"));
    EXPECT_EQ(prompt_.Messages()[before + 1].buttons, PromptButtons::YesNoDefaultNo);
    Click<CSubUPnP>(*wizard, kPageUpnp, CSubUPnP::kNext);
    Click<CSubDDNS>(*wizard, kPageDdns, CSubDDNS::kNext);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageSetAutoParam; }));
    auto* summary = wizard->Page<CSubSetAutoParam>(kPageSetAutoParam);
    EXPECT_TRUE(summary->Control<QLabel>(CSubSetAutoParam::kNetworkText)->text().contains(address));
    summary->Control<QPushButton>(CSubSetAutoParam::kSave)->click();

    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageSetupFinish; }, 60000))
        << Message(prompt_.Messages().size() - 1).toStdString();
    EXPECT_EQ(Message(prompt_.Messages().size() - 2),
              wizard->Texts().Message(WizardMessage::Saved));
    EXPECT_EQ(wizard->Page<CSubSetupFinish>(kPageSetupFinish)
                  ->Control<QLineEdit>(CSubSetupFinish::kAddress)
                  ->text(),
              "http://" + address + ":80");
    EXPECT_EQ(wizard->Page<CSubSetupFinish>(kPageSetupFinish)
                  ->Control<QLineEdit>(CSubSetupFinish::kCameraId)
                  ->text(),
              "SIM00002");
    EXPECT_EQ(wizard->Page<CSubSetupFinish>(kPageSetupFinish)
                  ->Control<QLabel>(CSubSetupFinish::kCheckSummary)
                  ->text(),
              "Every setting was confirmed by the camera.");
    // The camera itself answers there.
    camera::CameraSettings probe = camera::NewCameraSettings();
    EXPECT_EQ(camera::CameraCommand(probe, address.toLatin1().constData(), "80", 1, 1, 0), 0);

    // A second camera in the same run. The search page's engine, open beside the re-find's,
    // hears the first camera's unicast answers from its new address; the second camera, set
    // to DHCP, is found again at the address it was given, never at its old one.
    Click<CSubSetupFinish>(*wizard, kPageSetupFinish, CSubSetupFinish::kFinish);
    PickCamera(
        *wizard, [](CSubChoose&) {}, "SIM00003", address);
    Click<CSubOption>(*wizard, kPageOption, CSubOption::kNext);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageWizardIp; }, 10000));
    ipPage->Control<QRadioButton>(CSubWizardIP::kDhcp)->click();
    ipPage->Control<QPushButton>(CSubWizardIP::kNext)->click();
    EXPECT_EQ(SaveFromPorts(*wizard), "http://192.168.0.200:80");
}

// A camera behind a router: no search reaches it, so the user adds it by its address, gives
// it a fixed address in its own subnet, and the wizard reads it there after the save.
class RoutedLab : public WizardLab {
protected:
    void StartCameras() override {
        lab_->AddHost("router", {"192.168.0.1/24"});
        lab_->AddHostBehind("cam", "router", "10.20.0.1/24", "10.20.0.5/24");
        ASSERT_EQ(lab_->Run("pc", "ip route add 10.20.0.0/24 via 192.168.0.1"), 0);
        lab_->StartCamsim("cam", {"--own-addresses", "--camera",
                                  "mac=00:0E:53:00:00:05,ip=10.20.0.5,serial=SN-5,restart_ms=300"});
    }
};

TEST_F(RoutedLab, CameraBehindARouterIsAddedByAddressSavedAndReadAtItsNewAddress) {
    auto wizard = StartWizard(0.2);
    using namespace pages;
    Click<CSubFirst>(*wizard, kPageFirst, CSubFirst::kSetupCamera);
    Click<CSubChoose>(*wizard, kPageChoose, CSubChoose::kNext);
    Click<CSubShowPic>(*wizard, kPageShowPic, CSubShowPic::kNext);
    prompt_.SetNextDialog([](QDialog& dialog) {
        static_cast<CDlgCameraAddress&>(dialog).AddressEdit()->setText("10.20.0.5");
        return int(QDialog::Accepted);
    });
    Click<CSubSearchNet>(*wizard, kPageSearchNet, CSubSearchNet::kAddCamera);
    auto* list = wizard->Page<CSubSearchNet>(kPageSearchNet)
                     ->Control<QTreeWidget>(CSubSearchNet::kCameraList);
    ASSERT_EQ(list->topLevelItemCount(), 1) << Message(0).toStdString();
    EXPECT_EQ(list->topLevelItem(0)->text(1), "10.20.0.5");
    Click<CSubSearchNet>(*wizard, kPageSearchNet, CSubSearchNet::kNext);
    Click<CSubOption>(*wizard, kPageOption, CSubOption::kNext);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageWizardIp; }, 30000))
        << Message(prompt_.Messages().size() - 1).toStdString();
    // The PC's own route to the camera's subnet stays: no temporary address beside it.
    EXPECT_EQ(lab_->Output("pc", "ip -4 -o addr show dev eth0 | grep -c 10.20."), "0\n");
    auto* ipPage = wizard->Page<CSubWizardIP>(kPageWizardIp);
    ipPage->Control<QRadioButton>(CSubWizardIP::kFixed)->click();
    ipPage->Control<QLineEdit>(CSubWizardIP::kAddress)->setText("10.20.0.7");
    ipPage->Control<QLineEdit>(CSubWizardIP::kMask)->setText("255.255.255.0");
    ipPage->Control<QLineEdit>(CSubWizardIP::kGateway)->setText("10.20.0.1");
    ipPage->Control<QLineEdit>(CSubWizardIP::kDns)->setText("10.20.0.1");
    ipPage->Control<QPushButton>(CSubWizardIP::kNext)->click();
    EXPECT_EQ(SaveFromPorts(*wizard), "http://10.20.0.7:80");
    EXPECT_EQ(Message(prompt_.Messages().size() - 1),
              wizard->Texts().Message(WizardMessage::FoundAgain));
}

// A camera that answers the DDNS write OK and keeps its old host name.
struct ForgetfulLab : WizardLab {
    ForgetfulLab() { cameraKeys_ = ",forget=DDNSHost"; }
};

TEST_F(ForgetfulLab, SetupFinishedPageListsTheDdnsHostNameTheCameraDidNotKeep) {
    auto wizard = StartLive(0.2);
    using namespace pages;
    wizard->Settings().newCameraSetup = 1;
    wizard->HandleNavigation(nav::kReadSettings);
    Click<CSubOption>(*wizard, kPageOption, CSubOption::kNext);
    Click<CSubWizardIP>(*wizard, kPageWizardIp, CSubWizardIP::kNext);
    QString hostLabel;
    const QString address = SaveFromPorts(*wizard, [&](CSubDDNS& ddns) {
        ddns.Control<QCheckBox>(CSubDDNS::kEnable)->setChecked(true);
        ddns.Control<QLineEdit>(CSubDDNS::kHostName)->setText("gate.example.net");
        hostLabel = ddns.Control<QLabel>(CSubDDNS::kLabel + 1)->text();
    });
    ASSERT_EQ(wizard->Pages().Current(), kPageSetupFinish) << address.toStdString();
    EXPECT_EQ(Message(prompt_.Messages().size() - 1),
              wizard->Texts().Message(WizardMessage::FoundAgain));
    // Every page was read back, the network's at the camera's new address.
    EXPECT_EQ(wizard->Kept().lastSave.checks.size(), 4u);
    auto* finish = wizard->Page<CSubSetupFinish>(kPageSetupFinish);
    EXPECT_EQ(finish->Control<QLabel>(CSubSetupFinish::kCheckSummary)->text(),
              "The camera did not confirm these settings:");
    auto* notKept = finish->Control<QListWidget>(CSubSetupFinish::kCheckList);
    ASSERT_EQ(notKept->count(), 1);
    EXPECT_EQ(notKept->item(0)->text(),
              hostLabel + " (Dynamic DNS): written \"gate.example.net\", the camera reports \"\"");
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

namespace {

template <class Page, class Control>
Control* Find(app::CWizardDlg& wizard, int page, int id) {
    return wizard.Page<Page>(page)->template Control<Control>(id);
}

}  // namespace

// The manual road of an installed camera through every settings page, a value changed on
// each; the save carries exactly those values.
TEST_F(DemoLab, ManualRoadThroughEverySettingsPageSavesWhatWasTyped) {
    auto wizard = StartWizard(0.2);
    app::CWizardDlg& w = *wizard;
    using namespace pages;
    PickCamera(w, [](CSubChoose& c) { c.Control<QRadioButton>(CSubChoose::kNo)->click(); });
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageSystem; }, 30000));
    Find<CSubSystem, QLineEdit>(w, kPageSystem, CSubSystem::kHostName)->setText("Gate North");
    Click<CSubSystem>(w, kPageSystem, CSubSystem::kNext);
    Click<CSubLANISP>(w, kPageLanIsp, CSubLANISP::kNext);  // LAN, as the camera has it
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageLanIp; }));
    Find<CSubLANIP, QLineEdit>(w, kPageLanIp, CSubLANIP::kAddress)->setText("192.168.0.160");
    prompt_.SetNextAnswer(PromptAnswer::Yes);  // set up its wireless link too
    Click<CSubLANIP>(w, kPageLanIp, CSubLANIP::kNext);
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageWlanAp; }));
    Find<CSubWLANAP, QLineEdit>(w, kPageWlanAp, CSubWLANAP::kSsid)->setText("Yard");
    Find<CSubWLANAP, QComboBox>(w, kPageWlanAp, CSubWLANAP::kSecurity)->setCurrentIndex(3);
    Find<CSubWLANAP, QLineEdit>(w, kPageWlanAp, CSubWLANAP::kPreSharedKey)
        ->setText("yard-secret-1");
    Click<CSubWLANAP>(w, kPageWlanAp, CSubWLANAP::kNext);
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageWlanIp; }));
    Find<CSubWLANIP, QRadioButton>(w, kPageWlanIp, CSubWLANIP::kDhcp)->click();
    Click<CSubWLANIP>(w, kPageWlanIp, CSubWLANIP::kNext);
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageUpnp; }));
    Find<CSubUPnP, QLineEdit>(w, kPageUpnp, CSubUPnP::kHttpPort)->setText("8080");
    Click<CSubUPnP>(w, kPageUpnp, CSubUPnP::kNext);
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageDdns; }));
    Find<CSubDDNS, QCheckBox>(w, kPageDdns, CSubDDNS::kEnable)->setChecked(true);
    Find<CSubDDNS, QLineEdit>(w, kPageDdns, CSubDDNS::kHostName)->setText("gate.example.net");
    Click<CSubDDNS>(w, kPageDdns, CSubDDNS::kNext);  // and OK: save now

    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageFirst; }, 60000))
        << Message(prompt_.Messages().size() - 1).toStdString();
    EXPECT_EQ(Message(prompt_.Messages().size() - 1),
              w.Texts().Message(WizardMessage::SavedWireless) +
                  "\n\nThe camera confirmed these settings:\n• Name and description\n"
                  "• Dynamic DNS\n• Time");
    EXPECT_NE(Recorded("Act=2&Page=1&").find("&TitleBar=Gate%20North&"), std::string::npos);
    const std::string network = Recorded("Act=2&Page=3&");
    for (const char* value : {"&IPType=1&IPAddr=192.168.0.160&", "&WIPType=0&", "&SSID=Yard&",
                              "&WireSec=3&", "&WPAKey=yard-secret-1&", "&HttpPort=8080&"})
        EXPECT_NE(network.find(value), std::string::npos) << value << " in " << network;
    const std::string ddns = Recorded("Act=2&Page=13&");
    EXPECT_NE(ddns.find("&DDNS=1&"), std::string::npos) << ddns;
    EXPECT_NE(ddns.find("&DDNSHost=gate.example.net"), std::string::npos) << ddns;
}

// The wireless road: the camera's address by DHCP, no WPS, an access point picked from the
// scan and its key typed; the camera is found again and the save carries that network.
TEST_F(DemoLab, WirelessRoadWithAPickedAccessPointSavesItsNetworkAndKey) {
    auto wizard = StartWizard(0.2);
    app::CWizardDlg& w = *wizard;
    using namespace pages;
    WirelessCameraByDhcp(w, false);  // no WPS: pick from the scan
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageApScan; }));
    auto* list = Find<CSubAPScan, QComboBox>(w, kPageApScan, CSubAPScan::kList);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "AP 1");
    list->setCurrentIndex(0);  // Home WLAN, WPA2-PSK
    Find<CSubAPScan, QLineEdit>(w, kPageApScan, CSubAPScan::kPreSharedKey)
        ->setText("home-secret-9");
    Click<CSubAPScan>(w, kPageApScan, CSubAPScan::kNext);
    Click<CSubUPnP>(w, kPageUpnp, CSubUPnP::kNext);
    Click<CSubDDNS>(w, kPageDdns, CSubDDNS::kNext);
    Click<CSubSetAutoParam>(w, kPageSetAutoParam, CSubSetAutoParam::kSave);

    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageSetupFinish; }, 60000))
        << Message(prompt_.Messages().size() - 1).toStdString();
    const std::string network = Recorded("Act=2&Page=3&");
    for (const char* value : {"&WIPType=0&", "&SSID=Home%20WLAN&", "&WireSec=3&", "&WPAEnc=0&",
                              "&WPAKey=home-secret-9&"})
        EXPECT_NE(network.find(value), std::string::npos) << value << " in " << network;
}

// The WPS road: the camera's address by DHCP, WPS chosen, the instructions, the run that the
// camera completes, the summary and the save; the camera is found again.
TEST_F(DemoLab, WpsRoadEndsOnTheSetupFinishedPage) {
    auto wizard = StartWizard(0.2);
    app::CWizardDlg& w = *wizard;
    using namespace pages;
    WirelessCameraByDhcp(w, true);
    Click<CSubWPSPic>(w, kPageWpsPic, CSubWPSPic::kNext);
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageWps; }));
    auto* next = Find<CSubWPS, QPushButton>(w, kPageWps, CSubWPS::kNext);
    EXPECT_FALSE(next->isEnabled());  // running
    ASSERT_TRUE(WaitUntil([&] { return next->isEnabled(); }, 30000));
    EXPECT_EQ(w.Settings().WPS_ACK, 1);
    next->click();
    Click<CSubUPnP>(w, kPageUpnp, CSubUPnP::kNext);
    Click<CSubDDNS>(w, kPageDdns, CSubDDNS::kNext);
    Click<CSubSetAutoParam>(w, kPageSetAutoParam, CSubSetAutoParam::kSave);

    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageSetupFinish; }, 60000))
        << Message(prompt_.Messages().size() - 1).toStdString();
    EXPECT_NE(Recorded("wps.cgi"), "");
    EXPECT_NE(Recorded("WPS&WPS_ACK"), "");
}

// The registration-server road: log in with the demo account, see its cameras, open one.
TEST_F(DemoLab, ServerRoadListsTheAccountsCamerasAndOpensOne) {
    auto wizard = StartWizard(0.2);
    app::CWizardDlg& w = *wizard;
    using namespace pages;
    Click<CSubFirst>(w, kPageFirst, CSubFirst::kServerSearch);
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageLogin; }));
    Find<CSubLogin, QLineEdit>(w, kPageLogin, CSubLogin::kId)->setText("demo");
    Find<CSubLogin, QLineEdit>(w, kPageLogin, CSubLogin::kPassword)->setText("wrong");
    Click<CSubLogin>(w, kPageLogin, CSubLogin::kNext);
    ASSERT_EQ(prompt_.Messages().size(), 1u);  // refused, and said so
    EXPECT_EQ(w.Pages().Current(), kPageLogin);

    Find<CSubLogin, QLineEdit>(w, kPageLogin, CSubLogin::kPassword)->setText("demo123");
    Click<CSubLogin>(w, kPageLogin, CSubLogin::kNext);
    ASSERT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageLinkSer; }));
    auto* list = Find<CSubLinkSer, QTreeWidget>(w, kPageLinkSer, CSubLinkSer::kList);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "SIM00002");
    std::vector<QString> opened;
    shell::SetWebPageOpener([&opened](const QString& url) {
        opened.push_back(url);
        return true;
    });
    list->topLevelItem(1)->setSelected(true);
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    shell::SetWebPageOpener(nullptr);
    EXPECT_EQ(opened, std::vector<QString>{"http://203.0.113.11:8080"});
    Click<CSubLinkSer>(w, kPageLinkSer, CSubLinkSer::kFinish);
    EXPECT_TRUE(WaitUntil([&] { return w.Pages().Current() == kPageFirst; }));
}
