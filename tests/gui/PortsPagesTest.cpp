// SPDX-License-Identifier: GPL-3.0-or-later
// The UPnP and ports page and the DDNS page, each built alone.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "PageFixture.h"
#include "camera/rules/DdnsProviders.h"
#include "pages/CSubDDNS.h"
#include "pages/CSubUPnP.h"

using namespace orvanta;
using namespace orvanta::test;
using namespace orvanta::shell;
using pages::CSubDDNS;
using pages::CSubUPnP;

TEST_F(PageTest, PortsAreShownStoredAndCheckedInOrder) {
    settings_.UPnPE = 1;
    settings_.HttpPort = 80;
    settings_.SPort = 8000;
    settings_.RTSPPort = 554;
    auto page = Make<CSubUPnP>();
    auto field = [&](int id) { return page->Control<QLineEdit>(id); };
    EXPECT_TRUE(page->Control<QCheckBox>(CSubUPnP::kUpnp)->isChecked());
    EXPECT_EQ(field(CSubUPnP::kStreamPort)->text(), "8000");

    // The stream port may not be the RTSP one; what was typed is kept all the same.
    field(CSubUPnP::kHttpPort)->setText("8080");
    field(CSubUPnP::kStreamPort)->setText("554");
    Button(*page, CSubUPnP::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_EQ(prompt_.Messages()[0].caption, "Orvanta2");
    EXPECT_EQ(prompt_.Messages()[0].icon, PromptIcon::Error);
    EXPECT_EQ(settings_.HttpPort, 8080);
    EXPECT_TRUE(host_.posted.empty());

    // A number that would wrap into range is never stored.
    field(CSubUPnP::kStreamPort)->setText("4294975376");
    Button(*page, CSubUPnP::kNext)->click();
    EXPECT_EQ(settings_.SPort, 554);
    EXPECT_TRUE(host_.posted.empty());

    field(CSubUPnP::kStreamPort)->setText("8000");
    page->Control<QCheckBox>(CSubUPnP::kUpnp)->setChecked(false);
    Button(*page, CSubUPnP::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kDdns});
    EXPECT_EQ(settings_.SPort, 8000);
    EXPECT_EQ(settings_.UPnPE, 0);
}

TEST_F(PageTest, DdnsListFollowsTheModelAndNextStoresTheFiveFields) {
    const auto providers = camera::DdnsProviders();
    camera::SetFieldText(settings_.ModelName, "Mervo-71Z");
    camera::SetFieldText(settings_.DDNSSrv, providers[1].stored);
    camera::SetFieldText(settings_.DDNSHost, "cam.example.net");
    settings_.DDNS = 1;
    settings_.wizardMode = 0;
    auto page = Make<CSubDDNS>();
    auto* list = page->Control<QComboBox>(CSubDDNS::kProvider);
    EXPECT_EQ(list->count(), 8);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(page->Control<QLineEdit>(CSubDDNS::kHostName)->text(), "cam.example.net");

    page->Control<QLineEdit>(CSubDDNS::kUserName)->setText("me&you");
    Button(*page, CSubDDNS::kNext)->click();
    ASSERT_EQ(prompt_.Messages().size(), 1u);
    EXPECT_TRUE(prompt_.Messages()[0].text.contains("User name"))
        << prompt_.Messages()[0].text.toStdString();

    page->Control<QLineEdit>(CSubDDNS::kUserName)->setText("me");
    list->setCurrentIndex(3);
    prompt_.SetNextAnswer(PromptAnswer::Cancel);
    Button(*page, CSubDDNS::kNext)->click();
    EXPECT_TRUE(host_.posted.empty());  // the manual road asks before saving
    EXPECT_EQ(camera::FieldText(settings_.DDNSSrv), providers[3].stored);
    EXPECT_EQ(camera::FieldText(settings_.DDNSUser), "me");
    Button(*page, CSubDDNS::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kSave});

    // Other models know the first two providers only.
    camera::SetFieldText(settings_.ModelName, "Tornel-52");
    page->Prepare();
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentIndex(), 0);
}

TEST_F(PageTest, DdnsFieldsFollowTheRecordAndTheWizardRoadGoesToTheSummary) {
    const std::string password(30, 'p');  // longer than the field takes when typed
    camera::SetFieldText(settings_.DDNSPwd, password);
    settings_.DDNS = 1;
    settings_.wizardMode = 1;
    auto page = Make<CSubDDNS>();
    auto* field = page->Control<QLineEdit>(CSubDDNS::kPassword);
    EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(field->text().toStdString(), password);
    Button(*page, CSubDDNS::kNext)->click();
    EXPECT_EQ(host_.posted, std::vector<int>{nav::kSummary});
    EXPECT_EQ(camera::FieldText(settings_.DDNSPwd), password);

    page->Control<QCheckBox>(CSubDDNS::kEnable)->click();
    EXPECT_FALSE(field->isEnabled());
    field->setText("off&unused");  // a field switched off is not looked at, nor stored
    Button(*page, CSubDDNS::kNext)->click();
    EXPECT_EQ(host_.posted.size(), 2u);
    EXPECT_EQ(camera::FieldText(settings_.DDNSPwd), password);
}
