// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PPPoE account fields of the link-type and PPPoE pages: the user name, the password and,
// where the page asks for it twice, its confirmation.
#include <QObject>

#include "camera/record/CameraSettings.h"
#include "shell/CSubPage.h"

class QGridLayout;
class QLabel;
class QLineEdit;

namespace orvanta::pages {

class PppoeAccount : public QObject {
    Q_OBJECT
public:
    struct Ids {
        int user, password, confirm;  // confirm 0: no confirmation field
        int userLabel, passwordLabel, confirmLabel;
    };
    // `typingLimit`: the most characters the fields take by typing (see LimitTyping).
    PppoeAccount(shell::CSubPage* page, Ids ids, int typingLimit);

    QGridLayout* Layout() const { return grid_; }
    QLineEdit* User() const { return user_; }
    QLineEdit* Password() const { return password_; }
    QLineEdit* Confirm() const { return confirm_; }
    void SetEnabled(bool enabled);

    // The three record texts into the fields (the confirmation from PVP).
    void Load(const camera::CameraSettings& s);
    // PAccount, PPwd and PVP (the confirmation, or the password again without one).
    void Store(camera::CameraSettings& s) const;
    // Refuses (and says so) a field that would break the camera's request or that is too long
    // for its record text in `s`.
    bool RefuseUnfit(const camera::CameraSettings& s) const;

private:
    shell::CSubPage* page_;
    QGridLayout* grid_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLineEdit* confirm_ = nullptr;
    QLabel* labels_[3] = {};
};

}  // namespace orvanta::pages
