// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language dialog: lists the shipped language files, each by the language's own name with
// its code, preselects the language in use (else the user's), and keeps the code chosen at the
// last OK. The list is not editable: a choice always names a file that is there.
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace orvanta::controls {
class CXButtonXP;
}

namespace orvanta::lang {

class CDlgLanguage : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLanguageList = 1345;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;  // hidden

    CDlgLanguage(QString languageFolder, QWidget* parent = nullptr);

    // The code ("DEU") of the language chosen at the last OK.
    QString ChosenName() const { return chosenName_; }
    // The user's three-letter language name; taken from the locale unless set.
    void SetUserLanguage(const QString& abbreviation) { userLanguage_ = abbreviation; }
    // The code of the language in use, preselected over the user's; empty before the first.
    void SetCurrentLanguage(const QString& code) { currentLanguage_ = code; }
    // The dialog's own texts from the language file `langPath`, English where it has none;
    // the list's choice loads them from the chosen file.
    void LoadTexts(const QString& langPath);
    QComboBox* LanguageList() const { return languageList_; }
    // The code of the entry the list shows, or "" when it shows none.
    QString ListedCode() const;

    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FillList();

    QString chosenName_;
    QString languageFolder_;
    QString userLanguage_;
    QString currentLanguage_;
    QComboBox* languageList_ = nullptr;
    QLabel* label_ = nullptr;
    controls::CXButtonXP* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace orvanta::lang
