#include "pages/CSubSystem.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubSystem::CSubSystem(QWidget* parent) : CSubPage("CSubSystem", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* grid = new QGridLayout;
    AddRow(grid, MakeLabel(kHostNameLabel), MakeEdit(kHostName, 63));
    AddRow(grid, MakeLabel(kDescriptionLabel), MakeEdit(kDescription, 63));
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
    AddRow(grid, MakeLabel(kNtpServerLabel, "NTP Server"), MakeCombo(kNtpServer, true));
    AddRow(grid, MakeLabel(kTimeZoneLabel), MakeCombo(kTimeZone));
    AddRow(grid, MakeLabel(kIntervalLabel), MakeCombo(kUpdateInterval));
    grid->setColumnStretch(1, 1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, TopAligned(grid), back, next);
    Control<QRadioButton>(kKeepTime)->setChecked(true);

    connect(back, &QPushButton::clicked, this,
            [this] { Post(settings_->newCameraSetup == 1 ? nav::kOption : nav::kSearch); });
    connect(next, &QPushButton::clicked, this, [this] { Post(nav::kLanIsp); });
}

void CSubSystem::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QLabel>(kHostNameLabel)->setText(Text(langPath, "SystemPage", "Hostname"));
    Control<QLabel>(kDescriptionLabel)->setText(Text(langPath, "SystemPage", "Description"));
    Control<QRadioButton>(kKeepTime)->setText(Text(langPath, "SystemPage", "KeepCurrentTime"));
    Control<QRadioButton>(kSyncTime)->setText(Text(langPath, "SystemPage", "SyncComputerTime"));
    QString manual = Text(langPath, "SystemPage", "ManualTime");
    Control<QRadioButton>(kManualTime)->setText(manual);
    Control<QLabel>(kTimeLabel)->setText(manual);
    Control<QLabel>(kDateLabel)->setText(Text(langPath, "SystemPage", "ManualTimeData"));
    Control<QRadioButton>(kAutomaticTime)->setText(Text(langPath, "SystemPage", "AutomaticTime"));
    Control<QLabel>(kTimeZoneLabel)->setText(Text(langPath, "SystemPage", "NTPTimeZone"));
    Control<QLabel>(kIntervalLabel)->setText(Text(langPath, "SystemPage", "NTPTimeUpdata"));
    Control<QLabel>(kTitle)->setText(Text(langPath, "SystemPage", "TitleSystem", 1024));
}

}  // namespace orvanta::pages
