#include "lang/CDlgLanguage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
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
    auto* label = new QLabel("Language", this);
    languageList_ = new QComboBox(this);
    languageList_->setObjectName(QString::number(kLanguageList));
    languageList_->setEditable(true);
    languageList_->setInsertPolicy(QComboBox::NoInsert);
    languageList_->setMinimumWidth(160);
    label->setBuddy(languageList_);
    languageList_->setAccessibleName(label->text());
    languageList_->lineEdit()->setAccessibleName(label->text());
    auto* ok = new controls::CXButtonXP(this, controls::COddButton::kDefPushButton);
    ok->setObjectName(QString::number(kOk));
    ok->setText("OK");
    auto* cancel = new QPushButton(this);
    cancel->setObjectName(QString::number(kCancel));
    cancel->hide();
    connect(ok, &QPushButton::clicked, this, &CDlgLanguage::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(label, 0, 1);
    grid->addWidget(languageList_, 1, 1);
    grid->addWidget(ok, 2, 1, Qt::AlignRight);
    setMinimumSize(280, 140);
}

void CDlgLanguage::FillList() {
    languageList_->clear();
    std::vector<std::string> names = ListLanguageNames(languageFolder_.toStdString());
    for (const std::string& name : names) languageList_->addItem(QString::fromStdString(name));
    std::string abbreviation = !userLanguage_.isEmpty() ? userLanguage_.toStdString()
                                                        : AbbreviatedLanguageName(UserLocaleName());
    int selected = PreselectLanguage(names, abbreviation);
    languageList_->setCurrentIndex(selected);
    if (selected < 0) languageList_->setEditText(QString());
}

void CDlgLanguage::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) FillList();
    QDialog::showEvent(e);
}

void CDlgLanguage::accept() {
    chosenName_ = languageList_->currentText();
    QDialog::accept();
}

}  // namespace orvanta::lang
