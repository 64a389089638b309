// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SaveReport.h"

#include <algorithm>

#include "camera/commands/SettingsWrite.h"
#include "camera/record/Utf8Text.h"
#include "lang/LangText.h"
#include "shell/CSubPage.h"

namespace orvanta::shell {

namespace {

using camera::SaveStep;

struct Place {
    const char* section;
    const char* key;
};

// Where each written field is typed: the manual road's page, and the guided wizard's page when
// that one has a label of its own for it. Passwords and keys are not shown back.
struct FieldLabel {
    const char* field;
    Place manual;
    Place wizard;
    bool secret = false;
};

constexpr FieldLabel kFieldLabels[] = {
    {"TitleBar", {"SystemPage", "Hostname"}, {}},
    {"Desp", {"SystemPage", "Description"}, {}},
    {"DDNSSrv", {"DDNSPage", "Provider"}, {}},
    {"DDNS", {"DDNSPage", "DDNSEn"}, {}},
    {"DDNSUser", {"DDNSPage", "Username"}, {}},
    {"DDNSPwd", {"DDNSPage", "Password"}, {}, true},
    {"DDNSHost", {"DDNSPage", "Hostname"}, {}},
    {"NTPEN", {"SystemPage", "AutomaticTime"}, {}},
    {"NTPPoll", {"SystemPage", "NTPTimeUpdata"}, {}},
    {"Timezone", {"SystemPage", "NTPTimeZone"}, {}},
    {"Date", {"SystemPage", "ManualTimeData"}, {}},
    {"Time", {"SystemPage", "ManualTime"}, {}},
    {"IPType", {"LANPage", "RadioFixIP"}, {"WizardIPPage", "RadioFixIP"}},
    {"IPAddr", {"LANPage", "IP"}, {"WizardIPPage", "IP"}},
    {"Netmask", {"LANPage", "Submask"}, {"WizardIPPage", "Submask"}},
    {"Gateway", {"LANPage", "Gateway"}, {"WizardIPPage", "Gateway"}},
    {"DNS1", {"LANPage", "DNS"}, {"WizardIPPage", "DNS"}},
    {"DNS2", {"LANPage", "DNS2"}, {}},
    {"WIPType", {"WLANIPPage", "RadioFixIP"}, {"WizardIPPage", "RadioFixIP"}},
    {"WIPAddr", {"WLANIPPage", "IP"}, {"WizardIPPage", "IP"}},
    {"WNetmask", {"WLANIPPage", "Submask"}, {"WizardIPPage", "Submask"}},
    {"WGateway", {"WLANIPPage", "Gateway"}, {"WizardIPPage", "Gateway"}},
    {"WDNS1", {"WLANIPPage", "DNS"}, {"WizardIPPage", "DNS"}},
    {"WDNS2", {"WLANIPPage", "DNS2"}, {}},
    {"SSID", {"WLANAPPage", "SSID"}, {"ApscanPage", "SSID"}},
    {"WireType", {"WLANAPPage", "WirelessMode"}, {"ApscanPage", "WirelessMode"}},
    {"WireCh", {"WLANAPPage", "Channel"}, {"ApscanPage", "Channel"}},
    {"WireSec", {"WLANAPPage", "Security"}, {"ApscanPage", "Security"}},
    {"TxRate", {"WLANAPPage", "TxRate"}, {}},
    {"WepKeyL", {"WLANAPPage", "WEPKeyLength"}, {"ApscanPage", "WEPKeyLength"}},
    {"WEPAuthM", {"WLANAPPage", "WEPMode"}, {}},
    {"WEPMode", {"WLANAPPage", "WEPKeyFormat"}, {"ApscanPage", "WEPKeyFormat"}},
    {"WEPKeyE0", {"WLANAPPage", "WEPDefKey"}, {"ApscanPage", "WEPDefKey"}},
    {"WEPKey0", {"WLANAPPage", "WEPKey"}, {"ApscanPage", "WEPKey"}, true},
    {"WEPKey1", {"WLANAPPage", "WEPKey"}, {"ApscanPage", "WEPKey"}, true},
    {"WEPKey2", {"WLANAPPage", "WEPKey"}, {"ApscanPage", "WEPKey"}, true},
    {"WEPKey3", {"WLANAPPage", "WEPKey"}, {"ApscanPage", "WEPKey"}, true},
    {"WPAKey", {"WLANAPPage", "WPAKey"}, {"ApscanPage", "WPAKey"}, true},
    {"WPAEnc", {"WLANAPPage", "WPAAlgorithm"}, {"ApscanPage", "WPAAlgorithm"}},
    {"UPnPE", {"UPnPPage", "UPnPEn"}, {}},
    {"PAccount", {"LANISPPage", "UserID"}, {"PPPoEPage", "UserID"}},
    {"PPwd", {"LANISPPage", "Password"}, {"PPPoEPage", "Password"}, true},
    {"PVP", {"LANISPPage", "ConfirmPwd"}, {"PPPoEPage", "Password"}, true},
    {"HttpPort", {"UPnPPage", "HttpPort"}, {}},
    {"SPort", {"UPnPPage", "StreamPort"}, {}},
    {"RTSPPort", {"UPnPPage", "RTSP"}, {}},
};

// The system page shows this label in every language.
constexpr const char* kNtpServerLabel = "NTP Server";

bool Secret(const std::string& field) {
    const auto* end = std::end(kFieldLabels);
    const auto* row = std::find_if(std::begin(kFieldLabels), end,
                                   [&](const FieldLabel& l) { return field == l.field; });
    return row != end && row->secret;
}

QString Bullets(const QString& heading, const QStringList& items) {
    QString text = heading;
    for (const QString& item : items) text += "\n\u2022 " + item;
    return text;
}

// Record texts and camera answers as the pages show them (see Utf8Text).
QString CameraText(const std::string& text) {
    return QString::fromStdString(camera::Utf8Text(text));
}

QString Page(const SaveReportTexts& texts, SaveStep step) {
    return texts.pages[static_cast<size_t>(step)];
}

}  // namespace

void SaveReportTexts::Load(const QString& langPath) {
    auto text = [&](const char* key) {
        return lang::LoadText(langPath, "SaveReport", key, lang::kLongTextChars);
    };
    allConfirmed = text("AllConfirmed");
    confirmed = text("Confirmed");
    notConfirmed = text("NotConfirmed");
    difference = text("Difference");
    hiddenDifference = text("HiddenDifference");
    notReadBack = text("NotReadBack");
    taken = text("Taken");
    notTaken = text("NotTaken");
    unsafe = text("Unsafe");
    const char* pageKeys[] = {"PageSystem", "PageDdns", "PageTime", "PageNetwork"};
    for (size_t i = 0; i < pages.size(); ++i) pages[i] = text(pageKeys[i]);
    labels.clear();
    wizardLabels.clear();
    for (const FieldLabel& l : kFieldLabels) {
        labels[l.field] = AccessibleText(lang::LoadText(langPath, l.manual.section, l.manual.key));
        if (l.wizard.section)
            wizardLabels[l.field] =
                AccessibleText(lang::LoadText(langPath, l.wizard.section, l.wizard.key));
    }
    labels["NTPName"] = kNtpServerLabel;
}

QString SaveReportTexts::Label(const std::string& field, bool wizardRoad) const {
    if (wizardRoad) {
        if (auto it = wizardLabels.find(field); it != wizardLabels.end()) return it->second;
    }
    auto it = labels.find(field);
    // A field no page types is named as the record names it.
    return it != labels.end() ? it->second : QString::fromStdString(field);
}

CheckReport DescribeChecks(const workflow::SaveOutcome& outcome, bool useWps, bool wizardRoad,
                           const SaveReportTexts& texts) {
    CheckReport report;
    if (outcome.checks.empty()) return report;
    QStringList readBack;
    for (const workflow::PageCheck& check : outcome.checks) {
        const QString page = Page(texts, check.page);
        if (check.read != camera::CAM_OK) {
            report.items << texts.notReadBack.arg(page);
            continue;
        }
        readBack << page;
        for (const workflow::FieldDifference& d : check.differences) {
            const QString label = texts.Label(d.field, wizardRoad);
            report.items << (Secret(d.field)
                                 ? texts.hiddenDifference.arg(page, label)
                                 : texts.difference.arg(page, label, CameraText(d.written),
                                                        CameraText(d.reported)));
        }
    }
    const bool everyPage = std::all_of(
        std::begin(camera::kSaveSteps), std::end(camera::kSaveSteps), [&](SaveStep step) {
            return !camera::StepWrites(step, useWps) ||
                   std::any_of(outcome.checks.begin(), outcome.checks.end(),
                               [step](const workflow::PageCheck& c) { return c.page == step; });
        });
    if (!report.items.isEmpty())
        report.summary = texts.notConfirmed;
    else if (everyPage)
        report.summary = texts.allConfirmed;
    else
        report.summary = Bullets(texts.confirmed, readBack);
    return report;
}

QString CheckReportText(const CheckReport& report) {
    return report.items.isEmpty() ? report.summary : Bullets(report.summary, report.items);
}

QString DescribeUnsafe(const workflow::SaveOutcome& outcome, bool wizardRoad,
                       const SaveReportTexts& texts) {
    if (outcome.code != camera::CAM_ERR_UNSAFE_VALUE || outcome.unsafeField.empty()) return {};
    return texts.unsafe.arg(Page(texts, outcome.stoppedAt),
                            texts.Label(outcome.unsafeField, wizardRoad));
}

QString DescribeTaken(const workflow::SaveOutcome& outcome, bool useWps,
                      const SaveReportTexts& texts) {
    QStringList taken, notTaken;
    for (SaveStep step : camera::kSaveSteps) {
        if (!camera::StepWrites(step, useWps)) continue;
        (outcome.Took(step) ? taken : notTaken) << Page(texts, step);
    }
    if (taken.isEmpty()) return {};
    QString text = Bullets(texts.taken, taken);
    if (!notTaken.isEmpty()) text += "\n" + Bullets(texts.notTaken, notTaken);
    return text;
}

}  // namespace orvanta::shell
