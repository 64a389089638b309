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
    Bind(kTitle, "SystemPage", "TitleSystem", 1024);
}

std::optional<int> CSubSystem::Back() {
    return settings_->newCameraSetup == 1 ? nav::kOption : nav::kSearch;
}

}  // namespace orvanta::pages
