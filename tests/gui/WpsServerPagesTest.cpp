// SPDX-License-Identifier: GPL-3.0-or-later
// The WPS page with a ticked timer, and the registration-server login and list pages.
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTreeWidget>

#include "PageFixture.h"
#include "pages/CSubLinkSer.h"
#include "pages/CSubLogin.h"
#include "pages/CSubWPS.h"
#include "platform/AddressText.h"
#include "shell/Browser.h"

namespace orvanta::test {
namespace {

using pages::CSubLinkSer;
using pages::CSubLogin;
using pages::CSubWPS;
using shell::PromptIcon;

class WpsPageTest : public PageTest {
protected:
    void SetUp() override {
        settings_.apCount = 2;
        settings_.WPS_ACK = 0;
    }
    bool Enabled(shell::CSubPage& page, int id) { return Button(page, id)->isEnabled(); }
};

TEST_F(WpsPageTest, ASuccessAtTheFirstQueryEndsAtOnceWithNextEnabled) {
    camera_.wpsStates = {{0, 1}};
    auto page = Make<CSubWPS>();  // the prepare step starts at once
    EXPECT_EQ(camera_.wpsStarts, 1);
    EXPECT_TRUE(page->Running());
    EXPECT_FALSE(Enabled(*page, CSubWPS::kBack));
    EXPECT_FALSE(Enabled(*page, CSubWPS::kNext));
    timers_.Tick(11);  // 55 s: nobody asked yet
    EXPECT_EQ(camera_.wpsQueries, 0);
    timers_.Tick();  // 60 s
    EXPECT_EQ(camera_.wpsQueries, 1);
    EXPECT_FALSE(page->Running());
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Information);
    EXPECT_TRUE(Enabled(*page, CSubWPS::kNext));
    EXPECT_TRUE(Enabled(*page, CSubWPS::kStart));
    EXPECT_TRUE(page->Control<QProgressBar>(CSubWPS::kProgress)->isHidden());

    // Coming back after the success starts nothing.
    page->Prepare();
    EXPECT_EQ(camera_.wpsStarts, 1);
    EXPECT_FALSE(page->Running());
}

TEST_F(WpsPageTest, ARunThatNeverEndsStopsAfter150SecondsWithoutAMessage) {
    camera_.wpsStates = {{1, 0}};
    auto page = Make<CSubWPS>();
    timers_.Tick(29);  // 145 s
    EXPECT_TRUE(page->Running());
    EXPECT_EQ(camera_.wpsQueries, 18);  // from 60 s to 145 s
    timers_.Tick();                     // 150 s
    EXPECT_FALSE(page->Running());
    EXPECT_EQ(camera_.wpsQueries, 18);
    EXPECT_TRUE(prompt_.Messages().empty());
    EXPECT_FALSE(Enabled(*page, CSubWPS::kNext));
    EXPECT_TRUE(Enabled(*page, CSubWPS::kBack));
    EXPECT_EQ(camera_.wpsStarts, 1);

    // Start again: a new run from the beginning.
    Button(*page, CSubWPS::kStart)->click();
    EXPECT_EQ(camera_.wpsStarts, 2);
    EXPECT_TRUE(page->Running());
    EXPECT_EQ(page->Control<QProgressBar>(CSubWPS::kProgress)->value(), 0);
}

TEST_F(WpsPageTest, ACameraThatHasNotBegunIsStartedAgainAt65To75Seconds) {
    camera_.wpsStates = {{0, 0}};
    auto page = Make<CSubWPS>();
    timers_.Tick(12);  // 60 s: asked, not repeated yet
    EXPECT_EQ(camera_.wpsStarts, 1);
    timers_.Tick(3);  // 65, 70, 75 s
    EXPECT_EQ(camera_.wpsStarts, 4);
    timers_.Tick(15);  // to 150 s
    EXPECT_EQ(camera_.wpsStarts, 4);
    EXPECT_FALSE(page->Running());
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Warning);
    EXPECT_FALSE(Enabled(*page, CSubWPS::kNext));
}

TEST_F(WpsPageTest, AFailedStartLeavesOnlyBackAndAnEmptyScanAsksToScanAgain) {
    camera_.wpsStartResult = camera::CAM_ERR_CONNECT;
    auto page = Make<CSubWPS>();
    EXPECT_FALSE(page->Running());
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Error);
    EXPECT_TRUE(Enabled(*page, CSubWPS::kBack));
    EXPECT_FALSE(Enabled(*page, CSubWPS::kNext));
    EXPECT_FALSE(Enabled(*page, CSubWPS::kStart));

    settings_.apCount = 0;
    prompt_.SetNextAnswer(shell::PromptAnswer::Yes);
    page->Prepare();
    EXPECT_EQ(host_.posted, std::vector<int>{shell::nav::kRescan});
    EXPECT_FALSE(Enabled(*page, CSubWPS::kStart));
    EXPECT_EQ(camera_.wpsStarts, 1);
}

