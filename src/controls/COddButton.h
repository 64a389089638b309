// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button drawn by the program that still behaves as a dialog's default or ordinary
// push button: it remembers whether it may be the default and whether it is.
#include <QPushButton>

namespace orvanta::controls {

class COddButton : public QPushButton {
    Q_OBJECT
public:
    // Button types of a template: 0 push button, 1 default push button.
    enum TemplateType { kPushButton = 0, kDefPushButton = 1 };

    explicit COddButton(QWidget* parent = nullptr, int templateType = kPushButton);

    bool CanBeDefault() const { return canBeDefault_; }
    bool IsDefault() const { return isDefault_; }
    int TemplateTypeBits() const { return templateType_; }
    // The dialog manager's set-style request: type 1 makes the button the default.
    void SetButtonType(int type);

protected:
    bool event(QEvent* e) override;

private:
    bool canBeDefault_ = false;
    bool isDefault_ = false;
    int templateType_ = kPushButton;
};

}  // namespace orvanta::controls
