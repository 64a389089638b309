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
    auto [back, next] = MakeBackNext(kBack, kNext);
    BuildFrame(title, content, back, next);

    Bind(kNote, "WPSPage", "Note", 1024);
    Bind(kTitle, "WPSPage", "TitleWPS", 1024);
}

void CSubWPS::Prepare() {
    if (settings_->apCount != 0) return;
    Control<QProgressBar>(kProgress)->hide();
    Control<QPushButton>(kStart)->setEnabled(false);
    if (AskYesNo(this, textMessages_[0], QString(), PromptIcon::Information)) Post(nav::kRescan);
}

void CSubWPS::LoadPageTexts(const QString& langPath) {
    const char* keys[] = {"Message1", "Message2", "Message3", "Message4"};
    for (int i = 0; i < 4; ++i) textMessages_[i] = Text(langPath, "WPSPage", keys[i]);
}

}  // namespace orvanta::pages