camera::ServerCamera Listed(const char* id, const char* ip, const char* port) {
    camera::ServerCamera c{};
    camera::SetFieldText(c.id, id);
    camera::SetFieldText(c.address, ip);
    camera::SetFieldText(c.port, port);
    camera::SetFieldText(c.mac, "00:0E:53:00:00:01");
    camera::SetFieldText(c.modelName, "Mervo-71Z");
    return c;
}

TEST_F(PageTest, LoginAsksTheServerAndSaysWhyALoginFailed) {
    auto page = Make<CSubLogin>();
    auto* id = page->Control<QLineEdit>(CSubLogin::kId);
    auto* password = page->Control<QLineEdit>(CSubLogin::kPassword);
    QTest::keyClicks(id, QString(40, 'd'));  // typing stops at the limit
    EXPECT_EQ(id->text(), QString(32, 'd'));
    id->setText("demo");
    Button(*page, CSubLogin::kNext)->click();  // no password
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(server_.logins, 0);

    password->setText("pa&ss");
    Button(*page, CSubLogin::kNext)->click();
    EXPECT_TRUE(prompt_.Messages().back().text.contains("Password"));
    password->setText(QString(33, 'p'));  // set or pasted: whole, refused at Next
    Button(*page, CSubLogin::kNext)->click();
    EXPECT_TRUE(prompt_.Messages().back().text.contains("\"Password\" is too long"));
    EXPECT_EQ(server_.logins, 0);

    password->setText("secret");
    server_.answer.result = camera::CAM_ERR_UNAUTHORIZED;
    Button(*page, CSubLogin::kNext)->click();
    EXPECT_EQ(server_.page, camera::kDeviceLoginPage);
    EXPECT_EQ(server_.id, "demo");
    EXPECT_EQ(server_.password, "secret");
    EXPECT_TRUE(prompt_.Messages().back().text.contains("did not accept"));
    server_.answer.result = camera::CAM_ERR_CONNECT;
    Button(*page, CSubLogin::kNext)->click();
    EXPECT_TRUE(prompt_.Messages().back().text.contains("could not be reached"));
    EXPECT_TRUE(host_.posted.empty());

    // A user login that lists cameras goes on to the list; so does an empty account.
    page->Control<QComboBox>(CSubLogin::kLoginType)->setCurrentIndex(1);
    server_.answer.result = camera::CAM_OK;
    server_.answer.cameras = {Listed("a", "203.0.113.7", "8080"), Listed("b", "203.0.113.8", "80"),
                              Listed("c", "203.0.113.9", "81")};
    Button(*page, CSubLogin::kNext)->click();
    EXPECT_EQ(server_.page, camera::kUserLoginPage);
    EXPECT_EQ(host_.posted, std::vector<int>{shell::nav::kServerList});
    EXPECT_EQ(page->Cameras().size(), 3u);
}

TEST_F(PageTest, ServerListShowsTheRowsAndOpensOnlyAChosenCamera) {
    auto page = Make<CSubLinkSer>();
    page->SetCameras({Listed("a", "203.0.113.7", "8080"), Listed("b", "203.0.113.8", "80"),
                      Listed("c", "203.0.113.9", "81")});
    page->Prepare();
    auto* list = page->Control<QTreeWidget>(CSubLinkSer::kList);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(3), "Mervo-71Z");
    EXPECT_EQ(list->topLevelItem(0)->text(4), "00:0E:53:00:00:01");

    std::vector<QString> opened;
    bool browser = true;
    shell::SetWebPageOpener([&](const QString& url) {
        opened.push_back(url);
        return browser;
    });
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);  // nothing selected
    EXPECT_TRUE(opened.empty());
    list->topLevelItem(0)->setSelected(true);
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "http://203.0.113.7:8080");
    EXPECT_EQ(settings_.cameraAddress, platform::ParseDottedAddressOr("203.0.113.7", 0));
    EXPECT_TRUE(prompt_.Messages().empty());
    browser = false;  // none: the address is said instead
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_TRUE(prompt_.Messages()[0].text.endsWith("http://203.0.113.7:8080"));
    shell::SetWebPageOpener(nullptr);

    page->SetCameras({});
    page->Prepare();
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace orvanta::test
