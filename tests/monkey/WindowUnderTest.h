#pragma once

// One module window under test, opened as the main menu opens it (modal and active), with
// the checks that follow every action on it:
// - no failure was recorded (an exception at the event loop, a message that is not the
//   program's, an export that failed, a warning from Qt);
// - the window is still open and active unless Escape or "Sair" closed it, in which case a
//   fresh one opens; Escape closes it from anywhere but an open cell editor, where it only
//   cancels the edit and the window stays; no other window of the program stays open (a
//   workbook window left by a cancelled save question is dismissed, as a user would);
// - no numeric field that is not being edited holds a text that does not read as a number.

#include "MonkeyLog.h"
#include "WindowDriver.h"

#include "core/numbers/NumberText.h"
#include "export/WorkbookWindow.h"
#include "frame/ModuleWindow.h"
#include "shell/ModuleWindows.h"

#include <QApplication>
#include <QDialog>
#include <QToolButton>
#include <memory>

namespace monkey
{

// Something the user can type into: a numeric field, or a cell of an editable grid.
struct Input {
    NumericEdit *field = nullptr;
    ResultGrid *grid = nullptr;
    int col = 0;
    int row = 0;

    QString name() const
    {
        if (field)
            return field->objectName();
        return QStringLiteral("%1(%2,%3)").arg(grid->objectName()).arg(col).arg(row);
    }
};

class WindowUnderTest
{
public:
    explicit WindowUnderTest(tavi::SectorId kind) : m_kind(kind) {}

    WindowUnderTest(const WindowUnderTest &) = delete;
    WindowUnderTest &operator=(const WindowUnderTest &) = delete;

    QDialog *window() const { return m_window.get(); }
    ModuleWindow *moduleWindow() const { return static_cast<ModuleWindow *>(m_window.get()); }
    WindowDriver &driver() { return m_driver; }
    int windowsOpened() const { return m_opened; }

    // A new instance of the window, shown modally and made active as the menu does.
    bool open()
    {
        m_window.reset();
        m_window = createModuleWindow(m_kind, nullptr);
        if (!qobject_cast<ModuleWindow *>(m_window.get())) {
            Log::instance().fail(QStringLiteral("the menu opens no module window here"));
            return false;
        }
        ++m_opened;
        m_closeExpected = false;
        m_escapeSent = false;
        QObject::connect(moduleWindow()->sairButton(), &QToolButton::clicked,
                         [this] { m_closeExpected = true; });
        QObject::connect(moduleWindow()->simularButton(), &QToolButton::clicked,
                         [this] { ++m_simularClicks; });
        m_window->setWindowModality(Qt::ApplicationModal);
        m_window->show();
        m_window->activateWindow();
        QApplication::setActiveWindow(m_window.get());
        m_driver.setWindow(m_window.get());
        settle();
        if (QApplication::activeWindow() != m_window.get()) {
            Log::instance().fail(QStringLiteral("the window did not become active on opening"));
            return false;
        }
        return true;
    }

    // The numeric fields the user can type into, and the editable grids, as they stand.
    QList<NumericEdit *> fields() const
    {
        QList<NumericEdit *> found;
        for (NumericEdit *f : m_window->findChildren<NumericEdit *>())
            if (f->isVisible() && f->isEnabled() && !f->isReadOnly())
                found << f;
        return found;
    }
    QList<ResultGrid *> grids(bool editableOnly) const
    {
        QList<ResultGrid *> found;
        for (ResultGrid *g : m_window->findChildren<ResultGrid *>())
            if (g->isVisible() && (!editableOnly || g->isEditable()))
                found << g;
        return found;
    }

    // Puts a text into a field or cell by the keyboard; false when it did not arrive.
    bool enter(const Input &input, const QString &text, bool paste)
    {
        Log::instance().action(
            QStringLiteral("enter \"%1\" into %2 (%3)")
                .arg(shown(text), input.name(),
                     paste ? QStringLiteral("pasted") : QStringLiteral("typed")));
        if (input.field)
            return m_driver.enterField(input.field, text, paste);
        return m_driver.enterCell(input.grid, input.col, input.row, text);
    }

    void clickSimular()
    {
        Log::instance().action(QStringLiteral("click Simular"));
        m_driver.clickCentre(moduleWindow()->simularButton());
    }
    int simularClicks() const { return m_simularClicks; }

    // Escape, which must close the window from whatever has the focus, but for an open cell
    // editor: there it cancels the edit, and the window with its series stays.
    void pressEscape()
    {
        QWidget *focus = QApplication::focusWidget();
        Log::instance().action(QStringLiteral("Escape in %1").arg(describe(focus)));
        m_escapeInEditor = isCellEditor(focus);
        m_closeExpected = !m_escapeInEditor;
        m_escapeSent = !m_escapeInEditor;
        m_driver.key(Qt::Key_Escape, QStringLiteral("\x1b"));
    }

