#pragma once
// Small helpers the pages share.
#include <QAbstractButton>
#include <QButtonGroup>

namespace orvanta::pages {

// Sets a radio button's check state, also clearing one in an exclusive group.
inline void SetChecked(QAbstractButton* button, bool checked) {
    if (!button || button->isChecked() == checked) return;
    QButtonGroup* group = button->group();
    bool exclusive = group && group->exclusive();
    if (exclusive && !checked) group->setExclusive(false);
    button->setChecked(checked);
    if (exclusive && !checked) group->setExclusive(true);
}

}  // namespace orvanta::pages

#include <QGridLayout>
#include <QLabel>
#include <QWidget>

namespace orvanta::pages {

// Appends a label and its field as the next row of a form grid; the label names the field for
// a screen reader and its mnemonic.
inline void AddRow(QGridLayout* grid, QWidget* label, QWidget* field) {
    int row = grid->rowCount();
    if (auto* text = qobject_cast<QLabel*>(label); text && field) text->setBuddy(field);
    if (label) grid->addWidget(label, row, 0);
    if (field) grid->addWidget(field, row, 1);
}

}  // namespace orvanta::pages

#include <QString>
#include <string_view>

#include "camera/record/CameraSettings.h"

namespace orvanta::pages {

// A record text on screen: one character per byte.
template <size_t N>
QString FieldString(const char (&field)[N]) {
    std::string_view text = camera::FieldText(field);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// What was typed, into a record text: one byte per character, cut to the field.
template <size_t N>
void SetFieldString(char (&field)[N], const QString& text) {
    camera::SetFieldText(field, text.toLatin1().toStdString());
}

}  // namespace orvanta::pages
