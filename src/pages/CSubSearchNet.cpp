#include "pages/CSubSearchNet.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubSearchNet::CSubSearchNet(QWidget* parent) : CSubPage("CSubSearchNet", kTemplate, parent) {
    auto* title = MakeTitle(kTitle, "STEP \nFind The Camera");
    auto* caption = MakeLabel(kListCaption, "Camera  List");
    auto* list = new QTreeWidget(this);
    list->setObjectName(ControlName(kCameraList));
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHeaderLabels({"MAC", "IP", "PORT", "DESC / INTERFACE", "SERIAL NO.", "SPORT"});
    const int widths[] = {120, 120, 60, 150, 120, 60};
    for (int i = 0; i < 6; ++i) list->setColumnWidth(i, widths[i]);
    auto* note = MakeLabel(kNote);
    auto* start = MakeButton(kStartSearch, 181, CXButtonXP::kIconLeft, false, textStartFind_);
    auto* exit = MakeButton(kExit, kIconBack, CXButtonXP::kIconLeft, true, "Exit");
    auto* next = MakeButton(kNext, kIconNext, CXButtonXP::kIconRight, true, "Next");

    auto* content = new QVBoxLayout;
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(caption, 1);
    captionRow->addWidget(start);
    content->addLayout(captionRow);
    content->addWidget(list, 3);
    content->addWidget(note, 1);
    BuildFrame(title, content, exit, next);

    connect(exit, &QPushButton::clicked, this, &CSubSearchNet::OnExit);
    connect(next, &QPushButton::clicked, this, &CSubSearchNet::OnNext);
}

void CSubSearchNet::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kExit)->setText(Text(langPath, "Common", "BtnBack"));
    textNext_ = Text(langPath, "Common", "BtnNext");
    Control<QPushButton>(kNext)->setText(textNext_);
    textStartFind_ = Text(langPath, "SearchPage", "BtnStrartFind");
    textFinding_ = Text(langPath, "SearchPage", "BtnFindingCam");
    textStopFinding_ = Text(langPath, "SearchPage", "BtnStopFind");
    Control<QPushButton>(kStartSearch)->setText(textStartFind_);
    textNote_ = Text(langPath, "SearchPage", "Note", 8072);
    Control<QLabel>(kNote)->setText(textNote_);
    Control<QLabel>(kListCaption)->setText(Text(langPath, "SearchPage", "CamList"));
    textMessage1_ = Text(langPath, "SearchPage", "Message1");
    textMessage2_ = Text(langPath, "SearchPage", "Message2");
}

void CSubSearchNet::Prepare() {
    // The search-only road has nothing to go on to.
    Control<QPushButton>(kNext)->setVisible(settings_->menuChoice1 != 1);
}

void CSubSearchNet::OnExit() {
    const camera::CameraSettings& s = *settings_;
    if (s.menuChoice1 == 1)
        Post(nav::kHome);
    else if (s.menuChoice2 == 1)
        Post(s.newCameraSetup == 1 ? nav::kShowPic : nav::kChoose);
}

void CSubSearchNet::OnNext() {
    auto* list = Control<QTreeWidget>(kCameraList);
    if (settings_->menuChoice2 == 1 && list->currentItem()) Post(nav::kReadSettings);
}

}  // namespace orvanta::pages
