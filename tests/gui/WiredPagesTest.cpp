// SPDX-License-Identifier: GPL-3.0-or-later
// The link-type, LAN address, wireless address and system pages, each built alone.
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "PageFixture.h"
#include "pages/CSubLANIP.h"
#include "pages/CSubLANISP.h"
#include "pages/CSubSystem.h"
#include "pages/CSubWLANIP.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;
using pages::CSubLANIP;
using pages::CSubLANISP;
using pages::CSubSystem;
using pages::CSubWLANIP;

TEST_F(PageTest, LinkTypePageStoresAPppoeAccountOnlyWhenBothPasswordsMatch) {
    settings_.IPType = 1;
    auto page = Make<CSubLANISP>();
    auto edit = [&](int id) { return page->Control<QLineEdit>(id); };
    EXPECT_TRUE(page->Control<QRadioButton>(CSubLANISP::kLan)->isChecked());
    auto* label = page->Control<QLabel>(CSubLANISP::kUserLabel);
    EXPECT_FALSE(edit(CSubLANISP::kUserName)->isEnabled() || label->isEnabled());
    page->Control<QRadioButton>(CSubLANISP::kPppoe)->click();
    EXPECT_TRUE(edit(CSubLANISP::kUserName)->isEnabled() && label->isEnabled());  // greys with it
    const QString user = QString::fromUtf8("dsl \u7528\u6237 ") + QString(40, 'u');
    edit(CSubLANISP::kUserName)->setText(user);  // longer than typing takes, and UTF-8
    edit(CSubLANISP::kPassword)->setText("Secret");
    edit(CSubLANISP::kConfirm)->setText("secret");
    Button(*page, CSubLANISP::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].text, page->Message(CSubLANISP::Msg::PasswordsDiffer));
    EXPECT_EQ(settings_.IPType, 1);
    edit(CSubLANISP::kConfirm)->setText("Secret");
    Button(*page, CSubLANISP::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kUpnp});
    EXPECT_EQ(settings_.IPType, 2);
    EXPECT_EQ(camera::FieldText(settings_.PAccount), user.toStdString());
    EXPECT_EQ(camera::FieldText(settings_.PVP), "Secret");
    // Back to LAN: the camera's fixed address comes back, not a blank DHCP page.
    page->Control<QRadioButton>(CSubLANISP::kLan)->click();
    Button(*page, CSubLANISP::kNext)->click();
    EXPECT_EQ(host_.posted.back(), nav::kLanIp);
    EXPECT_EQ(settings_.IPType, 1);
}

TEST_F(PageTest, LanAddressPageShowsStoresAndAsksAboutWireless) {
    settings_.IPType = 1;
    camera::SetFieldText(settings_.IPAddr, "192.168.0.98");
    camera::SetFieldText(settings_.Netmask, "not an address");
    camera::SetFieldText(settings_.DNS2, "9.9.9.9");
    settings_.newFeatures = 1;
    settings_.WirelessCap = 1;
    auto page = Make<CSubLANIP>();
    auto field = [&](int i) { return page->Control<QLineEdit>(CSubLANIP::kAddress + i); };
    EXPECT_TRUE(page->Control<QRadioButton>(CSubLANIP::kFixed)->isChecked());
    EXPECT_EQ(field(0)->text(), "192.168.0.98");
    EXPECT_EQ(field(1)->text(), "255.255.255.255");
    EXPECT_EQ(field(3)->text(), "");  // no first DNS server: not the broadcast address

    field(2)->setText("192.168");
    Button(*page, CSubLANIP::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_TRUE(prompt_.Messages()[0].text.contains("Gateway"));

    field(1)->setText("255.255.255.0");
    field(2)->clear();
    prompt_.SetNextAnswer(PromptAnswer::Yes);
    Button(*page, CSubLANIP::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kWlanAp});
    EXPECT_EQ(settings_.useWireless, 1);
    EXPECT_EQ(camera::FieldText(settings_.Gateway), "0.0.0.0");
    EXPECT_EQ(camera::FieldText(settings_.DNS1), "0.0.0.0");
    EXPECT_EQ(camera::FieldText(settings_.DNS2), "9.9.9.9");

    // DHCP keeps the stored addresses.
    page->Control<QRadioButton>(CSubLANIP::kDhcp)->click();
    prompt_.SetNextAnswer(PromptAnswer::No);
    Button(*page, CSubLANIP::kNext)->click();
    EXPECT_EQ(settings_.IPType, 0);
    EXPECT_EQ(host_.posted.back(), nav::kUpnp);
    EXPECT_EQ(camera::FieldText(settings_.IPAddr), "192.168.0.98");

    // Opened on DHCP, the fields show the camera's addresses and are out of use until a fixed
    // address is chosen.
    page->Prepare();
    EXPECT_TRUE(page->Control<QRadioButton>(CSubLANIP::kDhcp)->isChecked());
    EXPECT_FALSE(field(0)->isEnabled());
    EXPECT_EQ(field(0)->text(), "192.168.0.98");
    page->Control<QRadioButton>(CSubLANIP::kFixed)->click();
    EXPECT_TRUE(field(0)->isEnabled());
}

