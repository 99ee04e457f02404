#pragma once

// Helpers for driving windows under test: showing one as the program would, recording the
// application error box instead of showing it, and typing into fields.

#include "core/base/LocaleSettings.h"
#include "core/tables/CellTable.h"
#include "frame/Activation.h"
#include "frame/ErrorBox.h"
#include "frame/NumericEdit.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace testing
{

// Records every application error box; restores the real box when it goes.
class ErrorRecorder
{
public:
    ErrorRecorder()
    {
        ErrorBox::setPresenter([this](QWidget *, const QString &text) { messages << text; });
    }
    ~ErrorRecorder() { ErrorBox::setPresenter({}); }
    QStringList messages;
};

inline bool showActive(QWidget *window);

// Records the application error box and, like the real one, covers the window while it is
// up and gives activation back when it closes.
class CoveringErrorBox
{
public:
    CoveringErrorBox()
    {
        ErrorBox::setPresenter([this](QWidget *parent, const QString &text) {
            messages << text;
            QDialog box(parent);
            showActive(&box);
            box.close();
            giveActivationBack(parent);
        });
    }
    ~CoveringErrorBox() { ErrorBox::setPresenter({}); }
    QStringList messages;
};

// Sets the regional settings for one test and puts the previous ones back.
class LocaleScope
{
public:
    explicit LocaleScope(const tavi::LocaleSettings &settings)
        : m_previous(tavi::LocaleSettings::current())
    {
        tavi::LocaleSettings::setCurrent(settings);
    }
    ~LocaleScope() { tavi::LocaleSettings::setCurrent(m_previous); }

private:
    tavi::LocaleSettings m_previous;
};

// Regional settings whose separators are neither "," nor "." (Arabic and Persian locales):
// "٫" (U+066B) decimal, "٬" (U+066C) thousands.
inline tavi::LocaleSettings arabicSeparators()
{
    tavi::LocaleSettings settings;
    settings.decimalSeparator = QChar(0x066B);
    settings.thousandSeparator = QChar(0x066C);
    return settings;
}

// The regional settings a data row names: "comma" (Brazilian), "point" or "arabic".
inline tavi::LocaleSettings settingsNamed(const QString &name)
{
    if (name == QLatin1String("arabic"))
        return arabicSeparators();
    if (name == QLatin1String("point"))
        return tavi::LocaleSettings::decimalPoint();
    return tavi::LocaleSettings::brazilian();
}

// Shows a window and makes it the active window, as opening it from the menu would.
inline bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Lets queued work (deferred error boxes, exit handlers) run.
inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The window's numeric entry field of that name; a missing one is a fault of the test.
inline NumericEdit *fieldOf(const QWidget *window, const char *name)
{
    auto *field = window->findChild<NumericEdit *>(QLatin1String(name));
    Q_ASSERT(field);
    return field;
}

// Every cell text of a table, row by row, to tell whether anything changed.
inline QStringList cellTexts(const tavi::CellTable &table)
{
    QStringList cells;
    for (int r = 0; r < table.storedRows(); ++r)
        for (int c = 0; c < table.columns(); ++c)
            cells << table.cell(c, r);
    return cells;
}

// Types a text into the focused widget, key by key.
inline void typeInto(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::keyClicks(widget, QString(c));
}

// Enters the window's field as a click does, types `text` over what it holds and leaves it with
// Tab (its exit handler runs).
inline void typeIntoField(const QWidget *window, const QString &name, const QString &text)
{
    NumericEdit *field = fieldOf(window, qPrintable(name));
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    typeInto(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

} // namespace testing
