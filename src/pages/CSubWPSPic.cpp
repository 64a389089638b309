// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubWPSPic.h"

#include <QLabel>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"

namespace orvanta::pages {

using namespace shell;

CSubWPSPic::CSubWPSPic(QWidget* parent) : CSubPage("CSubWPSPic", parent) {
    auto* title = MakeTitle(kTitle);
    auto* picture = new QLabel(this);
    picture->setPixmap(
        controls::ArtworkPixmap(kPicture, QSize(DluX(200), DluY(110)), devicePixelRatioF()));
    MakeLabel(kNote3)->hide();
    auto* content = new QVBoxLayout;
    content->addWidget(picture, 0, Qt::AlignHCenter);
    content->addWidget(MakeLabel(kNote1));
    content->addWidget(MakeLabel(kNote2));
    content->addStretch(1);
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, content, back, next);

    Bind(kNote1, "WPSPicPage", "Note1");
    Bind(kNote2, "WPSPicPage", "Note2");
    Bind(kTitle, "WPSPicPage", "TitleWPS", 1024);
}

}  // namespace orvanta::pages
