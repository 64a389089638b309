#include "pages/CSubLinkSer.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubLinkSer::CSubLinkSer(QWidget* parent) : CSubPage("CSubLinkSer", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* list = new QTreeWidget(this);
    list->setObjectName(ControlName(kList));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({"ID", "IP", "Port", "Model", "Mac Address"});
    const int widths[] = {120, 120, 80, 120, 120};
    for (int i = 0; i < 5; ++i) list->setColumnWidth(i, widths[i]);
    auto* content = new QVBoxLayout;
    content->addWidget(MakeLabel(kListCaption));
    content->addWidget(list, 1);
    auto* back = MakeButton(kBack, kIconBack, CXButtonXP::kIconLeft, true);
    auto* finish = MakeButton(kFinish, kIconNext, CXButtonXP::kIconRight, true);
    BuildFrame(title, content, back, finish);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kLogin); });
    connect(finish, &QPushButton::clicked, this, [this] { Post(nav::kHome); });
}

void CSubLinkSer::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kFinish)->setText(Text(langPath, "Common", "BtnFinish"));
    Control<QLabel>(kTitle)->setText(Text(langPath, "ServerPage", "TitleServer", 1024));
    Control<QLabel>(kListCaption)->setText(Text(langPath, "ServerPage", "CamList"));
}

}  // namespace orvanta::pages
