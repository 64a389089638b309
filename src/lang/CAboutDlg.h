// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about box: the program icon, two lines of product information and a Close button, all
// texts from the language file.
#include <QDialog>

class QLabel;
class QPushButton;

namespace orvanta::controls {
class CXButtonXP;
}

namespace orvanta::lang {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kInfo1 = 1371;
    static constexpr int kInfo2 = 1372;
    static constexpr int kClose = 1373;
    static constexpr int kOk = 1;  // hidden

    explicit CAboutDlg(const QString& languagePath, QWidget* parent = nullptr);

private:
    void LoadTexts();

    QString info1Text_;
    QString info2Text_;
    QString languagePath_;
    QLabel* info1_ = nullptr;
    QLabel* info2_ = nullptr;
    controls::CXButtonXP* close_ = nullptr;
    QPushButton* ok_ = nullptr;  // hidden
};

}  // namespace orvanta::lang