    // Lets deferred work run: error boxes queued by a field, deletions of cell editors.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The checks that follow every action. A window closed by Escape or "Sair" is replaced
    // by a fresh one. False once anything failed.
    bool checkAfterAction()
    {
        settle();
        dismissOtherWindows();
        if (!m_window->isVisible()) {
            if (m_escapeInEditor) {
                Log::instance().fail(
                    QStringLiteral("Escape in an open cell editor closed the window"));
                return false;
            }
            if (!m_closeExpected) {
                Log::instance().fail(QStringLiteral("the window closed without Escape or Sair"));
                return false;
            }
            Log::instance().action(QStringLiteral("(window closed; a new one opens)"));
            return open();
        }
        if (m_escapeSent) {
            Log::instance().fail(QStringLiteral("Escape did not close the window"));
            return false;
        }
        m_closeExpected = false;
        if (m_escapeInEditor && isCellEditor(QApplication::focusWidget()))
            Log::instance().fail(QStringLiteral("Escape did not close the cell editor"));
        m_escapeInEditor = false;
        if (QApplication::activeWindow() != m_window.get()) {
            Log::instance().fail(
                QStringLiteral("the window is no longer the active window (active: %1)")
                    .arg(describe(QApplication::activeWindow())));
        }
        for (NumericEdit *f : m_window->findChildren<NumericEdit *>()) {
            long double v = 0;
            if (!f->isEditing() && !tavi::readEntry(f->editText(), &v))
                Log::instance().fail(QStringLiteral("%1 holds \"%2\", which does not read")
                                         .arg(f->objectName(), f->editText()));
        }
        return !Log::instance().failed();
    }

    // At the end: the window still takes typing and runs "Simular", then closes with Escape.
    bool respondsAndClosesWithEscape()
    {
        Log &log = Log::instance();
        if (!checkAfterAction())
            return false;
        leaveUnreadableField();
        const bool typed = enter(firstInput(), QStringLiteral("7"), false);
        if (!typed)
            log.fail(QStringLiteral("the window no longer takes typing"));
        const int clicks = m_simularClicks;
        clickSimular();
        if (!checkAfterAction())
            return false;
        if (m_simularClicks != clicks + 1)
            log.fail(QStringLiteral("Simular did not respond to a click"));
        if (isCellEditor(QApplication::focusWidget())) {
            pressEscape();
            if (!checkAfterAction())
                return false;
        }
        pressEscape();
        settle();
        if (m_window->isVisible())
            log.fail(QStringLiteral("Escape did not close the window"));
        return !log.failed();
    }

    // A control as the trail names it.
    static QString describe(QWidget *w)
    {
        if (!w)
            return QStringLiteral("(nothing)");
        // A cell editor has no name of its own: it belongs to its grid.
        for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
            if (qobject_cast<ResultGrid *>(p))
                return QStringLiteral("the cell editor of %1").arg(p->objectName());
        }
        return QStringLiteral("%1 %2").arg(QLatin1String(w->metaObject()->className()),
                                           w->objectName());
    }

    static bool isCellEditor(QWidget *w)
    {
        for (QWidget *p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget()) {
            if (qobject_cast<ResultGrid *>(p))
                return true;
        }
        return false;
    }

    // A text as the trail shows it: on one line, cut short.
    static QString shown(const QString &text)
    {
        QString line = text.left(40);
        line.replace(QLatin1Char('\t'), QStringLiteral("\\t"))
            .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
            .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
        if (text.size() > 40)
            line += QStringLiteral("... (%1 characters)").arg(text.size());
        return line;
    }

private:
    // Where a user starts typing: the first field, or day 1 of the input series.
    Input firstInput() const
    {
        if (!fields().isEmpty())
            return Input{fields().first()};
        auto *serie = m_window->findChild<ResultGrid *>(QStringLiteral("SG_Serie"));
        return Input{nullptr, serie ? serie : grids(true).first(), 1, 1};
    }

    // A field left with a text that does not read takes the focus back after its error box;
    // the user clears it before doing anything else.
    void leaveUnreadableField()
    {
        auto *f = qobject_cast<NumericEdit *>(QApplication::focusWidget());
        long double v = 0;
        if (!f || tavi::readEntry(f->text(), &v))
            return;
        Log::instance().action(QStringLiteral("clear the unreadable %1").arg(f->objectName()));
        m_driver.control(Qt::Key_A);
        m_driver.key(Qt::Key_Delete);
    }

    // Workbook windows left open (a cancelled save question) are dismissed; any other window
    // that stays open is a fault.
    void dismissOtherWindows()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w == m_window.get() || !w->isVisible() || w->inherits("QTipLabel"))
                continue;
            if (auto *workbook = qobject_cast<WorkbookWindow *>(w)) {
                Log::instance().action(QStringLiteral("(workbook window dismissed)"));
                workbook->discard();
                continue;
            }
            Log::instance().fail(QStringLiteral("a window stayed open: %1").arg(describe(w)));
            w->close();
        }
        settle();
    }

    tavi::SectorId m_kind;
    WindowDriver m_driver;
    std::unique_ptr<QDialog> m_window;
    bool m_closeExpected = false;
    bool m_escapeSent = false;
    bool m_escapeInEditor = false;
    int m_simularClicks = 0;
    int m_opened = 0;
};

} // namespace monkey
