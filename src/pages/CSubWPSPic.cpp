#include "pages/CSubWPSPic.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubWPSPic::CSubWPSPic(QWidget* parent) : CSubPage("CSubWPSPic", kTemplate, parent) {
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
    auto* back = MakeButton(kBack, kIconBack, CXButtonXP::kIconLeft, true);
    auto* next = MakeButton(kNext, kIconNext, CXButtonXP::kIconRight, true);
    BuildFrame(title, content, back, next);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kWizardIp); });
    connect(next, &QPushButton::clicked, this, [this] { Post(nav::kWps); });
}

void CSubWPSPic::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QLabel>(kNote1)->setText(Text(langPath, "WPSPicPage", "Note1"));
    Control<QLabel>(kNote2)->setText(Text(langPath, "WPSPicPage", "Note2"));
    Control<QLabel>(kTitle)->setText(Text(langPath, "WPSPicPage", "TitleWPS", 1024));
}

}  // namespace orvanta::pages
