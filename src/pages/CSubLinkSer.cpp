#include "pages/CSubLinkSer.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"

namespace orvanta::pages {

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
    auto [back, finish] = MakeBackNext(kBack, kFinish, "BtnFinish");
    BuildFrame(title, content, back, finish);

    Bind(kTitle, "ServerPage", "TitleServer", 1024);
    Bind(kListCaption, "ServerPage", "CamList");
}

}  // namespace orvanta::pages
