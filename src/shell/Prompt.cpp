// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Prompt.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>

namespace orvanta::shell {

namespace {

PromptButtonTexts& ButtonTexts() {
    static PromptButtonTexts texts;
    return texts;
}

Prompt*& Installed() {
    static Prompt* installed = nullptr;
    return installed;
}

}  // namespace

Prompt& CurrentPrompt() {
    static QtPrompt qtPrompt;
    return Installed() ? *Installed() : qtPrompt;
}

void SetPromptButtonTexts(const PromptButtonTexts& texts) {
    ButtonTexts() = texts;
}

void SetPrompt(Prompt* prompt) {
    Installed() = prompt;
}

Prompt* InstalledPrompt() {
    return Installed();
}

void ShowMessage(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon) {
    CurrentPrompt().Message(parent, text, caption, icon, PromptButtons::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon) {
    return CurrentPrompt().Message(parent, text, caption, icon, PromptButtons::YesNo) ==
           PromptAnswer::Yes;
}

bool AskYesNoDefaultNo(QWidget* parent, const QString& text, const QString& caption,
                       PromptIcon icon) {
    return CurrentPrompt().Message(parent, text, caption, icon, PromptButtons::YesNoDefaultNo) ==
           PromptAnswer::Yes;
}

bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon) {
    return CurrentPrompt().Message(parent, text, caption, icon, PromptButtons::OkCancel) ==
           PromptAnswer::Ok;
}

PromptAnswer QtPrompt::Message(QWidget* parent, const QString& text, const QString& caption,
                               PromptIcon icon, PromptButtons buttons) {
    QMessageBox box(parent);
    box.setText(text);
    // A message can be selected and copied: an address, a reason to pass on.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    // An empty caption is an empty title, not the program's name.
    box.setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    switch (icon) {
        case PromptIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case PromptIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case PromptIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case PromptIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case PromptIcon::None:
            break;
    }
    switch (buttons) {
        case PromptButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PromptButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case PromptButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case PromptButtons::YesNoDefaultNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            break;
    }
    const PromptButtonTexts& texts = ButtonTexts();
    const std::pair<QMessageBox::StandardButton, const QString*> captions[] = {
        {QMessageBox::Ok, &texts.ok},
        {QMessageBox::Cancel, &texts.cancel},
        {QMessageBox::Yes, &texts.yes},
        {QMessageBox::No, &texts.no}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* button = box.button(which); button && !caption->isEmpty())
            button->setText(*caption);
    int result = box.exec();
    switch (result) {
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Cancel:
            return PromptAnswer::Cancel;
        default:
            return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel
                       ? PromptAnswer::Ok
                       : PromptAnswer::No;
    }
}

int QtPrompt::Exec(QDialog& dialog) {
    return dialog.exec();
}

PromptAnswer ScriptedPrompt::Message(QWidget*, const QString& text, const QString& caption,
                                     PromptIcon icon, PromptButtons buttons) {
    shown_.push_back({text, caption, icon, buttons});
    PromptAnswer answer = buttons == PromptButtons::YesNo            ? PromptAnswer::Yes
                          : buttons == PromptButtons::YesNoDefaultNo ? PromptAnswer::No
                                                                     : PromptAnswer::Ok;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    return answer;
}

int ScriptedPrompt::Exec(QDialog& dialog) {
    dialogNames_.push_back(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    int result;
    if (!dialogs_.empty()) {
        DialogAction action = std::move(dialogs_.front());
        dialogs_.pop_front();
        result = action(dialog);
    } else {
        dialog.accept();
        result = dialog.result();
    }
    dialog.hide();
    return result;
}

}  // namespace orvanta::shell
