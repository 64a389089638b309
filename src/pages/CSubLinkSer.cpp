// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubLinkSer.h"

#include <QLabel>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "controls/CXButtonXP.h"
#include "pages/PageTools.h"
#include "platform/AddressText.h"
#include "shell/Browser.h"

namespace orvanta::pages {

using namespace shell;

CSubLinkSer::CSubLinkSer(QWidget* parent) : CSubPage("CSubLinkSer", parent) {
    auto* title = MakeTitle(kTitle);
    auto* list = new QTreeWidget(this);
    list->setObjectName(ControlName(kList));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({"ID", "IP", "Port", "Model", "Mac Address"});
    const int widths[] = {120, 120, 80, 120, 120};
    for (int i = 0; i < 5; ++i) list->setColumnWidth(i, widths[i]);
    auto* content = new QVBoxLayout;
    QLabel* caption = MakeLabel(kListCaption);
    caption->setBuddy(list);
    content->addWidget(caption);
    content->addWidget(list, 1);
    auto [back, finish] = MakeBackNext(kBack, kFinish, "BtnFinish");
    BuildFrame(title, content, back, finish);

    connect(list, &QTreeWidget::itemDoubleClicked, this, &CSubLinkSer::OpenSelected);

    Bind(kTitle, "ServerPage", "TitleServer", 1024);
    Bind(kListCaption, "ServerPage", "CamList");
    BindColumns(kList, "ServerPage", {"ColID", "ColIP", "ColPort", "ColModel", "ColMAC"});
}

void CSubLinkSer::Prepare() {
    auto* list = Control<QTreeWidget>(kList);
    list->clear();
    for (const camera::ServerCamera& c : cameras_) {
        list->addTopLevelItem(
            new QTreeWidgetItem({FieldString(c.id), FieldString(c.address), FieldString(c.port),
                                 FieldString(c.modelName), FieldString(c.mac)}));
    }
}

void CSubLinkSer::OpenSelected() {
    QList<QTreeWidgetItem*> selected = Control<QTreeWidget>(kList)->selectedItems();
    if (selected.isEmpty()) return;
    const std::string address = selected.front()->text(1).toStdString();
    const QString port = selected.front()->text(2);
    settings_->cameraAddress = platform::ParseDottedAddressOr(address, 0);
    // Built from its parts, so that a listed text cannot turn into another kind of address.
    QUrl url;
    url.setScheme("http");
    url.setHost(QString::fromStdString(address));
    bool numeric = false;
    const int number = port.toInt(&numeric);
    if (numeric && number >= 1 && number <= 65535) url.setPort(number);
    if (url.isValid() && !url.host().isEmpty()) OpenCameraPage(url.toString());
}

}  // namespace orvanta::pages
