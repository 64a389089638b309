// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 20: the cameras the registration server listed.
#include <vector>

#include "camera/commands/ServerListing.h"
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubLinkSer : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTitle = 1357;
    static constexpr int kListCaption = 1347;
    static constexpr int kList = 1271;
    static constexpr int kBack = 1007;
    static constexpr int kFinish = 1000;

    explicit CSubLinkSer(QWidget* parent = nullptr);
    // The login page's cameras; the prepare step shows them.
    void SetCameras(std::vector<camera::ServerCamera> cameras) { cameras_ = std::move(cameras); }
    void Prepare() override;
    std::optional<int> Next() override { return shell::nav::kHome; }
    std::optional<int> Back() override { return shell::nav::kLogin; }

private:
    void OpenSelected();

    std::vector<camera::ServerCamera> cameras_;
};

}  // namespace orvanta::pages
