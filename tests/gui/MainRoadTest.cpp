// SPDX-License-Identifier: GPL-3.0-or-later
// The search and camera IP pages, each built alone with a fake context; the codes they post
// are recorded instead of handled.
#include <arpa/inet.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cerrno>

#include "PageFixture.h"
#include "pages/CDlgCameraAddress.h"
#include "pages/CSubPPPoE.h"
#include "pages/CSubSearchNet.h"
#include "pages/CSubWizardIP.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;
using pages::CSubSearchNet;
using pages::CSubWizardIP;

TEST_F(PageTest, SearchAsksAtOnceBlinksAndStopsKeepingTheList) {
    auto page = Make<CSubSearchNet>();
    ScriptedEngine& engine = *discovery_.engines[0];
    QPushButton* start = Button(*page, CSubSearchNet::kStartSearch);
    EXPECT_EQ(start->text(), page->TextStartFind());

    start->click();
    EXPECT_TRUE(page->Searching());
    EXPECT_EQ(host_.sent, std::vector<int>{nav::kEnsureSubnet});
    EXPECT_EQ(settings_.cameraAddress, inet_addr("192.168.0.98"));
    // Asked at once, not after the engine's 30 s cycle, and the answers read shortly after.
    EXPECT_EQ(engine.cycles, 1);
    EXPECT_EQ(engine.queries, 0);
    EXPECT_EQ(start->text(), page->TextFinding());
    ASSERT_EQ(timers_.timers.size(), 2u);
    ManualTimers::Timer& firstLook = *timers_.timers[1];
    EXPECT_TRUE(firstLook.active);
    EXPECT_EQ(firstLook.period, CSubSearchNet::kFirstLookMs);
    engine.found = {Heard("192.168.0.98", 8080, "SN-1")};
    engine.changed = true;
    firstLook.onTick();
    EXPECT_FALSE(firstLook.active);
    auto* list = page->Control<QTreeWidget>(CSubSearchNet::kCameraList);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(4), "SN-1");
    // Asked again on the 1st and 3rd ticks; the button blinks.
    timers_.Tick();
    EXPECT_EQ(start->text(), page->TextStopFinding());
    timers_.Tick(3);
    EXPECT_EQ(engine.cycles, 3);
    EXPECT_EQ(engine.queries, 5);
    EXPECT_EQ(start->text(), page->TextFinding());

    start->click();
    EXPECT_FALSE(page->Searching());
    EXPECT_EQ(start->text(), page->TextStartFind());
    EXPECT_EQ(list->topLevelItemCount(), 1);
    timers_.Tick();
    EXPECT_EQ(engine.queries, 5);  // no query while stopped
}

TEST_F(PageTest, SearchEndsByItselfOnThe180thTick) {
    auto page = Make<CSubSearchNet>();
    ScriptedEngine& engine = *discovery_.engines[0];
    Button(*page, CSubSearchNet::kStartSearch)->click();
    timers_.Tick(179);
    EXPECT_TRUE(page->Searching());
    const int queries = 1 + 179;  // the first look, then every tick
    EXPECT_EQ(engine.queries, queries);
    timers_.Tick();
    EXPECT_FALSE(page->Searching());
    EXPECT_EQ(engine.queries, queries);
    EXPECT_EQ(Button(*page, CSubSearchNet::kStartSearch)->text(), page->TextStartFind());
}

