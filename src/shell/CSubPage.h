// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every wizard page has: its context (the window that takes its navigation codes, the
// record, the backends), a prepare step, Next and Back, a text loader, a white background,
// and its controls named by their identifiers (the identifier's number is the object name).
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <climits>
#include <initializer_list>
#include <optional>
#include <vector>

#include "camera/record/CameraSettings.h"
#include "camera/record/Utf8Text.h"
#include "shell/NavigationCodes.h"
#include "shell/PageContext.h"

class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace orvanta::controls {
class CXButtonXP;
}

namespace orvanta::shell {

// Dialog units of the original templates in pixels at 96 dpi (8-point dialog font).
constexpr int DluX(int units) {
    return units * 3 / 2;
}
constexpr int DluY(int units) {
    return units * 13 / 8;
}
constexpr int kPageWidth = DluX(389);
constexpr int kPageHeight = DluY(267);

// Icons of the buttons.
constexpr int kIconBack = 190;
constexpr int kIconNext = 189;

inline QString ControlName(int id) {
    return QString::number(id);
}

// A label's text as the name of its field: without mnemonic marks and the trailing colon.
QString AccessibleText(const QString& labelText);
// Names `field` for a screen reader after the label that stands before it.
void NameField(QWidget* field, const QString& labelText);

// Stops typing (keys and input-method commits) at `limit` characters, or sets the limit anew;
// 0: no limit. Unlike a maximum length it never cuts a text set in the field or pasted into
// it: a longer value read from the camera is shown whole, and Next decides about it.
void LimitTyping(QLineEdit* edit, int limit);

// A field's text as the bytes a camera record holds: UTF-8.
QByteArray FieldBytes(const QLineEdit* edit);

class CSubPage : public QWidget {
    Q_OBJECT
public:
    CSubPage(const char* className, QWidget* parent = nullptr);

    const char* ClassName() const { return className_; }

    // Handed once by the window, before the page is first shown.
    void Attach(const PageContext& context);
    const PageContext& Context() const { return context_; }
    camera::CameraSettings* Settings() const { return settings_; }

    // Fills the controls from the record before the page is shown.
    virtual void Prepare() {}
    // The code to post, or nothing: the page stays (it has said why, or the road ends here).
    virtual std::optional<int> Next() { return std::nullopt; }
    virtual std::optional<int> Back() { return std::nullopt; }

    // Every caption and stored text from the language file: the bound captions (Back and
    // Next among them), then what the page keeps itself.
    void LoadTexts(const QString& langPath);

    // The control with identifier `id`, or nullptr.
    template <class T = QWidget>
    T* Control(int id) const {
        return findChild<T*>(ControlName(id));
    }

    // Control makers: each names the control by its identifier (blocks use them too).
    controls::CXButtonXP* MakeButton(int id, int icon, int placement, bool toolbar,
                                     const QString& builtIn = QString());
    QLabel* MakeLabel(int id, const QString& builtIn = QString());
    QLabel* MakeTitle(int id, const QString& builtIn = QString());
    QRadioButton* MakeRadio(int id, const QString& builtIn = QString());
    // `typingLimit`: see LimitTyping.
    QLineEdit* MakeEdit(int id, int typingLimit = 0);
    QLineEdit* MakeAddressEdit(int id);
    QComboBox* MakeCombo(int id, bool editable = false);
    QGroupBox* MakeGroup(int id, const QString& builtIn = QString());

