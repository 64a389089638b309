// SPDX-License-Identifier: GPL-3.0-or-later
// Every page and dialog in every shipped language: each control a user can reach has a name a
// screen reader can say, and no text needs more room than its control has; in a marked copy of
// the English file, every text shown comes from the file. Tab walks each page in reading order
// and reaches every control, Back and Next among them.
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <map>

#include "WizardFixture.h"
#include "app/Screenshots.h"
#include "camera/rules/DdnsProviders.h"
#include "lang/CAboutDlg.h"
#include "lang/CDlgLanguage.h"
#include "pages/CDlgCameraAddress.h"
#include "pages/CDlgLoginRoot.h"
#include "shell/CSubPage.h"

using namespace orvanta;
using namespace orvanta::test;

namespace {

QStringList ShippedLanguages() {
    return QDir(ORVANTA_SOURCE_DIR "/resources/Language").entryList({"*.ini"}, QDir::Files);
}

bool Reachable(const QWidget* w) {
    return w->isVisibleTo(w->window()) && w->focusPolicy() != Qt::NoFocus;
}

// What a control needs more than it has, or "" when it fits.
QString Clipped(const QWidget* w) {
    if (!w->isVisibleTo(w->window()) || w->width() <= 0) return {};
    // Inside a window on screen (a closed drop-down list is not).
    const QWidget* window = w->window();
    if (window != w && window->isVisible() &&
        !window->rect().contains(QRect(w->mapTo(window, QPoint()), w->size())))
        return "reaches out of its window";
    auto needs = [w](QSize need) {
        if (need.width() <= w->width() && need.height() <= w->height()) return QString();
        return QString("needs %1x%2, has %3x%4")
            .arg(need.width())
            .arg(need.height())
            .arg(w->width())
            .arg(w->height());
    };
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) return {};
        if (label->wordWrap()) {
            return label->heightForWidth(label->width()) > label->height()
                       ? needs({label->width(), label->heightForWidth(label->width())})
                       : QString();
        }
        return needs(label->minimumSizeHint());
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty()) return {};
        return needs({button->sizeHint().width(), button->minimumSizeHint().height()});
    }
    if (auto* group = qobject_cast<const QGroupBox*>(w)) {
        int title = group->fontMetrics().horizontalAdvance(group->title()) + 16;
        return title > group->width() ? needs({title, group->height()}) : QString();
    }
    return {};
}

// Every text of the marked language starts with this.
const QString kMark = QString::fromUtf8("\u27E6");
const QString kMarked = "MARKED.ini";

// The texts `w` shows that do not come from the marked file; real data stays unmarked.
QStringList Unmarked(const QWidget* w) {
    QStringList texts;
    if (auto* label = qobject_cast<const QLabel*>(w); label && label->pixmap().isNull())
        texts << label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) texts << button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) texts << group->title();
    if (auto* tree = qobject_cast<const QTreeWidget*>(w))
        for (int i = 0; i < tree->columnCount(); ++i) texts << tree->headerItem()->text(i);
    if (auto* list = qobject_cast<const QListWidget*>(w))
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    // The language list names each language in its own words.
    if (auto* combo = qobject_cast<const QComboBox*>(w); combo && combo->objectName() != "1345")
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    if (w->isWindow()) texts << w->windowTitle();
    // Wire values and protocol words of the wireless page and the DDNS providers' names.
    static const QStringList wire = [] {
        QStringList words{"Orvanta2", "HEX",     "ASCII",    "Open",           "Shared",
                          "Ad-Hoc",   "AES",     "TKIP",     "NONE",           "WEP",
                          "Auto",     "WPA-PSK", "WPA2-PSK", "Infrastructure", "64 bits",
                          "128 bits", "Key1",    "Key2",     "Key3",           "Key4"};
        for (const camera::DdnsProvider& p : camera::DdnsProviders()) words << p.label;
        return words;
    }();
    static const QRegularExpression number(R"(^[0-9.]+M?$)");  // channels and transmit rates
    texts.removeIf([](const QString& t) {
        return t.isEmpty() || t.startsWith(kMark) || wire.contains(t) || number.match(t).hasMatch();
    });
    return texts;
}

class Readability : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        for (const QString& name : ShippedLanguages())
            QFile::copy(QString(ORVANTA_SOURCE_DIR "/resources/Language/") + name,
                        folder_.filePath("Language/" + name));
        // English with every value marked.
        QFile english(QString(ORVANTA_SOURCE_DIR "/resources/Language/ENG.ini"));
        ASSERT_TRUE(english.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(english.readAll());
        text.replace(QRegularExpression(R"(^([^;\[\n][^=\n]*=)("?)(?=.))",
                                        QRegularExpression::MultilineOption),
                     "\\1\\2" + kMark);
        WriteLanguage(kMarked, text);
    }
    // Each failure of `check` on the widgets of `root`, as "language class control: problem".
    template <class Check>
    void Walk(QWidget* root, const QString& where, Check check, QStringList& problems) {
        for (QWidget* w : QList<QWidget*>{root} + root->findChildren<QWidget*>()) {
            QString problem = check(w);
            if (!problem.isEmpty())
                problems << where + " " + w->metaObject()->className() + " '" + w->objectName() +
                                "': " + problem;
        }
    }
    // `check` gets each widget and the language file shown.
    template <class Check>
    QStringList EveryPageAndDialog(Check checkIn) {
        QStringList problems, files = ShippedLanguages();
        for (const QString& file : files << kMarked) {
            auto check = [&](QWidget* w) { return checkIn(w, file); };
            app::WizardOptions options = Options();
            options.langFileName = file.toStdString();
            auto wizard = Start(options);
            app::FillSampleCamera(wizard->Settings());
            const QString language = file.section('.', 0, 0);
            for (int index = 0; index < shell::kPageCount; ++index) {
                app::PrepareRecordPage(*wizard, index);
                wizard->Pages().ShowForm(index);
                Flush();
                shell::CSubPage* page = wizard->Pages().Form(index);
                Walk(page, language + " " + page->ClassName(), check, problems);
            }
            if (QString problem = check(wizard.get()); !problem.isEmpty())
                problems << language + " CWizardDlg: " + problem;
            lang::CAboutDlg about(wizard->LangFilePath(), wizard.get());
            pages::CDlgLoginRoot password(wizard->LangFilePath(), wizard.get());
            pages::CDlgCameraAddress address(wizard->LangFilePath(), wizard.get());
            lang::CDlgLanguage& choice = wizard->LanguageDialog();
            for (QWidget* dialog :
                 {static_cast<QWidget*>(&about), static_cast<QWidget*>(&password),
                  static_cast<QWidget*>(&address), static_cast<QWidget*>(&choice)}) {
                dialog->show();
                Flush();
                Walk(dialog, language + " " + dialog->metaObject()->className(), check, problems);
                dialog->hide();
            }
        }
        return problems;
    }
};

