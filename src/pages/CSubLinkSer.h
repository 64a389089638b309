#pragma once
// Page 20: the cameras the registration server listed.
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubLinkSer : public shell::CSubPage {
    Q_OBJECT
public:
    static constexpr int kTemplate = 140;
    static constexpr int kTitle = 1357;
    static constexpr int kListCaption = 1347;
    static constexpr int kList = 1271;
    static constexpr int kBack = 1007;
    static constexpr int kFinish = 1000;

    explicit CSubLinkSer(QWidget* parent = nullptr);
    std::optional<int> Next() override { return shell::nav::kHome; }
    std::optional<int> Back() override { return shell::nav::kLogin; }
};

}  // namespace orvanta::pages