TEST_F(PageTest, SearchListIsRebuiltOnlyOnAChangeSoTheSelectionSurvives) {
    auto page = Make<CSubSearchNet>();
    ScriptedEngine& engine = *discovery_.engines[0];
    engine.found = {Heard("192.168.0.98", 8080, "SN-1"),
                    Heard("192.168.0.99", 8080, "SN-2", "wireless")};
    engine.changed = true;
    Button(*page, CSubSearchNet::kStartSearch)->click();
    timers_.Tick();
    auto* list = page->Control<QTreeWidget>(CSubSearchNet::kCameraList);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    list->topLevelItem(1)->setSelected(true);
    engine.found[0] = Heard("192.168.0.50", 8080, "SN-1");  // seen, not yet reported
    timers_.Tick(2);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "192.168.0.98");
    EXPECT_TRUE(list->topLevelItem(1)->isSelected());
    engine.changed = true;
    timers_.Tick();
    EXPECT_EQ(list->topLevelItem(0)->text(1), "192.168.0.50");
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(PageTest, SearchAddsACameraByItsAddressWhenItsSystemPageReads) {
    auto page = Make<CSubSearchNet>();
    ScriptedEngine& engine = *discovery_.engines[0];
    auto* list = page->Control<QTreeWidget>(CSubSearchNet::kCameraList);
    auto add = [&](const char* typed) {
        prompt_.SetNextDialog([typed](QDialog& dialog) {
            static_cast<pages::CDlgCameraAddress&>(dialog).AddressEdit()->setText(typed);
            return int(QDialog::Accepted);
        });
        Button(*page, CSubSearchNet::kAddCamera)->click();
    };
    for (const char* typed : {"", "camera.local", "10.9.0.5:0", "10.9.0.5:80x", "127.0.0.1"}) {
        add(typed);
        EXPECT_EQ(prompt_.Messages().back().text, page->Message(CSubSearchNet::Msg::NotAnAddress));
    }
    EXPECT_EQ(camera_.systemReads, 0);  // nothing typed wrong reaches the network
    camera_.systemResults = {camera::CAM_ERR_CONNECT, camera::CAM_ERR_CONNECT,
                             camera::CAM_ERR_CONNECT};
    add("10.9.0.5");
    EXPECT_EQ(prompt_.Messages().back().text, page->Message(CSubSearchNet::Msg::NotRead));
    EXPECT_EQ(list->topLevelItemCount(), 0);

    // A camera that asks for its password is asked, then listed and selected.
    camera_.systemResults = {0, 0, camera::CAM_ERR_UNAUTHORIZED};
    prompt_.Clear();
    add("10.9.0.5:8080");
    EXPECT_EQ(prompt_.Dialogs(), (std::vector<QString>{"CDlgCameraAddress", "CDlgLoginRoot"}));
    EXPECT_TRUE(prompt_.Messages().empty());
    EXPECT_EQ(host_.sent, (std::vector<int>{nav::kEnsureSubnet, nav::kEnsureSubnet}));
    EXPECT_EQ(settings_.cameraAddress, inet_addr("10.9.0.5"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "10.9.0.5");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "8080");
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());

    // The search's rows come first; an added camera the search finds is listed once.
    engine.found = {Heard("192.168.0.98", 8080, "SN-1")};
    engine.changed = true;
    Button(*page, CSubSearchNet::kStartSearch)->click();
    timers_.Tick();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(1), "10.9.0.5");
    engine.found.push_back(Heard("10.9.0.5", 8080, "SN-5"));
    engine.changed = true;
    timers_.Tick();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(4), "SN-5");
}

TEST_F(PageTest, SearchNextNeedsARowAndTakesTheSelectedCamera) {
    settings_.menuChoice2 = 1;
    auto page = Make<CSubSearchNet>();
    ScriptedEngine& engine = *discovery_.engines[0];
    QPushButton* next = Button(*page, CSubSearchNet::kNext);
    next->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text, page->Message(pages::CSubSearchNet::Msg::NoCamera));
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompt_.Messages()[0].caption, "Orvanta2");

    engine.found = {Heard("192.168.0.98", 8080, "SN-1"),
                    Heard("192.168.0.99", 8080, "SN-2", "wireless")};
    engine.changed = true;
    Button(*page, CSubSearchNet::kStartSearch)->click();
    timers_.Tick();
    next->click();
    EXPECT_FALSE(page->Searching());  // Next stops the search
    ASSERT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_EQ(prompt_.Messages()[1].text, page->Message(pages::CSubSearchNet::Msg::NoneChosen));
    EXPECT_EQ(prompt_.Messages()[1].icon, PromptIcon::Information);
    EXPECT_TRUE(host_.posted.empty());

    page->Control<QTreeWidget>(CSubSearchNet::kCameraList)->topLevelItem(1)->setSelected(true);
    next->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kReadSettings});
    EXPECT_EQ(camera::FieldText(settings_.cameraAddressText), "192.168.0.99");
    EXPECT_EQ(settings_.cameraAddress, inet_addr("192.168.0.99"));
    EXPECT_EQ(camera::FieldText(settings_.cameraPortText), "8080");
    EXPECT_EQ(camera::FieldText(settings_.cameraIdText), "SN-2");
    EXPECT_EQ(settings_.cameraWireless, 1);

    // The search-only road lists cameras and goes nowhere with them.
    settings_.menuChoice1 = 1;
    settings_.menuChoice2 = 0;
    page->Prepare();
    EXPECT_FALSE(next->isVisible());
    EXPECT_FALSE(page->Control<QLabel>(CSubSearchNet::kNote)->isVisible());
    Button(*page, CSubSearchNet::kExit)->click();
    EXPECT_EQ(host_.posted.back(), nav::kHome);
}

