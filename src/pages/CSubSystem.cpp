// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubSystem.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "camera/rules/ClockChoices.h"
#include "camera/rules/FieldValues.h"
#include "controls/CXButtonXP.h"
#include "lang/LangText.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

using namespace shell;

CSubSystem::CSubSystem(QWidget* parent) : CSubPage("CSubSystem", parent) {
    auto* title = MakeTitle(kTitle);
    auto* grid = new QGridLayout;
    AddRow(grid, MakeLabel(kHostNameLabel), MakeEdit(kHostName, kNameLimit));
    AddRow(grid, MakeLabel(kDescriptionLabel), MakeEdit(kDescription, kNameLimit));
    auto* clock = new QButtonGroup(this);
    for (int id : {kKeepTime, kSyncTime, kManualTime, kAutomaticTime}) {
        QRadioButton* radio = MakeRadio(id);
        clock->addButton(radio);
        grid->addWidget(radio, grid->rowCount(), 0, 1, 2);
        if (id == kManualTime) {
            AddRow(grid, MakeLabel(kDateLabel), MakeEdit(kDate, 15));
            AddRow(grid, MakeLabel(kTimeLabel), MakeEdit(kTime, 15));
        }
    }
    QComboBox* ntp = MakeCombo(kNtpServer, true);
    LimitTyping(ntp->lineEdit(), 255);
    AddRow(grid, MakeLabel(kNtpServerLabel, "NTP Server"), ntp);
    QComboBox* zones = MakeCombo(kTimeZone);
    for (const char* zone : camera::TimeZoneEntries()) zones->addItem(QString::fromLatin1(zone));
    zones->setCurrentIndex(camera::kInitialTimeZone);
    AddRow(grid, MakeLabel(kTimeZoneLabel), zones);
    QComboBox* intervals = MakeCombo(kUpdateInterval);
    for (const std::string& entry : camera::UpdateIntervalEntries())
        intervals->addItem(QString::fromStdString(entry));
    intervals->setCurrentIndex(camera::kInitialUpdateInterval);
    AddRow(grid, MakeLabel(kIntervalLabel), intervals);
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);
    Control<QRadioButton>(kKeepTime)->setChecked(true);

    Bind(kHostNameLabel, "SystemPage", "Hostname");
    Bind(kDescriptionLabel, "SystemPage", "Description");
    Bind(kKeepTime, "SystemPage", "KeepCurrentTime");
    Bind(kSyncTime, "SystemPage", "SyncComputerTime");
    Bind(kManualTime, "SystemPage", "ManualTime");
    Bind(kTimeLabel, "SystemPage", "ManualTime");
    Bind(kDateLabel, "SystemPage", "ManualTimeData");
    Bind(kAutomaticTime, "SystemPage", "AutomaticTime");
    Bind(kTimeZoneLabel, "SystemPage", "NTPTimeZone");
    Bind(kIntervalLabel, "SystemPage", "NTPTimeUpdata");
    Bind(kNtpServerLabel, "SystemPage", "NTPServer");
    Bind(kTitle, "SystemPage", "TitleSystem", 1024);
}

void CSubSystem::LoadPageTexts(const QString& langPath) {
    // The lists' positions are the camera's numbers; only their texts follow the language.
    auto* zones = Control<QComboBox>(kTimeZone);
    for (int i = 0; i < camera::kTimeZoneCount; ++i) {
        const std::string key = "TimeZone" + std::to_string(i);
        zones->setItemText(i, lang::LoadTextOr(langPath, "SystemPage", key.c_str(),
                                               QString::fromLatin1(camera::TimeZoneEntries()[i])));
    }
    const QString hours = lang::LoadTextOr(langPath, "SystemPage", "UpdateHours", "%1 hour");
    auto* intervals = Control<QComboBox>(kUpdateInterval);
    for (int i = 0; i < intervals->count(); ++i) intervals->setItemText(i, hours.arg(i));
}

