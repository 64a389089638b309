// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPointer>
#include <QTimer>

#include "shell/PageContext.h"

namespace orvanta::shell {

namespace {

class QtPageTimer : public PageTimer {
public:
    QtPageTimer(QObject* owner, std::function<void()> onTick, double scale)
        : timer_(new QTimer(owner)), scale_(scale) {
        QObject::connect(timer_, &QTimer::timeout, timer_, std::move(onTick));
    }
    ~QtPageTimer() override { delete timer_; }
    void Start(int periodMs) override {
        if (timer_) timer_->start(qMax(1, static_cast<int>(periodMs * scale_)));
    }
    void Stop() override {
        if (timer_) timer_->stop();
    }
    bool Active() const override { return timer_ && timer_->isActive(); }

private:
    QPointer<QTimer> timer_;  // gone with its owner
    double scale_;
};

class QtTimerSource : public TimerSource {
public:
    explicit QtTimerSource(double scale) : scale_(scale) {}
    std::unique_ptr<PageTimer> MakeTimer(QObject* owner, std::function<void()> onTick) override {
        return std::make_unique<QtPageTimer>(owner, std::move(onTick), scale_);
    }

private:
    double scale_;
};

}  // namespace

std::unique_ptr<TimerSource> QtTimers(double scale) {
    return std::make_unique<QtTimerSource>(scale);
}

}  // namespace orvanta::shell