TEST_F(PageTest, CameraIpPageProposesDhcpForADhcpPc) {
    settings_.pcUsesDhcp = 1;
    auto page = Make<CSubWizardIP>();
    EXPECT_TRUE(page->Control<QRadioButton>(CSubWizardIP::kDhcp)->isChecked());
    EXPECT_FALSE(page->Control<QLineEdit>(CSubWizardIP::kAddress)->isEnabled());
    EXPECT_FALSE(Button(*page, CSubWizardIP::kTestAddress)->isEnabled());
    settings_.IPType = 1;
    Button(*page, CSubWizardIP::kNext)->click();
    EXPECT_EQ(settings_.IPType, 0);
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kUpnp});
    Button(*page, CSubWizardIP::kBack)->click();
    EXPECT_EQ(host_.posted.back(), nav::kOption);
}

TEST_F(PageTest, CameraIpPageProposesAFreeAddressForAFixedPc) {
    settings_.pcUsesDhcp = 0;
    camera::SetFieldText(settings_.pcAddressText, "192.168.1.20");
    settings_.pcAddress = inet_addr("192.168.1.20");
    camera::SetFieldText(settings_.pcNetmaskText, "255.255.255.0");
    camera::SetFieldText(settings_.pcGatewayText, "192.168.1.1");
    camera::SetFieldText(settings_.pcDnsText, "192.168.1.2");
    kept_.freeAddresses = {inet_addr("192.168.1.253"), inet_addr("192.168.1.252")};
    auto page = Make<CSubWizardIP>();
    auto field = [&](int id) { return page->Control<QLineEdit>(id); };
    EXPECT_TRUE(page->Control<QRadioButton>(CSubWizardIP::kFixed)->isChecked());
    EXPECT_EQ(settings_.IPType, 1);
    EXPECT_EQ(field(CSubWizardIP::kAddress)->text(), "192.168.1.253");
    EXPECT_EQ(field(CSubWizardIP::kMask)->text(), "255.255.255.0");
    EXPECT_EQ(field(CSubWizardIP::kGateway)->text(), "192.168.1.1");
    EXPECT_EQ(field(CSubWizardIP::kDns)->text(), "192.168.1.2");

    // The mask follows the first byte as it is typed.
    field(CSubWizardIP::kAddress)->clear();
    QTest::keyClicks(field(CSubWizardIP::kAddress), "172.16.0.5");
    EXPECT_EQ(field(CSubWizardIP::kMask)->text(), "255.255.0.0");
    field(CSubWizardIP::kAddress)->clear();
    QTest::keyClicks(field(CSubWizardIP::kAddress), "10.0.0.5");
    EXPECT_EQ(field(CSubWizardIP::kMask)->text(), "255.255.0.0");

    // A half-typed address, one with a number over 255 (kept as typed), the subnet's broadcast
    // address and the PC's own are refused with a message that names the field.
    field(CSubWizardIP::kMask)->setText("255.255.255.0");
    for (const char* typed :
         {"192.168.1", "999.1.1.1", "300.1.1.1", "192.168.1.255", "192.168.1.20"}) {
        prompt_.Clear();
        field(CSubWizardIP::kAddress)->clear();
        QTest::keyClicks(field(CSubWizardIP::kAddress), typed);
        EXPECT_EQ(field(CSubWizardIP::kAddress)->text(), typed);
        Button(*page, CSubWizardIP::kNext)->click();
        ASSERT_EQ(prompt_.Messages().size(), 1u);
        EXPECT_TRUE(prompt_.Messages()[0].text.contains("IP address"))
            << prompt_.Messages()[0].text.toStdString();
        EXPECT_TRUE(host_.posted.empty());
    }

    // A wireless camera set up over wireless keeps the address in its wireless fields.
    field(CSubWizardIP::kAddress)->setText("192.168.1.253");
    field(CSubWizardIP::kMask)->setText("255.255.255.0");
    field(CSubWizardIP::kDns)->clear();
    settings_.WirelessCap = 1;
    settings_.useWireless = 1;
    settings_.WPSCap = 1;
    camera::SetFieldText(settings_.IPAddr, "192.168.0.98");
    prompt_.SetNextAnswer(PromptAnswer::No);
    Button(*page, CSubWizardIP::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kApScan});
    EXPECT_EQ(settings_.WIPType, 1);
    EXPECT_EQ(camera::FieldText(settings_.WIPAddr), "192.168.1.253");
    EXPECT_EQ(camera::FieldText(settings_.WDNS1), "0.0.0.0");
    EXPECT_EQ(camera::FieldText(settings_.IPAddr), "192.168.0.98");
    EXPECT_EQ(settings_.useWps, 0);
}

