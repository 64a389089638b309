// SPDX-License-Identifier: GPL-3.0-or-later
// The first, choice, diagram and option pages.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "WizardFixture.h"
#include "pages/CSubChoose.h"
#include "pages/CSubFirst.h"
#include "pages/CSubOption.h"
#include "pages/CSubShowPic.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;
using pages::CSubChoose;
using pages::CSubFirst;
using pages::CSubOption;

TEST_F(WizardTest, FirstPageShowsHowThePcReachesTheInternet) {
    auto wizard = Start();
    CSubFirst* first = wizard->Page<pages::CSubFirst>(kPageFirst);
    camera::CameraSettings& s = wizard->Settings();
    struct Case {
        uint8_t internet, lan, dialUp, dhcp;
        int picture;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, 1, 1, 206,
         "This PC reaches the internet through a PPPoE (DSL) connection.\n"
         "This PC gets its IP address from a DHCP server."},
        {1, 1, 0, 0, 210,
         "This PC reaches the internet through a router (LAN).\n"
         "This PC has a fixed IP address."},
        {1, 0, 1, 1, 206, "This PC reaches the internet through a PPPoE (DSL) connection."},
        {0, 1, 0, 1, 211, "This PC is not connected to the internet."},
        // Internet without a link reported: only the fixed-address text, the picture stays.
        {1, 0, 0, 1, 211, "This PC has a fixed IP address."},
        {0, 0, 1, 1, 211, "This PC is not connected to the internet."},
    };
    for (const Case& c : cases) {
        s.internetReachable = c.internet;
        s.pcHasLan = c.lan;
        s.pcHasDialUp = c.dialUp;
        s.pcUsesDhcp = c.dhcp;
        first->ShowNetworkType();
        EXPECT_EQ(first->PictureId(), c.picture) << c.text;
        EXPECT_EQ(first->Control<QLabel>(CSubFirst::kNetworkText)->text(), c.text);
    }
}

TEST_F(WizardTest, FirstPageAtStartWithoutInternet) {
    network_->internet = false;
    auto wizard = Start();
    EXPECT_EQ(wizard->Settings().internetReachable, 0);
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)->PictureId(), 211);
    EXPECT_EQ(wizard->Page<pages::CSubFirst>(kPageFirst)->NetworkText(),
              "This PC is not connected to the internet.");
}

TEST_F(WizardTest, FirstPageButtonsSetTheMenuChoices) {
    auto wizard = Start();
    camera::CameraSettings& s = wizard->Settings();
    s.menuChoice3 = 1;
    wizard->Page<pages::CSubFirst>(kPageFirst)
        ->Control<QPushButton>(CSubFirst::kSearchCamera)
        ->click();
    EXPECT_EQ(s.menuChoice1, 1);
    EXPECT_EQ(s.menuChoice2 + s.menuChoice3, 0);
    wizard->Page<pages::CSubFirst>(kPageFirst)
        ->Control<QPushButton>(CSubFirst::kSetupCamera)
        ->click();
    EXPECT_EQ(s.menuChoice2, 1);
    EXPECT_EQ(s.menuChoice1 + s.menuChoice3, 0);
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageChoose; }));
    EXPECT_FALSE(wizard->Page<pages::CSubFirst>(kPageFirst)
                     ->Control<QPushButton>(CSubFirst::kUnused)
                     ->isVisible());
}

namespace {
struct ChoiceState {
    bool lan, wireless, pppoe, lanOn, wirelessOn, pppoeOn;
    bool operator==(const ChoiceState&) const = default;
};
ChoiceState State(CSubChoose* page) {
    auto r = [&](int id) { return page->Control<QRadioButton>(id); };
    return {r(CSubChoose::kLan)->isChecked(),      r(CSubChoose::kWireless)->isChecked(),
            r(CSubChoose::kPppoe)->isChecked(),    r(CSubChoose::kLan)->isEnabled(),
            r(CSubChoose::kWireless)->isEnabled(), r(CSubChoose::kPppoe)->isEnabled()};
}
}  // namespace

TEST_F(WizardTest, ChoicePagePreselectsTheConnectionFromThePcsLinks) {
    auto wizard = Start();
    CSubChoose* choose = wizard->Page<pages::CSubChoose>(kPageChoose);
    camera::CameraSettings& s = wizard->Settings();
    s.pcHasLan = 1;
    s.pcHasDialUp = 1;
    wizard->HandleNavigation(nav::kChoose);
    EXPECT_EQ(State(choose), (ChoiceState{false, false, true, true, false, true}));
    EXPECT_TRUE(choose->Control<QRadioButton>(CSubChoose::kYes)->isChecked());

    s.pcHasLan = 1;
    s.pcHasDialUp = 0;
    choose->Control<QRadioButton>(CSubChoose::kYes)->click();  // enables all, then rules
    EXPECT_EQ(State(choose), (ChoiceState{true, false, false, true, true, false}));
    s.useWireless = 1;
    choose->Control<QRadioButton>(CSubChoose::kYes)->click();
    EXPECT_EQ(State(choose), (ChoiceState{false, true, false, true, true, false}));

    s.pcHasLan = 0;
    s.pcHasDialUp = 1;
    choose->Prepare();
    EXPECT_EQ(State(choose).pppoe, true);
    EXPECT_FALSE(State(choose).lanOn);

    choose->Control<QRadioButton>(CSubChoose::kNo)->click();
    EXPECT_FALSE(State(choose).lanOn || State(choose).wirelessOn || State(choose).pppoeOn);
    choose->Control<QPushButton>(CSubChoose::kNext)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageSearchNet; }));
    EXPECT_EQ(s.newCameraSetup, 0);
    EXPECT_EQ(s.wizardMode, 0);
}

