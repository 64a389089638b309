// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 18: the registration-server login.
#include <vector>

#include "camera/commands/ServerListing.h"
#include "shell/CSubPage.h"

namespace orvanta::pages {

class CSubLogin : public shell::CSubPage {
    Q_OBJECT
public:
    enum class Msg { IdOrPasswordMissing = 1, NoConnection, NoAnswer, Refused, Failed };
    static constexpr int kTitle = 1356;
    static constexpr int kNote = 1290;
    static constexpr int kLoginTypeLabel = 1291;
    static constexpr int kLoginType = 1268;
    static constexpr int kIdLabel = 1292;
    static constexpr int kId = 1019;
    static constexpr int kPasswordLabel = 1293;
    static constexpr int kPassword = 1021;
    static constexpr int kBack = 1047;
    static constexpr int kNext = 1048;
    static constexpr int kHome = 1046;  // hidden and disabled

    explicit CSubLogin(QWidget* parent = nullptr);
    std::optional<int> Next() override;
    std::optional<int> Back() override { return shell::nav::kHome; }
    // The cameras of the last login, handed to the list page with code 13.
    const std::vector<camera::ServerCamera>& Cameras() const { return cameras_; }

private:
    void LoadPageTexts(const QString& langPath) override;
    QString FailureText(int result) const;

    // Message1: empty ID or password; 2: no connection; 3: no answer; 4: refused; 5: no list.
    std::vector<camera::ServerCamera> cameras_;
};

}  // namespace orvanta::pages