    // What a typed value can be refused for before it reaches the record; the message names
    // the field by its label.
    // The message of TooLong, WepKeyHex and WepKeyAscii names a number too: `count`.
    enum class Refusal {
        Unsafe,
        NotAnAddress,
        NotAHostAddress,
        NotAMask,
        NotADate,
        NotATime,
        TooLong,
        NotAnSsid,
        WepKeyHex,
        WepKeyAscii,
        NotAPreSharedKey,
        kCount
    };
    void Refuse(Refusal why, const QString& fieldLabel, int count = -1);
    // Refuses (and says so) a typed text that would change a camera request: "&", "=", "%",
    // "#" or a control character.
    bool RefuseUnsafe(const QLineEdit* edit, const QLabel* label);
    // Asks by ARP from the PC's address whether another device answers for `address`. The
    // test button says what was found; Next (`forNext`) goes on silently when it is free and
    // asks whether to use it anyway when it is not (default No). A test that cannot run says
    // why. True to go on.
    bool TestAddress(uint32_t address, bool forNext);
    // Opens a camera's web page in the browser; without one, says where the page is.
    void OpenCameraPage(const QString& url);
    // RefuseUnsafe, then refuses a text of more than `bytes` bytes of UTF-8 or, where
    // `chars` is given, more than `chars` characters: nothing is cut to fit.
    bool RefuseUnfit(const QLineEdit* edit, const QLabel* label, int bytes, int chars = 0);
    // The same for a record text of width N (N - 1 bytes). The record's own text shown
    // unchanged keeps its bytes (see SetFieldString), so it always fits.
    template <size_t N>
    bool RefuseUnfit(const QLineEdit* edit, const QLabel* label, const char (&field)[N],
                     int chars = 0) {
        const bool unchanged =
            edit->text() == QString::fromStdString(camera::Utf8Text(camera::FieldText(field)));
        return RefuseUnfit(edit, label, unchanged ? INT_MAX : static_cast<int>(N - 1), chars);
    }

    // A text of the language file the page last loaded, or `builtIn` where it lacks the key.
    QString LoadedText(const char* section, const char* key, const QString& builtIn) const;
    // The page's messages by the names of its own enum, counted from 1 as keys Message1,
    // Message2, ... of the section BindMessages gave; as last loaded.
    template <typename Name>
    QString Message(Name name) const {
        return MessageText(static_cast<int>(name));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // After Attach: pages that need timers or engines make them here.
    virtual void Attached() {}
    // The texts a page stores or sets in its own way.
    virtual void LoadPageTexts(const QString& /*langPath*/) {}

    void Post(int code);
    void Send(int code);
    QString Text(const QString& langPath, const char* section, const char* key,
                 int bufferChars = 260) const;
    // The caption (or group title) of control `id` comes from `section`/`key`; where the file
    // lacks the key, the caption the control had when bound stays.
    void Bind(int id, const char* section, const char* key, int bufferChars = 260);
    // The column headers of tree `id`, in order, the same way.
    void BindColumns(int id, const char* section, std::initializer_list<const char*> keys);
    // The page's messages are keys Message1 to Message`count` of `section`.
    void BindMessages(const char* section, int count, int bufferChars = 260);

    // The flat Back and Next buttons, with their icons and captions, wired to Back() and
    // Next(). `backId` 0: no Back button. `nextKey`: the caption's key in section Common.
    struct BackNext {
        controls::CXButtonXP* back;
        controls::CXButtonXP* next;
    };
    BackNext MakeBackNext(int backId, int nextId, const char* nextKey = "BtnNext");
    // `body` at the top of the page's middle, the room below it left empty.
    static QBoxLayout* TopAligned(QLayout* body);

    // The frame of a settings page: title on top, `content` in the middle, Back and Next at
    // the bottom right.
    void BuildFrame(QLabel* title, QBoxLayout* content, QAbstractButton* back,
                    QAbstractButton* next, QWidget* extraButton = nullptr);

    camera::CameraSettings* settings_ = nullptr;

private:
    struct Binding {
        int id;
        const char* section;
        const char* key;
        int bufferChars;
        QString builtIn;
        int column;  // of a tree's header; -1 for the control's caption
    };
    void Follow(std::optional<int> code);
    QString MessageText(int number) const;

    const char* className_;
    PageContext context_;
    QString langPath_;
    std::vector<Binding> bindings_;
    QString addressTestTexts_[6];
    QString noBrowserText_;
    QString refusalTexts_[static_cast<int>(Refusal::kCount)];
    const char* messageSection_ = nullptr;
    int messageChars_ = 260;
    std::vector<QString> messages_;
};

}  // namespace orvanta::shell
