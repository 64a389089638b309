// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box, question and modal dialog of the program goes through one prompt. The
// real one shows Qt boxes and runs dialogs modally; tests install a scripted one that answers
// from a queue and records what was asked, so no test ever blocks on a box.
#include <QString>
#include <deque>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace orvanta::shell {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, YesNo, OkCancel, YesNoDefaultNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer Message(QWidget* parent, const QString& text, const QString& caption,
                                 PromptIcon icon, PromptButtons buttons) = 0;
    // Runs a dialog modally; returns QDialog::Accepted or QDialog::Rejected.
    virtual int Exec(QDialog& dialog) = 0;
};

// The prompt in force; the Qt one unless another was installed.
Prompt& CurrentPrompt();
// Installs `prompt` (nullptr restores the Qt one). The caller keeps ownership.
void SetPrompt(Prompt* prompt);
// The prompt installed with SetPrompt, or nullptr for the Qt one.
Prompt* InstalledPrompt();

// Short forms for the usual boxes.
void ShowMessage(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon);
bool AskYesNo(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon);
// Enter and Escape answer No.
bool AskYesNoDefaultNo(QWidget* parent, const QString& text, const QString& caption,
                       PromptIcon icon);
bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon);

// The captions of the Qt boxes' buttons, in the user's language; an empty one keeps Qt's.
struct PromptButtonTexts {
    QString ok, cancel, yes, no;
};
void SetPromptButtonTexts(const PromptButtonTexts& texts);

class QtPrompt : public Prompt {
public:
    PromptAnswer Message(QWidget* parent, const QString& text, const QString& caption,
                         PromptIcon icon, PromptButtons buttons) override;
    int Exec(QDialog& dialog) override;
};

// Answers from a script. Unscripted messages get OK, or the default of a question (Yes
// unless it is No); unscripted dialogs are accepted
// as they open (as if OK were pressed at once).
class ScriptedPrompt : public Prompt {
public:
    struct Shown {
        QString text;
        QString caption;
        PromptIcon icon;
        PromptButtons buttons;
    };
    using DialogAction = std::function<int(QDialog&)>;

    // Installs itself; the prompt it replaced comes back when it goes.
    ScriptedPrompt() : previous_(InstalledPrompt()) { SetPrompt(this); }
    ~ScriptedPrompt() override { SetPrompt(previous_); }

    void SetNextAnswer(PromptAnswer answer) { answers_.push_back(answer); }
    // The next dialog is shown (not modally), handed to `action`, and closed with its result.
    void SetNextDialog(DialogAction action) { dialogs_.push_back(std::move(action)); }

    PromptAnswer Message(QWidget* parent, const QString& text, const QString& caption,
                         PromptIcon icon, PromptButtons buttons) override;
    int Exec(QDialog& dialog) override;

    const std::vector<Shown>& Messages() const { return shown_; }
    const std::vector<QString>& Dialogs() const { return dialogNames_; }
    void Clear() {
        shown_.clear();
        dialogNames_.clear();
    }

private:
    Prompt* previous_;
    std::deque<PromptAnswer> answers_;
    std::deque<DialogAction> dialogs_;
    std::vector<Shown> shown_;
    std::vector<QString> dialogNames_;
};

}  // namespace orvanta::shell
