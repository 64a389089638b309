// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wait window: one line of text above a progress bar, both driven by the main window.
#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;

namespace orvanta::shell {

class CSubWait : public QDialog {
    Q_OBJECT
public:
    static constexpr int kProgress = 1159;
    static constexpr int kText = 1160;
    static constexpr int kMaximum = 1000;

    explicit CSubWait(QWidget* owner);

    void SetRange(int low, int high);
    // Held within the range, as a progress bar does.
    void SetPosition(int position);
    int Position() const;
    // The text member and its transfer to the control.
    void SetText(const QString& text) { text_ = text; }
    void TransferText();
    QString ShownText() const;
    void UpdateNow();

private:
    QString text_;
    QLabel* label_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace orvanta::shell