TEST_F(WizardTest, DiagramFollowsTheChosenConnection) {
    auto wizard = Start();
    CSubChoose* choose = wizard->Page<pages::CSubChoose>(kPageChoose);
    camera::CameraSettings& s = wizard->Settings();
    s.pcHasLan = 0;
    s.pcHasDialUp = 0;
    wizard->HandleNavigation(nav::kChoose);
    choose->Control<QRadioButton>(CSubChoose::kWireless)->click();
    choose->Control<QPushButton>(CSubChoose::kNext)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageShowPic; }));
    EXPECT_EQ(wizard->Page<pages::CSubShowPic>(kPageShowPic)->DiagramId(), 228);
    EXPECT_EQ(s.useWireless, 1);
    EXPECT_EQ(s.newCameraSetup, 1);

    wizard->Page<pages::CSubShowPic>(kPageShowPic)
        ->Control<QPushButton>(pages::CSubShowPic::kBack)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageChoose; }));
    choose->Control<QRadioButton>(CSubChoose::kPppoe)->click();
    choose->Control<QPushButton>(CSubChoose::kNext)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageShowPic; }));
    EXPECT_EQ(wizard->Page<pages::CSubShowPic>(kPageShowPic)->DiagramId(), 224);
    EXPECT_EQ(s.useWireless, 0);
    EXPECT_EQ(s.skipAddressCheck, 1);

    wizard->HandleNavigation(nav::kChoose);
    choose->Control<QRadioButton>(CSubChoose::kLan)->click();
    choose->Control<QPushButton>(CSubChoose::kNext)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageShowPic; }));
    EXPECT_EQ(wizard->Page<pages::CSubShowPic>(kPageShowPic)->DiagramId(), 227);
    EXPECT_EQ(s.skipAddressCheck + s.useWireless + s.useWps, 0);
}

TEST_F(WizardTest, OptionPageOffersTheWizardOnlyWithNewFeatures) {
    auto wizard = Start();
    CSubOption* option = wizard->Page<pages::CSubOption>(kPageOption);
    camera::CameraSettings& s = wizard->Settings();
    s.newFeatures = 0;
    wizard->HandleNavigation(nav::kOption);
    EXPECT_FALSE(option->Control<QRadioButton>(CSubOption::kWizard)->isEnabled());
    EXPECT_FALSE(option->Control<QRadioButton>(CSubOption::kWizard)->isChecked());
    EXPECT_TRUE(option->Control<QRadioButton>(CSubOption::kManual)->isChecked());
    EXPECT_FALSE(option->Control<QLabel>(CSubOption::kWizardText)->isEnabled());
    EXPECT_EQ(s.wizardMode, 0);
    option->Control<QPushButton>(CSubOption::kNext)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageSystem; }));

    s.newFeatures = 1;
    wizard->HandleNavigation(nav::kOption);
    EXPECT_TRUE(option->Control<QRadioButton>(CSubOption::kWizard)->isChecked());
    EXPECT_EQ(s.wizardMode, 1);
    option->Control<QRadioButton>(CSubOption::kManual)->click();
    EXPECT_EQ(s.wizardMode, 0);
    option->Control<QRadioButton>(CSubOption::kWizard)->click();
    EXPECT_EQ(s.wizardMode, 1);
}

TEST_F(WizardTest, WizardChoiceWritesThePcsDateAndTime) {
    WriteDefaultLang("[DefaultLang]\nLangFile=ENG.ini\n");
    app::WizardOptions options = Options();
    options.clock = [] { return QDateTime(QDate(2009, 7, 15), QTime(8, 5, 9)); };
    auto wizard = Start(std::move(options));
    CSubOption* option = wizard->Page<pages::CSubOption>(kPageOption);
    camera::CameraSettings& s = wizard->Settings();
    s.newFeatures = 1;
    s.skipAddressCheck = 0;
    wizard->HandleNavigation(nav::kOption);
    option->Control<QPushButton>(CSubOption::kNext)->click();
    EXPECT_EQ(camera::FieldText(s.Date), "2009/07/15");
    EXPECT_EQ(camera::FieldText(s.Time), "08:05:09");
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageWizardIp; }));

    s.skipAddressCheck = 1;
    wizard->HandleNavigation(nav::kOption);
    option->Control<QPushButton>(CSubOption::kNext)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPagePppoe; }));
}
