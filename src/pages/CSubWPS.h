#pragma once
// Page 12: WPS started on the camera, with a progress bar while the camera connects.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubWPS : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTemplate = 174;
    static constexpr int kProgress = 1212;
    static constexpr int kBack = 1213;
    static constexpr int kNext = 1214;
    static constexpr int kStart = 1215;
    static constexpr int kNote = 1305;
    static constexpr int kTitle = 1354;
    static constexpr int kPicture = 216;

    explicit CSubWPS(QWidget* parent = nullptr);
    void Prepare() override;
    std::optional<int> Next() override { return shell::nav::kUpnp; }
    std::optional<int> Back() override { return shell::nav::kWpsPic; }

private:
    void LoadPageTexts(const QString& langPath) override;

    QString textMessages_[4];
};

}  // namespace orvanta::pages
