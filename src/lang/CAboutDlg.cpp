// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/CAboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "controls/Artwork.h"
#include "controls/CXButtonXP.h"
#include "lang/LangText.h"

namespace orvanta::lang {

CAboutDlg::CAboutDlg(const QString& languagePath, QWidget* parent)
    : QDialog(parent), languagePath_(languagePath) {
    setObjectName("CAboutDlg");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* icon = new QLabel(this);
    icon->setPixmap(controls::ArtworkPixmap(128, QSize(48, 48), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    info1_ = new QLabel(this);
    info1_->setObjectName(QString::number(kInfo1));
    info1_->setWordWrap(true);
    info2_ = new QLabel(this);
    info2_->setObjectName(QString::number(kInfo2));
    info2_->setWordWrap(true);
    close_ = new controls::CXButtonXP(this);
    close_->setObjectName(QString::number(kClose));
    ok_ = new QPushButton(this);
    ok_->setObjectName(QString::number(kOk));
    ok_->hide();
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(icon, 0, 0, 2, 1);
    grid->addWidget(info1_, 0, 1);
    grid->addWidget(info2_, 1, 1);
    grid->addWidget(close_, 2, 1, Qt::AlignRight);
    // Never narrower than the texts need.
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumSize(420, 150);
    LoadTexts();
}

void CAboutDlg::LoadTexts() {
    info1Text_ = LoadText(languagePath_, "AboutDlg", "Info1", kLongTextChars);
    info2Text_ = LoadText(languagePath_, "AboutDlg", "Info2", kLongTextChars);
    close_->setText(LoadText(languagePath_, "AboutDlg", "BtnOK", kLongTextChars));
    ok_->setText(LoadTextOr(languagePath_, "AboutDlg", "BtnHidden", "OK"));
    setWindowTitle(LoadText(languagePath_, "AboutDlg", "DlgTitle", kLongTextChars));
    info1_->setText(info1Text_);
    info2_->setText(info2Text_);
    // Each line as wide as its text up to a limit: a line that fits is never wrapped, so no
    // word breaks where CJK text allows a break between any two characters.
    constexpr int kWidestLine = 520;
    for (QLabel* info : {info1_, info2_})
        info->setMinimumWidth(
            std::min(info->fontMetrics().horizontalAdvance(info->text()) + 4, kWidestLine));
}

}  // namespace orvanta::lang
