// SPDX-License-Identifier: GPL-3.0-or-later
// Navigation codes and the page host.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "WizardFixture.h"
#include "pages/CSubAPScan.h"
#include "pages/CSubChoose.h"
#include "pages/CSubFirst.h"
#include "pages/CSubShowPic.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;

TEST_F(WizardTest, EveryPageCodeShowsItsPageAlone) {
    auto wizard = Start();
    wizard->Settings().apCount = 3;  // no scan question on the access-point and WPS pages
    std::vector<std::pair<int, int>> codes{{nav::kHome, kPageFirst}};
    for (const PageRoute& route : workflow::kPageRoutes) codes.emplace_back(route.code, route.page);
    for (auto [code, page] : codes) {
        wizard->HandleNavigation(code);
        EXPECT_EQ(wizard->Pages().Current(), page) << "code " << code;
        int visible = 0;
        for (int i = 0; i < kPageCount; ++i) visible += wizard->Pages().Form(i)->isVisible();
        EXPECT_EQ(visible, 1) << "code " << code;
        EXPECT_TRUE(wizard->Pages().Form(page)->isVisible()) << "code " << code;
    }
    EXPECT_TRUE(prompt_.Messages().empty());
}

TEST_F(WizardTest, UnknownCodesChangeNothing) {
    auto wizard = Start();
    wizard->HandleNavigation(nav::kChoose);
    camera::CameraSettings before = wizard->Settings();
    for (int code : {-1, 0, 1, 12, 16, 23, 25, 33, 1000}) wizard->HandleNavigation(code);
    Flush();
    EXPECT_EQ(wizard->Pages().Current(), kPageChoose);
    EXPECT_EQ(std::memcmp(&before, &wizard->Settings(), sizeof before), 0);
    EXPECT_TRUE(prompt_.Messages().empty());
    EXPECT_TRUE(prompt_.Dialogs().empty());
}

TEST_F(WizardTest, HomeResetsTheRoadFlagsButNotTheChoices) {
    auto wizard = Start();
    camera::CameraSettings& s = wizard->Settings();
    s.wizardMode = 0;
    s.useWps = s.useWireless = s.skipAddressCheck = 1;
    s.newCameraSetup = 1;
    s.menuChoice2 = 1;
    wizard->HandleNavigation(nav::kHome);
    EXPECT_EQ(s.wizardMode, 1);
    EXPECT_EQ(s.useWps + s.useWireless + s.skipAddressCheck, 0);
    EXPECT_EQ(s.newCameraSetup, 1);
    EXPECT_EQ(s.menuChoice2, 1);
}

TEST_F(WizardTest, PagesPostCodesThatArriveInOrder) {
    auto wizard = Start();
    // Setup camera, Yes, LAN, Next, Next: the search page; then Back three times home.
    wizard->Page<pages::CSubFirst>(kPageFirst)
        ->Control<QPushButton>(pages::CSubFirst::kSetupCamera)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageChoose; }));
    EXPECT_EQ(wizard->Settings().menuChoice2, 1);
    wizard->Page<pages::CSubChoose>(kPageChoose)
        ->Control<QPushButton>(pages::CSubChoose::kNext)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageShowPic; }));
    wizard->Page<pages::CSubShowPic>(kPageShowPic)
        ->Control<QPushButton>(pages::CSubShowPic::kNext)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageSearchNet; }));
    EXPECT_EQ(wizard->Settings().newCameraSetup, 1);
    wizard->Pages().Form(kPageSearchNet)->Control<QPushButton>(1037)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageShowPic; }));
    wizard->Page<pages::CSubShowPic>(kPageShowPic)
        ->Control<QPushButton>(pages::CSubShowPic::kBack)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageChoose; }));
    wizard->Page<pages::CSubChoose>(kPageChoose)
        ->Control<QPushButton>(pages::CSubChoose::kBack)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageFirst; }));

    // Search camera: the search page without a Next button; Exit returns home.
    wizard->Page<pages::CSubFirst>(kPageFirst)
        ->Control<QPushButton>(pages::CSubFirst::kSearchCamera)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageSearchNet; }));
    EXPECT_FALSE(wizard->Pages().Form(kPageSearchNet)->Control<QPushButton>(1110)->isVisible());
    wizard->Pages().Form(kPageSearchNet)->Control<QPushButton>(1037)->click();
    ASSERT_TRUE(WaitUntil([&] { return wizard->Pages().Current() == kPageFirst; }));
}

TEST_F(WizardTest, AboutBoxShowsTheLanguageTexts) {
    auto wizard = Start();
    QString info1, title, close;
    prompt_.SetNextDialog([&](QDialog& dialog) {
        info1 = dialog.findChild<QLabel*>("1371")->text();
        close = dialog.findChild<QPushButton*>("1373")->text();
        title = dialog.windowTitle();
        dialog.findChild<QPushButton*>("1373")->click();
        return dialog.result();
    });
    wizard->Page<pages::CSubFirst>(kPageFirst)
        ->Control<QPushButton>(pages::CSubFirst::kAbout)
        ->click();
    ASSERT_TRUE(WaitUntil([&] { return !prompt_.Dialogs().empty(); }));
    EXPECT_EQ(prompt_.Dialogs()[0], "CAboutDlg");
    EXPECT_EQ(info1, "Orvanta2 camera setup wizard, version 1.0.1");
    EXPECT_EQ(title, "About Orvanta2");
    EXPECT_EQ(close, "Close");
}

TEST(PageHost, ShowsOnePageAndRefusesIndicesOutside) {
    QWidget parent;
    shell::CSubFormCollection host;
    host.SetFrame(QRect(0, 84, 591, 424));
    EXPECT_FALSE(host.AddForm(nullptr, &parent));
    EXPECT_FALSE(host.ShowForm(-1));  // nothing to show yet
    pages::CSubFirst a, b;
    ASSERT_TRUE(host.AddForm(&a, &parent));
    ASSERT_TRUE(host.AddForm(&b, &parent));
    EXPECT_EQ(a.pos(), QPoint((591 - a.width()) / 2, 84 + (424 - a.height()) / 2));
    EXPECT_EQ(host.Current(), -1);
    EXPECT_TRUE(host.ShowForm(-1));
    EXPECT_EQ(host.Current(), 0);
    EXPECT_TRUE(host.ShowForm(1));
    EXPECT_TRUE(a.isHidden());
    EXPECT_FALSE(b.isHidden());
    EXPECT_FALSE(host.ShowForm(2));
    EXPECT_EQ(host.Current(), 1);
    EXPECT_FALSE(host.SelectForm(2));
    EXPECT_TRUE(host.SelectForm(0));
    EXPECT_FALSE(b.isHidden());  // selecting shows nothing
    a.setParent(nullptr);
    b.setParent(nullptr);
}
