#pragma once
// Page 2: the guided wizard or the manual setup, after the camera's settings were read.
#include <QDateTime>
#include <functional>

#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubOption : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTemplate = 130;
    static constexpr int kBack = 1001;
    static constexpr int kNext = 1034;
    static constexpr int kWizard = 1068;
    static constexpr int kManual = 1069;
    static constexpr int kWizardText = 1275;
    static constexpr int kManualText = 1276;

    explicit CSubOption(QWidget* parent = nullptr);

    void LoadTexts(const QString& langPath) override;
    void Prepare() override;
    // The PC clock the wizard copies into the camera; tests set a fixed one.
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

private:
    void OnNext();

    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
};

}  // namespace orvanta::pages
