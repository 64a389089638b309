// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/CDlgLanguage.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "lang/LangText.h"
#include "lang/LanguageFiles.h"

namespace orvanta::lang {

CDlgLanguage::CDlgLanguage(QString languageFolder, QWidget* parent)
    : QDialog(parent), languageFolder_(std::move(languageFolder)) {
    setObjectName("CDlgLanguage");
    setWindowTitle("Orvanta2");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette light = palette();
    light.setColor(QPalette::Window, QColor(252, 253, 255));
    setPalette(light);
    setAutoFillBackground(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(controls::ArtworkPixmap(245, QSize(40, 40), devicePixelRatioF()));
    label_ = new QLabel(this);
    languageList_ = new QComboBox(this);
    languageList_->setObjectName(QString::number(kLanguageList));
    languageList_->setMinimumWidth(160);
    label_->setBuddy(languageList_);
    ok_ = new controls::CXButtonXP(this, controls::COddButton::kDefPushButton);
    ok_->setObjectName(QString::number(kOk));
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QString::number(kCancel));
    cancel_->hide();
    connect(ok_, &QPushButton::clicked, this, &CDlgLanguage::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    // The dialog speaks the language the list shows.
    connect(languageList_, &QComboBox::currentIndexChanged, this, [this] {
        if (!ListedCode().isEmpty())
            LoadTexts(QDir(languageFolder_).filePath(ListedCode() + ".ini"));
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(label_, 0, 1);
    grid->addWidget(languageList_, 1, 1);
    grid->addWidget(ok_, 2, 1, Qt::AlignRight);
    setMinimumSize(280, 140);
    LoadTexts(QString());
}

void CDlgLanguage::LoadTexts(const QString& langPath) {
    label_->setText(LoadTextOr(langPath, "LanguageDlg", "Label", "Language"));
    languageList_->setAccessibleName(label_->text());
    ok_->setText(LoadTextOr(langPath, "LanguageDlg", "BtnOK", "OK"));
    cancel_->setText(LoadTextOr(langPath, "LanguageDlg", "BtnCancel", "Cancel"));
    cancel_->setAccessibleName(cancel_->text());
}

void CDlgLanguage::FillList() {
    languageList_->clear();
    const std::string folder = languageFolder_.toStdString();
    std::vector<std::string> names = ListLanguageNames(folder);
    for (const std::string& name : names)
        languageList_->addItem(QString::fromStdString(LanguageDisplayName(folder, name)),
                               QString::fromStdString(name));
    int selected = languageList_->findData(currentLanguage_);
    if (currentLanguage_.isEmpty() || selected < 0) {
        std::string abbreviation = !userLanguage_.isEmpty()
                                       ? userLanguage_.toStdString()
                                       : AbbreviatedLanguageName(UserLocaleName());
        selected = PreselectLanguage(names, abbreviation);
    }
    languageList_->setCurrentIndex(selected < 0 && !names.empty() ? 0 : selected);
}

QString CDlgLanguage::ListedCode() const {
    return languageList_->currentData().toString();
}

void CDlgLanguage::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) FillList();
    QDialog::showEvent(e);
}

void CDlgLanguage::accept() {
    // Only a listed file can be chosen; with none listed there is nothing to take.
    if (ListedCode().isEmpty()) return;
    chosenName_ = ListedCode();
    QDialog::accept();
}

}  // namespace orvanta::lang
