// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 12: WPS started on the camera, with a progress bar while the camera connects.
#include <memory>

#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubWPS : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { AskRescan = 1, NotCompleted, Completed, StartFailed };
    static constexpr int kProgress = 1212;
    static constexpr int kBack = 1213;
    static constexpr int kNext = 1214;
    static constexpr int kStart = 1215;
    static constexpr int kNote = 1305;
    static constexpr int kTitle = 1354;
    static constexpr int kPicture = 216;

    // Timer 2's period, and the counter's steps: it grows by 40 a tick; the camera is asked
    // from 450 on and the run ends at 1200. The counter stands for time: 8 a second.
    static constexpr int kTickMs = 5000;
    static constexpr int kStep = 40;
    static constexpr int kFirstQuery = 450;
    static constexpr int kEnd = 1200;
    static constexpr int kCompleted = 1500;

    explicit CSubWPS(QWidget* parent = nullptr);
    void Prepare() override;
    std::optional<int> Next() override { return shell::nav::kUpnp; }
    std::optional<int> Back() override { return shell::nav::kWpsPic; }
    bool Running() const { return timer_ && timer_->Active(); }

private:
    void Attached() override;
    void StartWps();
    void OnTick();
    void Finish();
    double SecondsSinceStart() const { return counter_ * (kTickMs / 1000.0) / kStep; }

    std::unique_ptr<shell::PageTimer> timer_;
    int counter_ = 0;
};

}  // namespace orvanta::pages
