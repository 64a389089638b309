#include "pages/CSubWPS.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "shell/Prompt.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubWPS::CSubWPS(QWidget* parent) : CSubPage("CSubWPS", kTemplate, parent) {
    auto* title = MakeTitle(kTitle);
    auto* picture = new QLabel(this);
    picture->setPixmap(
        controls::ArtworkPixmap(kPicture, QSize(DluX(120), DluY(90)), devicePixelRatioF()));
    auto* note = MakeLabel(kNote);
    auto* progress = new QProgressBar(this);
    progress->setObjectName(ControlName(kProgress));
    progress->setRange(0, 1500);
    progress->setTextVisible(false);
    progress->hide();
    auto* start = MakeButton(kStart, 243, CXButtonXP::kIconLeft, false, "WPS");
    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(note, 1);
    auto* content = new QVBoxLayout;
    content->addLayout(row);
    content->addWidget(start, 0, Qt::AlignLeft);
    content->addWidget(progress);
    content->addStretch(1);
    auto* back = MakeButton(kBack, kIconBack, CXButtonXP::kIconLeft, true);
    auto* next = MakeButton(kNext, kIconNext, CXButtonXP::kIconRight, true);
    BuildFrame(title, content, back, next);

    connect(back, &QPushButton::clicked, this, [this] { Post(nav::kWpsPic); });
    connect(next, &QPushButton::clicked, this, [this] { Post(nav::kUpnp); });
}

void CSubWPS::Prepare() {
    if (settings_->apCount != 0) return;
    Control<QProgressBar>(kProgress)->hide();
    Control<QPushButton>(kStart)->setEnabled(false);
    if (AskYesNo(this, textMessages_[0], QString(), PromptIcon::Information)) Post(nav::kRescan);
}

void CSubWPS::LoadTexts(const QString& langPath) {
    Control<QPushButton>(kBack)->setText(Text(langPath, "Common", "BtnBack"));
    Control<QPushButton>(kNext)->setText(Text(langPath, "Common", "BtnNext"));
    Control<QLabel>(kNote)->setText(Text(langPath, "WPSPage", "Note", 1024));
    const char* keys[] = {"Message1", "Message2", "Message3", "Message4"};
    for (int i = 0; i < 4; ++i) textMessages_[i] = Text(langPath, "WPSPage", keys[i]);
    Control<QLabel>(kTitle)->setText(Text(langPath, "WPSPage", "TitleWPS", 1024));
}

}  // namespace orvanta::pages
