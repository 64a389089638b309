// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 1: the camera search. The page's own discovery engine is polled once a second for at
// most three minutes per search; the user picks a camera from the list, or opens its web
// page with a double-click. A camera the search cannot reach, such as one behind a router,
// is added by its address.
#include <memory>
#include <vector>

#include "discovery/CPLipf.h"
#include "shell/CSubPage.h"

class QTreeWidgetItem;

namespace orvanta::pages {

class CSubSearchNet : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { NoCamera = 1, NoneChosen, NotAnAddress, NotRead };
    static constexpr int kCameraList = 1011;
    static constexpr int kStartSearch = 1088;
    static constexpr int kAddCamera = 1383;
    static constexpr int kNext = 1110;
    static constexpr int kExit = 1037;
    static constexpr int kListCaption = 1346;
    static constexpr int kNote = 1175;
    static constexpr int kTitle = 1237;

    static constexpr int kTimer = 1;
    static constexpr int kTickMs = 1000;
    static constexpr int kLastTick = 180;  // the search ends by itself on this tick
    // A started search asks at once and again on these ticks: a lost broadcast, or an engine
    // whose last request went out moments ago, must not leave the list empty for 30 s.
    static constexpr int kRepeatTicks[] = {1, 3};
    // The answers to the request sent at once are read this long after it, not a second
    // later on the first tick.
    static constexpr int kFirstLookMs = 200;

    explicit CSubSearchNet(QWidget* parent = nullptr);

    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override;

    bool Searching() const { return searching_; }
    QString TextStartFind() const { return textStartFind_; }
    QString TextFinding() const { return textFinding_; }
    QString TextStopFinding() const { return textStopFinding_; }

private:
    void Attached() override;
    void LoadPageTexts(const QString& langPath) override;
    void OnStartStop();
    void OnTick();
    void Poll();
    void StopSearch();
    void OnDoubleClick(QTreeWidgetItem* item);
    void OnAddCamera();
    // The list: the cameras found, then those added by address that the search has not found.
    void ShowRows();
    const discovery::CameraRow* SelectedRow() const;

    std::unique_ptr<shell::DiscoveryEngine> engine_;
    std::unique_ptr<shell::PageTimer> timer_;
    std::unique_ptr<shell::PageTimer> firstLook_;  // once, kFirstLookMs after Start
    std::vector<discovery::CameraRow> found_;      // the engine's rows
    std::vector<discovery::CameraRow> added_;      // cameras added by address
    std::vector<discovery::CameraRow> rows_;       // what the list shows, in its order
    QString langPath_;
    int tickCount_ = 0;
    bool searching_ = false;
    bool busy_ = false;
    QString textStartFind_ = "Start find";
    QString textFinding_ = "Finding...";
    QString textStopFinding_ = "Stop Finding...";
};

}  // namespace orvanta::pages
