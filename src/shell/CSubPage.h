#pragma once
// What every wizard page has: the main window that receives its navigation codes, the camera
// settings record, a prepare step, a text loader, a white background, and its controls named
// by their identifiers (the identifier's number is the control's object name).
#include <QString>
#include <QWidget>

#include "camera/CameraSettings.h"
#include "shell/NavigationCodes.h"

class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
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

class CSubPage : public QWidget {
    Q_OBJECT
public:
    CSubPage(const char* className, int templateId, QWidget* parent = nullptr);

    const char* ClassName() const { return className_; }
    int TemplateId() const { return templateId_; }

    void SetHost(NavigationHost* host) { host_ = host; }
    NavigationHost* Host() const { return host_; }
    void SetSettings(camera::CameraSettings* settings) { settings_ = settings; }
    camera::CameraSettings* Settings() const { return settings_; }

    // Fills the controls from the record before the page is shown.
    virtual void Prepare() {}
    // Sets every caption and stored text from the language file.
    virtual void LoadTexts(const QString& langPath) = 0;

    // The control with identifier `id`, or nullptr.
    template <class T = QWidget>
    T* Control(int id) const {
        return findChild<T*>(ControlName(id));
    }

protected:
    void Post(int code);
    void Send(int code);
    QString Text(const QString& langPath, const char* section, const char* key,
                 int bufferChars = 260) const;

    // Control makers: each names the control by its identifier.
    controls::CXButtonXP* MakeButton(int id, int icon, int placement, bool toolbar,
                                     const QString& builtIn = QString());
    QLabel* MakeLabel(int id, const QString& builtIn = QString());
    QLabel* MakeTitle(int id, const QString& builtIn = QString());
    QRadioButton* MakeRadio(int id, const QString& builtIn = QString());
    QLineEdit* MakeEdit(int id, int maxLength = 32767);
    QLineEdit* MakeAddressEdit(int id);
    QComboBox* MakeCombo(int id, bool editable = false);
    QGroupBox* MakeGroup(int id, const QString& builtIn = QString());

    // The flat Back and Next buttons of a settings page, with their icons.
    struct BackNext {
        controls::CXButtonXP* back;
        controls::CXButtonXP* next;
    };
    BackNext MakeBackNext(int backId, int nextId);
    // `body` at the top of the page's middle, the room below it left empty.
    static QBoxLayout* TopAligned(QLayout* body);

    // The frame of a settings page: title on top, `content` in the middle, Back and Next at
    // the bottom right.
    void BuildFrame(QLabel* title, QBoxLayout* content, QAbstractButton* back,
                    QAbstractButton* next, QWidget* extraButton = nullptr);

    camera::CameraSettings* settings_ = nullptr;

private:
    const char* className_;
    int templateId_;
    NavigationHost* host_ = nullptr;
};

}  // namespace orvanta::shell
