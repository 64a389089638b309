// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 15: a new camera or an installed one, and how the new one will be connected.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubChoose : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kBack = 1213;
    static constexpr int kNext = 1214;
    static constexpr int kQuestion = 1273;
    static constexpr int kYes = 1216;
    static constexpr int kNo = 1217;
    static constexpr int kLan = 1218;
    static constexpr int kWireless = 1219;
    static constexpr int kPppoe = 1220;
    static constexpr int kNoNote = 1274;

    explicit CSubChoose(QWidget* parent = nullptr);

    // Preselects the connection from the PC's own links.
    void Prepare() override;
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kHome; }

private:
    void OnYes();
    void OnNo();
    void Select(int lan, int wireless, int pppoe);
};

}  // namespace orvanta::pages
