#include "pages/CSubSearchNet.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/CXButtonXP.h"
#include "discovery/ListedCamera.h"
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
    BindMessages("SearchPage", 2);
    auto* title = MakeTitle(kTitle, "STEP \nFind The Camera");
    auto* caption = MakeLabel(kListCaption, "Camera  List");
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
    exit->setText("Exit");
    next->setText("Next");

    auto* content = new QVBoxLayout;
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(caption, 1);
    captionRow->addWidget(start);
    content->addLayout(captionRow);
    content->addWidget(list, 3);
    content->addWidget(note, 1);
    BuildFrame(title, content, exit, next);

    Bind(kListCaption, "SearchPage", "CamList");
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
        rows_.assign(rows, rows + count);
        auto* list = Control<QTreeWidget>(kCameraList);
        list->clear();
        for (const discovery::CameraRow& row : rows_) {
            list->addTopLevelItem(
                new QTreeWidgetItem({FieldString(row.mac), FieldString(row.ip),
                                     FieldString(row.port), FieldString(row.descInterface),
                                     FieldString(row.serial), FieldString(row.streamPort)}));
        }
    }
    busy_ = false;
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
    OpenWebPage(QString("http://%1:%2").arg(FieldString(row->ip), FieldString(row->port)));
}

}  // namespace orvanta::pages
