// SPDX-License-Identifier: GPL-3.0-or-later
// The wireless settings and access-point pages, each built alone.
#include <QComboBox>
#include <QLineEdit>

#include "PageFixture.h"
#include "pages/CSubAPScan.h"
#include "pages/CSubWLANAP.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;
using pages::CSubAPScan;
using pages::CSubWLANAP;

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
    psk->setText("home");
    Button(*page, CSubAPScan::kNext)->click();
    EXPECT_TRUE(prompt_.Messages().back().text.contains("Pre-shared key"));
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

TEST_F(PageTest, WirelessPageShowsAWepRecordAndStoresItsKey) {
    camera::SetFieldText(settings_.SSID, "Yard");
    settings_.ChType = 3;
    settings_.WireCh = 1;
    settings_.WireType = 0;
    settings_.WireSec = 1;
    settings_.WEPMode = 0;
    settings_.WepKeyL = 1;  // a camera that reports the list position
    settings_.WEPKeyE0 = 2;
    camera::SetFieldText(settings_.TxRate, "11M");
    camera::SetFieldText(settings_.WEPKey0, "1111111111");
    camera::SetFieldText(settings_.WEPKey2, "0123456789abcdef0123456789");
    auto page = Make<CSubWLANAP>();
    auto* channel = page->Control<QComboBox>(CSubWLANAP::kChannel);
    EXPECT_EQ(channel->currentText(), "10");
    EXPECT_TRUE(channel->isEnabled());
    EXPECT_EQ(page->Control<QComboBox>(CSubWLANAP::kTxRate)->currentText(), "11M");
    auto* key = page->Control<QLineEdit>(CSubWLANAP::kWepKey);
    EXPECT_EQ(key->text(), "0123456789abcdef0123456789");  // whole: the camera's key length
    for (int format : {1, 0})
        page->Control<QComboBox>(CSubWLANAP::kKeyFormat)->setCurrentIndex(format);
    EXPECT_EQ(key->text().size(), 26);  // nor cut by another format chosen
    EXPECT_TRUE(key->isVisible());
    EXPECT_FALSE(page->Control<QLineEdit>(CSubWLANAP::kPreSharedKey)->isVisible());
    page->Control<QComboBox>(CSubWLANAP::kDefaultKey)->setCurrentIndex(0);
    EXPECT_EQ(key->text(), "1111111111");

    key->setText("12 4");
    Button(*page, CSubWLANAP::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(host_.posted.empty());
    key->setText("a&b");
    Button(*page, CSubWLANAP::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_TRUE(prompt_.Messages()[1].text.contains("\"WEP key\""));
    key->setText("ABCDEF0123");  // a 64-bit key where 128 bits were chosen
    Button(*page, CSubWLANAP::kNext)->click();
    EXPECT_TRUE(prompt_.Messages().back().text.contains("26 hexadecimal"));
    page->Control<QComboBox>(CSubWLANAP::kKeyLength)->setCurrentIndex(0);
    Button(*page, CSubWLANAP::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kWlanIp});
    EXPECT_EQ(camera::FieldText(settings_.WEPKey0), "ABCDEF0123");
    EXPECT_EQ(camera::FieldText(settings_.WEPKey2), "0123456789abcdef0123456789");
    EXPECT_EQ(settings_.WEPKeyE0, 0);
    EXPECT_EQ(settings_.WepKeyL, 64);
    EXPECT_EQ(settings_.WireCh, 10);
    EXPECT_EQ(camera::FieldText(settings_.TxRate), "11M");
}

TEST_F(PageTest, WirelessPageInfrastructureTakesAutoAndWpaStoresTheKey) {
    settings_.ChType = 0;
    settings_.WireCh = 6;
    settings_.WireType = 0;
    settings_.WireSec = 0;
    auto page = Make<CSubWLANAP>();
    auto* channel = page->Control<QComboBox>(CSubWLANAP::kChannel);
    EXPECT_TRUE(channel->isEnabled());  // an open ad-hoc network still picks its channel
    EXPECT_EQ(channel->currentText(), "6");
    EXPECT_FALSE(page->Control<QLineEdit>(CSubWLANAP::kWepKey)->isVisible());
    auto* psk = page->Control<QLineEdit>(CSubWLANAP::kPreSharedKey);
    EXPECT_FALSE(psk->isVisible());

    page->Control<QComboBox>(CSubWLANAP::kMode)->setCurrentIndex(1);
    EXPECT_EQ(channel->currentText(), "Auto");
    EXPECT_FALSE(channel->isEnabled());
    page->Control<QComboBox>(CSubWLANAP::kSecurity)->setCurrentIndex(3);
    EXPECT_TRUE(psk->isVisible());
    auto* ssid = page->Control<QLineEdit>(CSubWLANAP::kSsid);
    psk->setText("7 chars");
    for (const QString& name : {QString("Yard=1"), QString(11, QChar(0x653E)), QString("Yard")}) {
        ssid->setText(name);  // refused: unsafe, 33 bytes; then the key: too short
        Button(*page, CSubWLANAP::kNext)->click();
    }
    ASSERT_EQ(prompt_.Messages().size(), 3u);
    for (int i : {0, 1}) EXPECT_TRUE(prompt_.Messages()[i].text.contains("Network name (SSID)"));
    EXPECT_TRUE(prompt_.Messages()[2].text.contains("Pre-shared key"));
    EXPECT_EQ(camera::FieldText(settings_.SSID), "");
    psk->setText(QString(63, 'k'));  // longer than typing takes: kept whole
    page->Control<QComboBox>(CSubWLANAP::kWpaAlgorithm)->setCurrentIndex(1);
    Button(*page, CSubWLANAP::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kWlanIp});
    EXPECT_EQ(camera::FieldText(settings_.SSID), "Yard");
    EXPECT_EQ(settings_.WireType, 1);
    EXPECT_EQ(settings_.WireCh, 0);
    EXPECT_EQ(settings_.WireSec, 3);
    EXPECT_EQ(settings_.WPAEnc, 1);
    EXPECT_EQ(camera::FieldText(settings_.WPAKey), std::string(63, 'k'));
    EXPECT_EQ(camera::FieldText(settings_.TxRate), "Auto");
}
