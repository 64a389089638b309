// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CSubPage.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "camera/rules/FieldValues.h"
#include "controls/CXButtonXP.h"
#include "lang/LangText.h"
#include "platform/AddressText.h"
#include "shell/Backends.h"
#include "shell/Browser.h"
#include "shell/Prompt.h"

namespace orvanta::shell {

CSubPage::CSubPage(const char* className, QWidget* parent)
    : QWidget(parent), className_(className) {
    setObjectName(className);
    setFixedSize(kPageWidth, kPageHeight);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    // The main window's light-blue static colour is its own; page texts stay black. A control
    // out of use looks so: grey text on a grey field.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        white.setColor(group, QPalette::Base, Qt::white);
        white.setColor(group, QPalette::WindowText, Qt::black);
    }
    white.setColor(QPalette::Disabled, QPalette::Base, QColor(240, 240, 240));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        white.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    setPalette(white);
    setAutoFillBackground(true);
    hide();
}

void CSubPage::Attach(const PageContext& context) {
    context_ = context;
    settings_ = context.settings;
    // A field's label greys with it.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (QWidget* field = label->buddy()) {
            field->installEventFilter(this);
            label->setEnabled(field->isEnabled());
        }
    }
    Attached();
}

bool CSubPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        for (QLabel* label : findChildren<QLabel*>())
            if (label->buddy() == watched) label->setEnabled(label->buddy()->isEnabled());
    }
    return QWidget::eventFilter(watched, event);
}

QString AccessibleText(const QString& labelText) {
    QString name = labelText;
    name.remove('&');
    name = name.simplified();
    while (name.endsWith(':') || name.endsWith(QChar(0xFF1A))) name.chop(1);
    return name.trimmed();
}

namespace {

QString CaptionOf(const QWidget* control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    return {};
}

}  // namespace

