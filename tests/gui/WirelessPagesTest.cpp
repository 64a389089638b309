// The wireless settings and access-point pages, each built alone.
#include <QComboBox>
#include <QLineEdit>

#include "PageFixture.h"
#include "pages/CSubAPScan.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;
using pages::CSubAPScan;

namespace {
camera::AccessPoint Scanned(const char* ssid, const char* security, const char* algorithm) {
    camera::AccessPoint ap{};
    ap.channel = 6;
    ap.quality = 70;
    camera::SetFieldText(ap.ssid, ssid);
    camera::SetFieldText(ap.mode, "Infrastructure");
    camera::SetFieldText(ap.security, security);
    camera::SetFieldText(ap.algorithm, algorithm);
    return ap;
}
}  // namespace

TEST_F(PageTest, AccessPointPageTakesThePickedNetworkAndItsKey) {
    kept_.scanList = {Scanned("Guest", "None", "None"),
                      Scanned("Home WLAN", "WPA-PSK/WPA2-PSK", "TKIP")};
    settings_.apCount = 2;
    auto page = Make<CSubAPScan>();
    auto* list = page->Control<QComboBox>(CSubAPScan::kList);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), "AP 2");
    auto* psk = page->Control<QLineEdit>(CSubAPScan::kPreSharedKey);
    EXPECT_FALSE(psk->isEnabled());  // an open network needs no key

    list->setCurrentIndex(1);
    EXPECT_EQ(page->Control<QLineEdit>(CSubAPScan::kSsid)->text(), "Home WLAN");
    EXPECT_TRUE(psk->isEnabled());
    Button(*page, CSubAPScan::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);  // an empty key
    EXPECT_EQ(prompt_.Messages()[0].caption, "");
    EXPECT_TRUE(host_.posted.empty());
    psk->setText("home-secret");
    Button(*page, CSubAPScan::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kUpnp});
    EXPECT_EQ(camera::FieldText(settings_.SSID), "Home WLAN");
    EXPECT_EQ(settings_.WireSec, 3);
    EXPECT_EQ(settings_.WPAEnc, 1);
    EXPECT_EQ(settings_.WireType, 1);
    EXPECT_EQ(camera::FieldText(settings_.WPAKey), "home-secret");
}

TEST_F(PageTest, AccessPointPageWithAnEmptyScanOffersAnotherScan) {
    settings_.apCount = 0;
    prompt_.SetNextAnswer(PromptAnswer::Yes);
    auto page = Make<CSubAPScan>();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kRescan});
    EXPECT_FALSE(page->Control<QComboBox>(CSubAPScan::kList)->isEnabled());
    camera::SetFieldText(settings_.SSID, "old");
    Button(*page, CSubAPScan::kNext)->click();
    EXPECT_EQ(camera::FieldText(settings_.SSID), "");
    EXPECT_EQ(host_.posted.back(), nav::kUpnp);
}