TEST_F(PageTest, WirelessAddressPageEditsTheWirelessFields) {
    settings_.WIPType = 1;
    camera::SetFieldText(settings_.WIPAddr, "10.1.1.98");
    auto page = Make<CSubWLANIP>();
    auto* address = page->Control<QLineEdit>(CSubWLANIP::kAddress);
    EXPECT_TRUE(address->isEnabled());
    EXPECT_EQ(address->text(), "10.1.1.98");
    address->setText("10.1.1.99");
    Button(*page, CSubWLANIP::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kUpnp});
    EXPECT_EQ(camera::FieldText(settings_.WIPAddr), "10.1.1.99");
    EXPECT_EQ(camera::FieldText(settings_.IPAddr), "");
}

TEST_F(PageTest, SystemPageChecksTheNamesAndStoresTheClockChoice) {
    camera::SetFieldText(settings_.TitleBar, std::string(40, 'x'));
    camera::SetFieldText(settings_.Desp, "Caf\xE9");  // not UTF-8, and kept as it is
    camera::SetFieldText(settings_.Date, "2026/01/01");
    auto page = Make<CSubSystem>();
    auto* host = page->Control<QLineEdit>(CSubSystem::kHostName);
    EXPECT_EQ(host->text().size(), 40);  // shown whole, refused until shortened
    Button(*page, CSubSystem::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_TRUE(prompt_.Messages()[0].text.contains("\"Host name\" is too long"));
    host->setText("Gate&1");
    Button(*page, CSubSystem::kNext)->click();
    EXPECT_EQ(prompt_.Messages().size(), 2u);
    EXPECT_TRUE(host_.posted.empty());

    host->setText(QString(32, 'g'));
    page->Control<QComboBox>(CSubSystem::kNtpServer)->setEditText("not&used");
    // A typed clock is sent as it stands: one the camera cannot keep is refused.
    page->Control<QRadioButton>(CSubSystem::kManualTime)->click();
    page->Control<QLineEdit>(CSubSystem::kDate)->setText("2026/13/45");
    page->Control<QLineEdit>(CSubSystem::kTime)->setText("08:30:00");
    Button(*page, CSubSystem::kNext)->click();
    EXPECT_TRUE(prompt_.Messages().back().text.contains("Date"));
    EXPECT_TRUE(host_.posted.empty());

    page->Control<QRadioButton>(CSubSystem::kAutomaticTime)->click();
    page->Control<QComboBox>(CSubSystem::kTimeZone)->setCurrentIndex(12);
    page->Control<QComboBox>(CSubSystem::kUpdateInterval)->setCurrentIndex(0);
    page->Control<QComboBox>(CSubSystem::kNtpServer)->setEditText("ntp.example.net");
    Button(*page, CSubSystem::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kLanIsp});
    EXPECT_EQ(camera::FieldText(settings_.TitleBar), std::string(32, 'g'));
    EXPECT_EQ(camera::FieldText(settings_.Desp), "Caf\xE9");
    EXPECT_EQ(settings_.NTPEN, 1);
    EXPECT_EQ(settings_.Timezone, 12);
    EXPECT_EQ(settings_.NTPPoll, 0);
    EXPECT_EQ(camera::FieldText(settings_.NTPName), "ntp.example.net");
    EXPECT_EQ(camera::FieldText(settings_.Date), "2026/01/01");
    EXPECT_EQ(settings_.clockFromPc, 0);
    // The PC's clock is taken again when the save writes it.
    page->Control<QRadioButton>(CSubSystem::kSyncTime)->click();
    page->Control<QLineEdit>(CSubSystem::kDate)->setText("not used");
    Button(*page, CSubSystem::kNext)->click();
    EXPECT_EQ(settings_.clockFromPc, 1);
    EXPECT_EQ(host_.posted.size(), 2u);
}

TEST_F(PageTest, SystemPageKeepsATimeZoneOutsideTheList) {
    settings_.NTPEN = 1;
    settings_.Timezone = 40;
    auto page = Make<CSubSystem>();
    EXPECT_EQ(page->Control<QComboBox>(CSubSystem::kTimeZone)->currentIndex(), -1);
    Button(*page, CSubSystem::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kLanIsp});
    EXPECT_EQ(settings_.Timezone, 40);
}