void CSubPage::LoadTexts(const QString& langPath) {
    langPath_ = langPath;
    for (const Binding& b : bindings_) {
        QString text = lang::LoadTextOr(langPath, b.section, b.key, b.builtIn, b.bufferChars);
        QWidget* control = Control(b.id);
        if (auto* list = qobject_cast<QTreeWidget*>(control); list && b.column >= 0)
            list->headerItem()->setText(b.column, text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            group->setTitle(text.trimmed());
    }
    const char* refusalKeys[] = {"UnsafeValue",        "AddressInvalid",     "HostAddressInvalid",
                                 "MaskInvalid",        "DateInvalid",        "TimeInvalid",
                                 "ValueTooLong",       "SsidInvalid",        "WepKeyHexInvalid",
                                 "WepKeyAsciiInvalid", "PreSharedKeyInvalid"};
    static_assert(std::size(refusalKeys) == static_cast<size_t>(Refusal::kCount));
    for (size_t i = 0; i < std::size(refusalKeys); ++i)
        refusalTexts_[i] = Text(langPath, "Common", refusalKeys[i], 1024);
    const char* addressTestKeys[] = {"AddressInUse",        "AddressFree",
                                     "AddressInUseAsk",     "AddressTestNotAllowed",
                                     "AddressTestNoSource", "AddressTestFailed"};
    for (int i = 0; i < 6; ++i)
        addressTestTexts_[i] = Text(langPath, "Common", addressTestKeys[i], 1024);
    noBrowserText_ = Text(langPath, "Common", "NoBrowser", 1024);
    for (size_t i = 0; i < messages_.size(); ++i) {
        const std::string key = "Message" + std::to_string(i + 1);
        messages_[i] = Text(langPath, messageSection_, key.c_str(), messageChars_);
    }
    LoadPageTexts(langPath);
    // A screen reader names a field by its label; lists and trees do not look for it.
    for (QLabel* label : findChildren<QLabel*>())
        if (QWidget* field = label->buddy()) NameField(field, label->text());
}

namespace {

constexpr char kTypingLimit[] = "typingLimit";

// Lets a key or an input-method commit through only while the text stays within the field's
// limit; what the program sets and what is pasted are not typing.
class TypingLimit : public QObject {
public:
    explicit TypingLimit(QLineEdit* edit) : QObject(edit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        QString typed;
        if (event->type() == QEvent::KeyPress) {
            typed = static_cast<QKeyEvent*>(event)->text();
            // Editing keys and shortcuts (Ctrl+V among them) carry no printable text.
            if (typed.isEmpty() || !typed.at(0).isPrint()) return false;
        } else if (event->type() == QEvent::InputMethod) {
            typed = static_cast<QInputMethodEvent*>(event)->commitString();
        }
        if (typed.isEmpty()) return false;
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (auto* combo = qobject_cast<QComboBox*>(watched)) edit = combo->lineEdit();
        const int limit = edit ? edit->property(kTypingLimit).toInt() : 0;
        if (limit <= 0) return false;
        const qsizetype kept = edit->text().size() - edit->selectedText().size();
        return kept + typed.size() > limit;
    }
};

}  // namespace

void LimitTyping(QLineEdit* edit, int limit) {
    if (!edit->property(kTypingLimit).isValid()) {
        auto* filter = new TypingLimit(edit);
        edit->installEventFilter(filter);
        // An editable list hands its keys to its text field directly, past the field's filters.
        if (auto* combo = qobject_cast<QComboBox*>(edit->parentWidget());
            combo && combo->lineEdit() == edit)
            combo->installEventFilter(filter);
    }
    edit->setProperty(kTypingLimit, limit);
}

void NameField(QWidget* field, const QString& labelText) {
    const QString name = AccessibleText(labelText);
    field->setAccessibleName(name);
    // An editable drop-down's text field is a control of its own to a screen reader.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void CSubPage::Refuse(Refusal why, const QString& fieldLabel, int count) {
    QString text = refusalTexts_[static_cast<int>(why)].arg(AccessibleText(fieldLabel));
    if (count >= 0) text = text.arg(count);
    ShowMessage(this, text, "Orvanta2", PromptIcon::Warning);
}

QByteArray FieldBytes(const QLineEdit* edit) {
    return edit->text().toUtf8();
}

bool CSubPage::RefuseUnsafe(const QLineEdit* edit, const QLabel* label) {
    // The bytes as sent, a NUL among them too.
    const QByteArray bytes = FieldBytes(edit);
    const std::string_view sent(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (camera::FindRequestBreaker(sent) == std::string_view::npos) return false;
    Refuse(Refusal::Unsafe, label ? label->text() : QString());
    return true;
}

bool CSubPage::TestAddress(uint32_t address, bool forNext) {
    enum { kInUse, kFree, kInUseAsk, kNotAllowed, kNoSource, kFailed };
    const QString* texts = addressTestTexts_;
    const NetworkBackend::Probe probe =
        context_.network->ProbeAddress(address, settings_->pcAddress);
    switch (probe.result) {
        case localnet::ProbeResult::Free:
            if (!forNext) ShowMessage(this, texts[kFree], QString(), PromptIcon::Information);
            return true;
        case localnet::ProbeResult::InUse:
            if (forNext)
                return AskYesNoDefaultNo(
                    this,
                    texts[kInUseAsk].arg(QString::fromStdString(platform::DottedAddress(address))),
                    "Orvanta2", PromptIcon::Warning);
            ShowMessage(this, texts[kInUse], QString(), PromptIcon::Error);
            return false;
        case localnet::ProbeResult::Failed:
            break;
    }
    // Never "free" for an address that was not tested: say what stood in the way.
    const int error = -probe.error;
    QString why = texts[kFailed].arg(QString::fromLocal8Bit(std::strerror(error)));
    if (error == EPERM || error == EACCES) why = texts[kNotAllowed];
    if (error == ENETDOWN || error == EADDRNOTAVAIL || error == ENODEV) why = texts[kNoSource];
    ShowMessage(this, why, QString(), PromptIcon::Warning);
    return true;
}

bool CSubPage::RefuseUnfit(const QLineEdit* edit, const QLabel* label, int bytes, int chars) {
    if (RefuseUnsafe(edit, label)) return true;
    const QString text = edit->text();
    const qsizetype characters = text.toUcs4().size();
    const bool tooMany = chars > 0 && characters > chars;
    if (!tooMany && FieldBytes(edit).size() <= bytes) return false;
    Refuse(Refusal::TooLong, label ? label->text() : QString(), tooMany ? chars : bytes);
    return true;
}

void CSubPage::OpenCameraPage(const QString& url) {
    OpenWebPage(this, url, noBrowserText_);
}

void CSubPage::Bind(int id, const char* section, const char* key, int bufferChars) {
    bindings_.push_back({id, section, key, bufferChars, CaptionOf(Control(id)), -1});
}

void CSubPage::BindColumns(int id, const char* section, std::initializer_list<const char*> keys) {
    auto* list = Control<QTreeWidget>(id);
    int column = 0;
    for (const char* key : keys) {
        bindings_.push_back(
            {id, section, key, lang::kTextChars, list->headerItem()->text(column), column});
        ++column;
    }
}

void CSubPage::Post(int code) {
    if (context_.host) context_.host->PostNavigation(code);
}

void CSubPage::Send(int code) {
    if (context_.host) context_.host->SendNavigation(code);
}

void CSubPage::Follow(std::optional<int> code) {
    if (code) Post(*code);
}

void CSubPage::BindMessages(const char* section, int count, int bufferChars) {
    messageSection_ = section;
    messageChars_ = bufferChars;
    messages_.assign(static_cast<size_t>(count), QString());
}

QString CSubPage::MessageText(int number) const {
    const bool known = number >= 1 && static_cast<size_t>(number) <= messages_.size();
    return known ? messages_[static_cast<size_t>(number) - 1] : QString();
}

QString CSubPage::LoadedText(const char* section, const char* key, const QString& builtIn) const {
    return lang::LoadTextOr(langPath_, section, key, builtIn);
}

QString CSubPage::Text(const QString& langPath, const char* section, const char* key,
                       int bufferChars) const {
    return lang::LoadText(langPath, section, key, bufferChars);
}

controls::CXButtonXP* CSubPage::MakeButton(int id, int icon, int placement, bool toolbar,
                                           const QString& builtIn) {
    auto* button = new controls::CXButtonXP(this);
    button->setObjectName(ControlName(id));
    button->setText(builtIn);
    if (icon) button->SetIcon(icon, placement);
    button->SetToolbarStyle(toolbar);
    return button;
}

QLabel* CSubPage::MakeLabel(int id, const QString& builtIn) {
    auto* label = new QLabel(builtIn, this);
    label->setObjectName(ControlName(id));
    label->setWordWrap(true);
    return label;
}

QLabel* CSubPage::MakeTitle(int id, const QString& builtIn) {
    QLabel* title = MakeLabel(id, builtIn);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.35);
    font.setWeight(QFont::DemiBold);
    title->setFont(font);
    title->setStyleSheet("color: rgb(40, 110, 190);");
    return title;
}

QRadioButton* CSubPage::MakeRadio(int id, const QString& builtIn) {
    auto* radio = new QRadioButton(builtIn, this);
    radio->setObjectName(ControlName(id));
    return radio;
}

QLineEdit* CSubPage::MakeEdit(int id, int typingLimit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(ControlName(id));
    if (typingLimit > 0) LimitTyping(edit, typingLimit);
    return edit;
}

QLineEdit* CSubPage::MakeAddressEdit(int id) {
    QLineEdit* edit = MakeEdit(id, 15);
    // Digits and dots in the shape of an address, each number as typed: a number over 255 is
    // refused by name at Next, never silently cut to the digits that would fit.
    static const QRegularExpression address(R"(^(\d{1,3}(\.(?!$)|$)){0,4}$)");
    edit->setValidator(new QRegularExpressionValidator(address, edit));
    edit->setMaximumWidth(180);
    return edit;
}

QComboBox* CSubPage::MakeCombo(int id, bool editable) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(ControlName(id));
    combo->setEditable(editable);
    return combo;
}

