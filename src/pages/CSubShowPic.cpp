// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubShowPic.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"

namespace orvanta::pages {

using namespace shell;

namespace {
constexpr QSize kDiagramSize(DluX(340), DluY(165));
}

CSubShowPic::CSubShowPic(QWidget* parent) : CSubPage("CSubShowPic", parent) {
    auto* group = MakeGroup(kDiagramGroup);
    diagram_ = new QLabel(group);
    diagram_->setFixedSize(kDiagramSize);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(diagram_, 0, Qt::AlignCenter);
    auto* note = MakeLabel(kNote);
    auto [back, next] = MakeBackNext(kBack, kNext);
    auto* content = new QVBoxLayout;
    content->addWidget(group);
    content->addWidget(note, 1);
    BuildFrame(nullptr, content, back, next);

    SetDiagram(kDiagramModem);
    Bind(kNote, "ShowPicPage", "note", 1024);
}

void CSubShowPic::SetDiagram(int id) {
    diagramId_ = id;
    diagram_->setPixmap(controls::ArtworkPixmap(id, kDiagramSize, devicePixelRatioF()));
}

void CSubShowPic::Prepare() {
    if (settings_->skipAddressCheck == 1)
        SetDiagram(kDiagramModem);
    else if (settings_->useWireless == 1)
        SetDiagram(kDiagramWireless);
    else
        SetDiagram(kDiagramRouter);
}

}  // namespace orvanta::pages