void CSubSystem::Prepare() {
    const camera::CameraSettings& s = *settings_;
    // A longer name from the camera is shown whole; Next asks for it to be shortened.
    Control<QLineEdit>(kHostName)->setText(FieldString(s.TitleBar));
    Control<QLineEdit>(kDescription)->setText(FieldString(s.Desp));
    Control<QLineEdit>(kDate)->setText(FieldString(s.Date));
    Control<QLineEdit>(kTime)->setText(FieldString(s.Time));
    if (s.NTPEN == 0) {
        Control<QRadioButton>(kKeepTime)->setChecked(true);
    } else if (s.NTPEN == 1) {
        Control<QRadioButton>(kAutomaticTime)->setChecked(true);
        // A zone outside the list shows no choice, and Next then keeps the camera's value.
        const bool known = s.Timezone >= 0 && s.Timezone < camera::kTimeZoneCount;
        Control<QComboBox>(kTimeZone)->setCurrentIndex(known ? s.Timezone : -1);
        Control<QComboBox>(kNtpServer)->setEditText(FieldString(s.NTPName));
    }
}

std::optional<int> CSubSystem::Next() {
    camera::CameraSettings& s = *settings_;
    auto* host = Control<QLineEdit>(kHostName);
    auto* description = Control<QLineEdit>(kDescription);
    if (RefuseUnfit(host, Control<QLabel>(kHostNameLabel), s.TitleBar, kNameLimit) ||
        RefuseUnfit(description, Control<QLabel>(kDescriptionLabel), s.Desp, kNameLimit))
        return std::nullopt;
    // Only the fields the chosen clock uses: a typed clock is sent as it stands and must be
    // one the camera can keep; the time server's name goes into the request.
    QLineEdit* ntp = Control<QComboBox>(kNtpServer)->lineEdit();
    if (Control<QRadioButton>(kAutomaticTime)->isChecked() &&
        RefuseUnfit(ntp, Control<QLabel>(kNtpServerLabel), s.NTPName))
        return std::nullopt;
    if (Control<QRadioButton>(kManualTime)->isChecked()) {
        if (!camera::IsCalendarDate(Control<QLineEdit>(kDate)->text().toStdString())) {
            Refuse(Refusal::NotADate, Control<QLabel>(kDateLabel)->text());
            return std::nullopt;
        }
        if (!camera::IsClockTime(Control<QLineEdit>(kTime)->text().toStdString())) {
            Refuse(Refusal::NotATime, Control<QLabel>(kTimeLabel)->text());
            return std::nullopt;
        }
    }
    SetFieldString(s.TitleBar, host->text());
    SetFieldString(s.Desp, description->text());
    s.clockFromPc = Control<QRadioButton>(kSyncTime)->isChecked() ? 1 : 0;
    if (Control<QRadioButton>(kKeepTime)->isChecked()) {
        s.NTPEN = 0;
    } else if (Control<QRadioButton>(kSyncTime)->isChecked()) {
        // Shown on the summary; the save writes the clock as it is when it writes the time.
        s.NTPEN = 0;
        QDateTime now = Context().clock();
        SetFieldString(s.Date, now.toString("yyyy/MM/dd"));
        SetFieldString(s.Time, now.toString("HH:mm:ss"));
    } else if (Control<QRadioButton>(kManualTime)->isChecked()) {
        s.NTPEN = 0;
        SetFieldString(s.Date, Control<QLineEdit>(kDate)->text());
        SetFieldString(s.Time, Control<QLineEdit>(kTime)->text());
    } else if (Control<QRadioButton>(kAutomaticTime)->isChecked()) {
        s.NTPEN = 1;
        SetFieldString(s.NTPName, ntp->text());
        if (int zone = Control<QComboBox>(kTimeZone)->currentIndex(); zone >= 0) s.Timezone = zone;
        s.NTPPoll = Control<QComboBox>(kUpdateInterval)->currentIndex();
    }
    return nav::kLanIsp;
}

std::optional<int> CSubSystem::Back() {
    return settings_->newCameraSetup == 1 ? nav::kOption : nav::kSearch;
}

}  // namespace orvanta::pages
