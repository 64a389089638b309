// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubSetupFinish.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "shell/Browser.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubSetupFinish::CSubSetupFinish(QWidget* parent) : CSubPage("CSubSetupFinish", parent) {
    auto* icon = new QLabel(this);
    icon->setObjectName(ControlName(kIcon));
    icon->setPixmap(controls::ArtworkPixmap(128, QSize(48, 48), devicePixelRatioF()));
    auto* grid = new QGridLayout;
    const std::tuple<int, int, const char*, const char*> rows[] = {
        {kAddressLabel, kAddress, "IP Address :", "IP"},
        {kCameraIdLabel, kCameraId, "Camera ID :", "CamID"},
        {kMacLabel, kMac, "MAC Address :", "MAC"},
        {kInterfaceLabel, kInterface, "Interface :", "Interface"},
        {kPortLabel, kPort, "Port :", "Port"},
        {kStreamPortLabel, kStreamPort, "SPort :", "SPort"}};
    for (auto [label, field, builtIn, key] : rows) {
        QLineEdit* edit = MakeEdit(field);
        edit->setReadOnly(true);
        AddRow(grid, MakeLabel(label, builtIn), edit);
        Bind(label, "SetupFinishPage", key);
    }
    grid->setColumnStretch(1, 1);
    auto* content = new QVBoxLayout;
    content->addWidget(icon, 0, Qt::AlignLeft);
    content->addLayout(grid);
    content->addWidget(MakeLabel(kLinkStatus));
    QLabel* checked = MakeLabel(kCheckSummary);
    auto* notKept = new QListWidget(this);
    notKept->setObjectName(ControlName(kCheckList));
    notKept->setWordWrap(true);
    notKept->setMaximumHeight(DluY(48));
    checked->setBuddy(notKept);
    content->addWidget(checked);
    content->addWidget(notKept);
    // Shown with the checks of a save, named after their summary.
    checked->hide();
    notKept->hide();
    content->addStretch(1);
    auto* link = MakeButton(kOpenLink, 181, CXButtonXP::kIconLeft, false, "Link");
    Bind(kOpenLink, "SetupFinishPage", "BtnLink");
    CXButtonXP* finish = MakeBackNext(0, kFinish, "BtnFinish").next;
    BuildFrame(nullptr, content, nullptr, finish, link);

    connect(link, &QPushButton::clicked, this, [this] { OpenCameraPage(WebAddress()); });
}

QString CSubSetupFinish::WebAddress() const {
    const discovery::CameraRow& row = Context().kept->foundCamera;
    return QString("http://%1:%2").arg(FieldString(row.ip), FieldString(row.port));
}

void CSubSetupFinish::Prepare() {
    const discovery::CameraRow& row = Context().kept->foundCamera;
    Control<QLineEdit>(kMac)->setText(FieldString(row.mac));
    Control<QLineEdit>(kAddress)->setText(WebAddress());
    Control<QLineEdit>(kCameraId)->setText(FieldString(row.serial));
    Control<QLineEdit>(kPort)->setText(FieldString(row.port));
    Control<QLineEdit>(kStreamPort)->setText(FieldString(row.streamPort));
    QString link = FieldString(row.descInterface);
    // The later test wins when both words occur.
    if (link.contains("wireless")) Control<QLineEdit>(kInterface)->setText("wireless");
    if (link.contains("ethernet")) Control<QLineEdit>(kInterface)->setText("ethernet");
    Control<QLabel>(kLinkStatus)
        ->setText(
            settings_->NATStat == 1
                ? LoadedText("SetupFinishPage", "Linked", "Camera is linked  with Server")
                : LoadedText("SetupFinishPage", "NotLinked", "Camera isn't linked  with Server"));
    ShowChecks();
}

void CSubSetupFinish::ShowChecks() {
    const KeptResults& kept = *Context().kept;
    const CheckReport report = DescribeChecks(kept.lastSave, kept.lastSaveWps, true, reportTexts_);
    auto* summary = Control<QLabel>(kCheckSummary);
    summary->setText(report.summary);
    summary->setVisible(!report.summary.isEmpty());
    auto* list = Control<QListWidget>(kCheckList);
    list->clear();
    list->addItems(report.items);
    list->setVisible(!report.items.isEmpty());
    NameField(list, report.summary);
}

}  // namespace orvanta::pages
