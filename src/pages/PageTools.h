// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <string>
#include <string_view>

#include "camera/record/CameraSettings.h"
#include "camera/record/Utf8Text.h"

namespace orvanta::pages {

// A record text on screen: UTF-8 as it is, any other byte as the Latin-1 character it would be.
template <size_t N>
QString FieldString(const char (&field)[N]) {
    return QString::fromStdString(camera::Utf8Text(camera::FieldText(field)));
}

// What was typed, into a record text as UTF-8. Next has refused a text too long for the
// field (RefuseUnfit), so nothing is cut here. The record's own text, shown and left as it
// was, keeps its bytes, also those that are not UTF-8.
template <size_t N>
void SetFieldString(char (&field)[N], const QString& text) {
    if (text == FieldString(field)) return;
    const QByteArray bytes = text.toUtf8();
    camera::SetFieldText(field,
                         std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

// The bytes SetFieldString would store.
template <size_t N>
std::string StoredBytes(const char (&field)[N], const QString& text) {
    if (text == FieldString(field)) return std::string(camera::FieldText(field));
    return text.toUtf8().toStdString();
}

}  // namespace orvanta::pages
