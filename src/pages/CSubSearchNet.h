#pragma once
// Page 1: the camera search and its list. The search itself is built on this page's controls.
#include "shell/CSubPage.h"

class QTreeWidget;

namespace orvanta::pages {

class CSubSearchNet : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTemplate = 139;
    static constexpr int kCameraList = 1011;
    static constexpr int kStartSearch = 1088;
    static constexpr int kNext = 1110;
    static constexpr int kExit = 1037;
    static constexpr int kListCaption = 1346;
    static constexpr int kNote = 1175;
    static constexpr int kTitle = 1237;

    explicit CSubSearchNet(QWidget* parent = nullptr);

    void LoadTexts(const QString& langPath) override;
    void Prepare() override;

    QString TextStartFind() const { return textStartFind_; }
    QString TextMessage1() const { return textMessage1_; }
    QString TextMessage2() const { return textMessage2_; }

private:
    void OnExit();
    void OnNext();

    QString textStartFind_ = "Start find";
    QString textFinding_ = "Finding...";
    QString textStopFinding_ = "Stop Finding...";
    QString textNext_;
    QString textNote_;
    QString textMessage1_;
    QString textMessage2_;
};

}  // namespace orvanta::pages
