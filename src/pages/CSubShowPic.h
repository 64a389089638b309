// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 4: how to cable the camera for the chosen connection.
#include "shell/CSubPage.h"

class QLabel;

namespace orvanta::pages {

class CSubShowPic : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kBack = 1044;
    static constexpr int kNext = 1045;
    static constexpr int kNote = 1263;
    static constexpr int kDiagramGroup = 1267;

    static constexpr int kDiagramModem = 224;
    static constexpr int kDiagramRouter = 227;
    static constexpr int kDiagramWireless = 228;

    explicit CSubShowPic(QWidget* parent = nullptr);

    void Prepare() override;
    std::optional<int> Next() override { return shell::nav::kSearch; }
    std::optional<int> Back() override { return shell::nav::kChoose; }
    int DiagramId() const { return diagramId_; }

private:
    void SetDiagram(int id);

    int diagramId_ = 0;
    QLabel* diagram_ = nullptr;
};

}  // namespace orvanta::pages
