#pragma once
// The language dialog: lists the language files, preselects the user's language, and keeps
// the name chosen at the last OK.
#include <QDialog>
#include <QString>

class QComboBox;

namespace orvanta::lang {

class CDlgLanguage : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLanguageList = 1345;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;  // hidden

    CDlgLanguage(QString languageFolder, QWidget* parent = nullptr);

    QString ChosenName() const { return chosenName_; }
    // The user's three-letter language name; taken from the locale unless set.
    void SetUserLanguage(const QString& abbreviation) { userLanguage_ = abbreviation; }
    QComboBox* LanguageList() const { return languageList_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FillList();

    QString chosenName_;
    QString languageFolder_;
    QString userLanguage_;
    QComboBox* languageList_ = nullptr;
};

}  // namespace orvanta::lang