// Each control a user can reach is named; no text is clipped; with the marked file, each text
// shown comes from it.
TEST_F(Readability, EveryTextFromTheLanguageFileNamedAndUnclipped) {
    std::map<QString, std::pair<int, int>> named;  // language: named, reachable controls
    QStringList problems = EveryPageAndDialog([&](QWidget* w, const QString& file) -> QString {
        // The marks make every text longer than any language has it.
        QString problem = file == kMarked ? QString() : Clipped(w);
        if (file == kMarked && w->isVisibleTo(w->window()) && !Unmarked(w).isEmpty())
            problem += "not from the file: " + Unmarked(w).join(" | ");
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w) || qobject_cast<QTreeWidget*>(w) ||
                             qobject_cast<QListWidget*>(w);
        // A hidden push button is named too: a dialog can show it, a screen reader can list it.
        if (!(Reachable(w) || qobject_cast<QPushButton*>(w)) || !control ||
            (qobject_cast<QComboBox*>(w->parentWidget()) && !qobject_cast<QLineEdit*>(w)))
            return problem;
        // Linux screen readers are told a drop-down's value as its name: it needs a name of
        // its own.
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        const QString name = qobject_cast<QComboBox*>(w) ? w->accessibleName()
                             : a                         ? a->text(QAccessible::Name)
                                                         : QString();
        ++named[file].second;
        if (name.trimmed().isEmpty()) return problem + "no name";
        ++named[file].first;
        return problem;
    });
    for (const auto& [file, count] : named)
        std::printf("%s: %d of %d named\n", qPrintable(file), count.first, count.second);
    EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
}

// The controls Tab stops at on `page`, in the order Tab visits them.
QList<QWidget*> TabStops(shell::CSubPage* page) {
    QList<QWidget*> stops;
    QWidget* w = page;
    for (int guard = 0; guard < 500; ++guard) {
        w = w->nextInFocusChain();
        if (w == page) break;
        if (page->isAncestorOf(w) && w->window() == page->window() && w->isVisibleTo(page) &&
            (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QComboBox*>(w->parentWidget()))
            stops << w;
    }
    return stops;
}

TEST_F(Readability, TabWalksEachPageInReadingOrderToEveryControl) {
    auto wizard = Start();
    QStringList problems;
    for (int index = 0; index < shell::kPageCount; ++index) {
        wizard->Pages().ShowForm(index);
        Flush();
        shell::CSubPage* page = wizard->Pages().Form(index);
        const QList<QWidget*> stops = TabStops(page);
        auto name = [](const QWidget* w) {
            return QString(w->metaObject()->className()) + " '" + w->objectName() + "'";
        };
        auto where = [page](const QWidget* w) {
            return QRect(w->mapTo(page, QPoint(0, 0)), w->size());
        };
        for (int i = 1; i < stops.size(); ++i) {
            const QRect before = where(stops[i - 1]), after = where(stops[i]);
            // Row by row, left to right; a column to the right may start again at the top.
            const bool sameRow = after.top() < before.bottom() && after.bottom() > before.top();
            const bool higher = after.bottom() < before.top() && after.left() < before.right();
            if (higher || (sameRow && after.right() < before.left()))
                problems << QString(page->ClassName()) + ": " + name(stops[i]) + " after " +
                                name(stops[i - 1]);
        }
        // Back, Next and every other control the mouse can reach are Tab stops too; of a group
        // of radio buttons Tab stops at one and the arrow keys move on.
        auto sameGroup = [](const QWidget* a, const QWidget* b) {
            auto* x = qobject_cast<const QRadioButton*>(a);
            auto* y = qobject_cast<const QRadioButton*>(b);
            if (!x || !y) return false;
            return x->group() ? x->group() == y->group()
                              : x->autoExclusive() && y->autoExclusive() &&
                                    x->parentWidget() == y->parentWidget();
        };
        auto reached = [&](const QWidget* w) {
            return std::any_of(stops.begin(), stops.end(), [&](const QWidget* stop) {
                return stop == w || sameGroup(stop, w);
            });
        };
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (Reachable(w) && w->window() == page->window() &&
                !qobject_cast<QComboBox*>(w->parentWidget()) && !reached(w))
                problems << QString(page->ClassName()) + ": Tab never reaches " + name(w);
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
}

}  // namespace
