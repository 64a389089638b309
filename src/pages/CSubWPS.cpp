// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/CSubWPS.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "shell/Prompt.h"
#include "workflow/Wps.h"

namespace orvanta::pages {

using controls::CXButtonXP;
using namespace shell;

CSubWPS::CSubWPS(QWidget* parent) : CSubPage("CSubWPS", parent) {
    BindMessages("WPSPage", 4);
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

    connect(start, &QPushButton::clicked, this, &CSubWPS::StartWps);

    Bind(kNote, "WPSPage", "Note", 1024);
    Bind(kTitle, "WPSPage", "TitleWPS", 1024);
    Bind(kStart, "WPSPage", "BtnWPS");
}

void CSubWPS::Attached() {
    if (Context().timers) timer_ = Context().timers->MakeTimer(this, [this] { OnTick(); });
}

void CSubWPS::Prepare() {
    auto* start = Control<QPushButton>(kStart);
    if (settings_->apCount == 0) {
        Control<QProgressBar>(kProgress)->hide();
        start->setEnabled(false);
        if (AskYesNo(this, Message(Msg::AskRescan), QString(), PromptIcon::Information))
            Post(nav::kRescan);
        return;
    }
    // A scan that found access points after an empty one makes Start usable again.
    if (!Running()) start->setEnabled(true);
    if (settings_->WPS_ACK == 0 && !Running()) StartWps();
}

void CSubWPS::StartWps() {
    auto* progress = Control<QProgressBar>(kProgress);
    progress->setValue(0);
    progress->show();
    counter_ = 0;
    if (timer_) timer_->Start(kTickMs);
    for (int id : {kBack, kNext, kStart}) Control<QPushButton>(id)->setEnabled(false);
    if (Context().camera->StartWps(*settings_) != camera::CAM_OK) {
        if (timer_) timer_->Stop();
        Control<QPushButton>(kBack)->setEnabled(true);
        ShowMessage(this, Message(Msg::StartFailed), QString(), PromptIcon::Error);
    }
}

void CSubWPS::OnTick() {
    camera::CameraSettings& s = *settings_;
    auto* progress = Control<QProgressBar>(kProgress);
    counter_ += kStep;
    if (counter_ < kEnd) progress->setValue(counter_);
    if (counter_ >= kFirstQuery && counter_ < kEnd) {
        // A failed query leaves WPS and WPS_ACK as they were; the run goes on.
        Context().camera->QueryWps(s);
        if (workflow::WpsStateOf(s) == workflow::WpsState::Connected) {
            counter_ = kCompleted;
            progress->setValue(kCompleted);
        } else if (workflow::ShouldRestartWps(s, SecondsSinceStart())) {
            Context().camera->StartWps(s);  // a camera that has not begun is asked again
        }
    }
    if (counter_ >= kEnd) Finish();
}

void CSubWPS::Finish() {
    const camera::CameraSettings& s = *settings_;
    Control<QPushButton>(kBack)->setEnabled(true);
    Control<QPushButton>(kStart)->setEnabled(true);
    Control<QProgressBar>(kProgress)->hide();
    if (timer_) timer_->Stop();
    auto* next = Control<QPushButton>(kNext);
    if (s.WPS == 0 && s.WPS_ACK == 0) {
        next->setEnabled(false);
        ShowMessage(this, Message(Msg::NotCompleted), QString(), PromptIcon::Warning);
    } else if (s.WPS == 0 && s.WPS_ACK == 1) {
        next->setEnabled(true);
        ShowMessage(this, Message(Msg::Completed), QString(), PromptIcon::Information);
    }
}

}  // namespace orvanta::pages