QGroupBox* CSubPage::MakeGroup(int id, const QString& builtIn) {
    auto* group = new QGroupBox(builtIn, this);
    group->setObjectName(ControlName(id));
    return group;
}

CSubPage::BackNext CSubPage::MakeBackNext(int backId, int nextId, const char* nextKey) {
    // Back first: Tab follows the order in which the controls are made.
    BackNext buttons{nullptr, nullptr};
    if (backId) {
        buttons.back = MakeButton(backId, kIconBack, controls::CXButtonXP::kIconLeft, true);
        Bind(backId, "Common", "BtnBack");
        connect(buttons.back, &QPushButton::clicked, this, [this] { Follow(Back()); });
    }
    buttons.next = MakeButton(nextId, kIconNext, controls::CXButtonXP::kIconRight, true);
    Bind(nextId, "Common", nextKey);
    connect(buttons.next, &QPushButton::clicked, this, [this] { Follow(Next()); });
    return buttons;
}

QBoxLayout* CSubPage::TopAligned(QLayout* body) {
    auto* content = new QVBoxLayout;
    content->addLayout(body);
    content->addStretch(1);
    return content;
}

void CSubPage::BuildFrame(QLabel* title, QBoxLayout* content, QAbstractButton* back,
                          QAbstractButton* next, QWidget* extraButton) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(DluX(14), DluY(8), DluX(14), DluY(8));
    if (title) {
        title->setMinimumHeight(DluY(26));
        outer->addWidget(title);
    }
    if (content) outer->addLayout(content, 1);
    auto* buttons = new QHBoxLayout;
    if (extraButton) buttons->addWidget(extraButton);
    buttons->addStretch(1);
    if (back) {
        back->setMinimumWidth(DluX(60));
        buttons->addWidget(back);
    }
    if (next) {
        next->setMinimumWidth(DluX(60));
        buttons->addWidget(next);
    }
    outer->addLayout(buttons);
}

}  // namespace orvanta::shell