TEST_F(PageTest, AddressTestSaysInUseFreeOrWhyItCouldNotTest) {
    settings_.pcUsesDhcp = 0;
    camera::SetFieldText(settings_.pcAddressText, "192.168.1.20");
    settings_.pcAddress = inet_addr("192.168.1.20");
    kept_.freeAddresses = {inet_addr("192.168.1.253")};
    auto page = Make<CSubWizardIP>();
    QPushButton* test = Button(*page, CSubWizardIP::kTestAddress);
    const std::pair<NetworkBackend::Probe, PromptIcon> cases[] = {
        {{localnet::ProbeResult::InUse, 0}, PromptIcon::Error},
        {{localnet::ProbeResult::Free, 0}, PromptIcon::Information},
        {{localnet::ProbeResult::Failed, -EPERM}, PromptIcon::Warning}};
    for (auto [probe, icon] : cases) {
        network_.probe = probe;
        test->click();
        EXPECT_EQ(prompt_.Messages().back().icon, icon);
    }
    ASSERT_EQ(prompt_.Messages().size(), 3u);
    EXPECT_TRUE(prompt_.Messages()[0].text.contains("in use"));
    EXPECT_TRUE(prompt_.Messages()[1].text.contains("free"));
    EXPECT_TRUE(prompt_.Messages()[2].text.contains("CAP_NET_RAW"));
    EXPECT_FALSE(prompt_.Messages()[2].text.contains("is free"));
    EXPECT_EQ(network_.probes.back(),
              std::make_pair(inet_addr("192.168.1.253"), inet_addr("192.168.1.20")));

    // Next tests the new address too: in use asks (No by default, the page stays), a test
    // that cannot run says why and goes on.
    prompt_.Clear();
    page->Control<QLineEdit>(CSubWizardIP::kMask)->setText("255.255.255.0");
    network_.probe = {localnet::ProbeResult::InUse, 0};
    Button(*page, CSubWizardIP::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_TRUE(prompt_.Messages()[0].text.contains("192.168.1.253"));
    EXPECT_TRUE(host_.posted.empty());
    network_.probe = {localnet::ProbeResult::Failed, -ENETDOWN};
    Button(*page, CSubWizardIP::kNext)->click();
    EXPECT_TRUE(prompt_.Messages()[1].text.contains("interface"));
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kUpnp});
}

TEST_F(PageTest, PppoePageGoesBackToTheOptionPage) {
    camera::SetFieldText(settings_.PhonebookUser, "dsl-user");
    auto page = Make<pages::CSubPPPoE>();
    Button(*page, pages::CSubPPPoE::kBack)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kOption});
}
