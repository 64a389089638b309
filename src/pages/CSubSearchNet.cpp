// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubSearchNet.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "camera/commands/CameraSelection.h"
#include "camera/rules/FieldValues.h"
#include "controls/CXButtonXP.h"
#include "discovery/ListedCamera.h"
#include "pages/CDlgCameraAddress.h"
#include "pages/CDlgLoginRoot.h"
#include "pages/PageTools.h"
#include "platform/AddressText.h"
#include "shell/Browser.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

namespace {

constexpr const char* kFactoryAddress = "192.168.0.98";

}  // namespace

CSubSearchNet::CSubSearchNet(QWidget* parent) : CSubPage("CSubSearchNet", parent) {
    BindMessages("SearchPage", 4);
    auto* title = MakeTitle(kTitle, "STEP \nFind The Camera");
    auto* caption = MakeLabel(kListCaption, "Camera  List");
    auto* add = MakeButton(kAddCamera, 181, CXButtonXP::kIconLeft, false, "Add by address...");
    auto* start = MakeButton(kStartSearch, 181, CXButtonXP::kIconLeft, false, textStartFind_);
    auto* list = new QTreeWidget(this);
    list->setObjectName(ControlName(kCameraList));
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHeaderLabels({"MAC", "IP", "PORT", "DESC / INTERFACE", "SERIAL NO.", "SPORT"});
    const int widths[] = {120, 120, 60, 150, 120, 60};
    for (int i = 0; i < 6; ++i) list->setColumnWidth(i, widths[i]);
    caption->setBuddy(list);
    auto* note = MakeLabel(kNote);
    auto [exit, next] = MakeBackNext(kExit, kNext);

    auto* content = new QVBoxLayout;
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(caption, 1);
    captionRow->addWidget(add);
    captionRow->addWidget(start);
    content->addLayout(captionRow);
    content->addWidget(list, 3);
    content->addWidget(note, 1);
    BuildFrame(title, content, exit, next);

    Bind(kTitle, "SearchPage", "TitleSearch", 1024);
    Bind(kListCaption, "SearchPage", "CamList");
    BindColumns(kCameraList, "SearchPage",
                {"ColMAC", "ColIP", "ColPort", "ColDescription", "ColSerial", "ColStreamPort"});
    Bind(kAddCamera, "SearchPage", "BtnAddCamera");
    connect(add, &QPushButton::clicked, this, &CSubSearchNet::OnAddCamera);
    connect(start, &QPushButton::clicked, this, &CSubSearchNet::OnStartStop);
    connect(list, &QTreeWidget::itemDoubleClicked, this, &CSubSearchNet::OnDoubleClick);
}

void CSubSearchNet::Attached() {
    if (Context().discovery) engine_ = Context().discovery->NewEngine();
    if (!Context().timers) return;
    timer_ = Context().timers->MakeTimer(this, [this] { OnTick(); });
    firstLook_ = Context().timers->MakeTimer(this, [this] {
        firstLook_->Stop();
        Poll();
    });
}

void CSubSearchNet::LoadPageTexts(const QString& langPath) {
    langPath_ = langPath;
    textStartFind_ = Text(langPath, "SearchPage", "BtnStrartFind");
    textFinding_ = Text(langPath, "SearchPage", "BtnFindingCam");
    textStopFinding_ = Text(langPath, "SearchPage", "BtnStopFind");
    Control<QPushButton>(kStartSearch)->setText(searching_ ? textFinding_ : textStartFind_);
    Control<QLabel>(kNote)->setText(Text(langPath, "SearchPage", "Note", 8072));
}

void CSubSearchNet::Prepare() {
    // The search-only road has nothing to go on to.
    bool pick = settings_->menuChoice1 != 1;
    Control<QPushButton>(kNext)->setVisible(pick);
    Control<QLabel>(kNote)->setVisible(pick);
}

void CSubSearchNet::OnStartStop() {
    if (searching_) {
        StopSearch();
        return;
    }
    tickCount_ = 0;
    // Cameras fresh from the factory answer from this subnet: make it reachable first.
    settings_->cameraAddress = platform::ParseDottedAddressOr(kFactoryAddress, 0);
    Send(nav::kEnsureSubnet);
    searching_ = true;
    busy_ = false;
    if (timer_) timer_->Start(kTickMs);
    Control<QPushButton>(kStartSearch)->setText(textFinding_);
    if (engine_) engine_->RequestCycle();
    if (firstLook_) firstLook_->Start(kFirstLookMs);
}

void CSubSearchNet::OnTick() {
    ++tickCount_;
    if (tickCount_ >= kLastTick) {
        StopSearch();
        return;
    }
    auto* start = Control<QPushButton>(kStartSearch);
    start->setText(start->text() == textFinding_ ? textStopFinding_ : textFinding_);
    if (engine_ && std::find(std::begin(kRepeatTicks), std::end(kRepeatTicks), tickCount_) !=
                       std::end(kRepeatTicks))
        engine_->RequestCycle();
    Poll();
}

void CSubSearchNet::Poll() {
    if (busy_ || !engine_) return;
    busy_ = true;
    discovery::CameraRow* rows = nullptr;
    int count = 0, capacity = 0;
    if (engine_->Query(&rows, &count, &capacity, 0) == 1 && rows) {
        // Rebuilt only on a change, so a selection survives the ticks without one.
        found_.assign(rows, rows + count);
        ShowRows();
    }
    busy_ = false;
}

namespace {
bool SameAddress(const discovery::CameraRow& a, const discovery::CameraRow& b) {
    return camera::FieldText(a.ip) == camera::FieldText(b.ip) &&
           camera::FieldText(a.port) == camera::FieldText(b.port);
}
}  // namespace

void CSubSearchNet::ShowRows() {
    rows_ = found_;
    for (const discovery::CameraRow& row : added_) {
        auto same = [&row](const discovery::CameraRow& f) { return SameAddress(f, row); };
        if (std::none_of(found_.begin(), found_.end(), same)) rows_.push_back(row);
    }
    auto* list = Control<QTreeWidget>(kCameraList);
    list->clear();
    for (const discovery::CameraRow& row : rows_) {
        list->addTopLevelItem(
            new QTreeWidgetItem({FieldString(row.mac), FieldString(row.ip), FieldString(row.port),
                                 FieldString(row.descInterface), FieldString(row.serial),
                                 FieldString(row.streamPort)}));
    }
}

void CSubSearchNet::OnAddCamera() {
    CDlgCameraAddress dialog(langPath_, this);
    if (CurrentPrompt().Exec(dialog) != QDialog::Accepted) return;
    uint32_t address = 0;
    uint16_t port = 0;
    const std::string typed = dialog.AddressEdit()->text().trimmed().toStdString();
    if (!platform::ParseAddressAndPort(typed, &address, &port) ||
        !camera::IsUsableHostAddress(address)) {
        ShowMessage(this, Message(Msg::NotAnAddress), "Orvanta2", PromptIcon::Error);
        return;
    }
    discovery::CameraRow row{};
    camera::SetFieldText(row.ip, platform::DottedAddress(address));
    camera::SetFieldText(row.port, std::to_string(port));
    // Its system page is read as the road will read it: the subnet made reachable first, the
    // password asked when the camera asks for one.
    discovery::TakeListedCamera(*settings_, row);
    Send(nav::kEnsureSubnet);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const camera::SelectResult read = Context().camera->SelectCamera(
        *settings_, [this](std::string& user, std::string& password) {
            QApplication::restoreOverrideCursor();
            AskAdministratorPassword(langPath_, this, user, password);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return true;
        });
    QApplication::restoreOverrideCursor();
    if (read.code != camera::CAM_OK) {
        ShowMessage(this, Message(Msg::NotRead), "Orvanta2", PromptIcon::Error);
        return;
    }
    camera::SetFieldText(row.descInterface, camera::FieldText(settings_->ModelName));
    std::erase_if(added_, [&row](const discovery::CameraRow& a) { return SameAddress(a, row); });
    added_.push_back(row);
    ShowRows();
    auto* list = Control<QTreeWidget>(kCameraList);
    for (size_t i = 0; i < rows_.size(); ++i)
        if (SameAddress(rows_[i], row))
            list->setCurrentItem(list->topLevelItem(static_cast<int>(i)));
}

void CSubSearchNet::StopSearch() {
    if (timer_) timer_->Stop();
    if (firstLook_) firstLook_->Stop();
    searching_ = false;
    Control<QPushButton>(kStartSearch)->setText(textStartFind_);
}

const discovery::CameraRow* CSubSearchNet::SelectedRow() const {
    auto* list = Control<QTreeWidget>(kCameraList);
    QList<QTreeWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) return nullptr;
    int index = list->indexOfTopLevelItem(selected.front());
    return index >= 0 && index < static_cast<int>(rows_.size()) ? &rows_[static_cast<size_t>(index)]
                                                                : nullptr;
}

std::optional<int> CSubSearchNet::Next() {
    StopSearch();
    if (Control<QTreeWidget>(kCameraList)->topLevelItemCount() == 0) {
        ShowMessage(this, Message(Msg::NoCamera), "Orvanta2", PromptIcon::Error);
        return std::nullopt;
    }
    const discovery::CameraRow* row = SelectedRow();
    if (!row) {
        ShowMessage(this, Message(Msg::NoneChosen), "Orvanta2", PromptIcon::Information);
        return std::nullopt;
    }
    discovery::TakeListedCamera(*settings_, *row);
    if (settings_->menuChoice2 == 1) return nav::kReadSettings;
    return std::nullopt;
}

std::optional<int> CSubSearchNet::Back() {
    StopSearch();
    const camera::CameraSettings& s = *settings_;
    if (s.menuChoice1 == 1) return nav::kHome;
    if (s.menuChoice2 == 1) return s.newCameraSetup == 1 ? nav::kShowPic : nav::kChoose;
    return std::nullopt;
}

void CSubSearchNet::OnDoubleClick(QTreeWidgetItem*) {
    const discovery::CameraRow* row = SelectedRow();
    if (!row) return;
    settings_->cameraAddress = platform::ParseDottedAddressOr(camera::FieldText(row->ip), 0);
    Send(nav::kEnsureSubnet);
    OpenCameraPage(QString("http://%1:%2").arg(FieldString(row->ip), FieldString(row->port)));
}

}  // namespace orvanta::pages
