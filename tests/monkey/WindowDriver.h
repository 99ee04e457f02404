#pragma once

// Drives a window the way the user's keyboard and mouse do: key presses go to the window that
// has the keyboard focus and from there to its focused control (cell editors, popups and
// shortcuts included); clicks go to the window at a position, to whatever lies there, and may
// be refused by a modal window. Nothing is called on the controls directly.

#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QScrollArea>
#include <QTest>
#include <QWindow>

namespace monkey
{

class WindowDriver
{
public:
    void setWindow(QWidget *window) { m_window = window; }
    QWidget *window() const { return m_window; }

    // A key as the keyboard sends it, with the text it produces.
    void key(Qt::Key key, const QString &text = {}, Qt::KeyboardModifiers modifiers = {})
    {
        QWindow *target = QGuiApplication::focusWindow();
        if (!target && m_window)
            target = m_window->windowHandle();
        if (!target)
            return;
        QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
    }

    void character(QChar c) { key(keyOf(c), QString(c)); }
    void typeText(const QString &text)
    {
        for (QChar c : text)
            character(c);
    }
    // Ctrl plus a letter: no text, as the keyboard sends it.
    void control(Qt::Key letter) { key(letter, {}, Qt::ControlModifier); }

    // A click (or double click) at a point of `widget`, delivered to the window under it.
    void click(QWidget *widget, const QPoint &at, bool twice = false)
    {
        if (!m_window || !widget)
            return;
        QWindow *handle = m_window->windowHandle();
        if (!handle)
            return;
        const QPoint inWindow = widget->mapTo(m_window, at);
        if (twice)
            QTest::mouseDClick(handle, Qt::LeftButton, {}, inWindow);
        else
            QTest::mouseClick(handle, Qt::LeftButton, {}, inWindow);
    }
    void clickCentre(QWidget *widget, bool twice = false)
    {
        if (widget)
            click(widget, widget->rect().center(), twice);
    }

    // The grid's view row of a stored row, brought into view: -1 for rows the view does not
    // show (the header row, day 366 of the daily grids).
    static QModelIndex showCell(ResultGrid *grid, int col, int row)
    {
        const int viewRow = grid->table().viewRow(row);
        if (viewRow < 0)
            return {};
        const QModelIndex index = grid->model()->index(viewRow, col);
        grid->scrollTo(index);
        for (QWidget *w = grid->parentWidget(); w; w = w->parentWidget()) {
            if (auto *box = qobject_cast<QScrollArea *>(w)) {
                const QRect cell = grid->visualRect(index);
                const QPoint centre = grid->viewport()->mapTo(box->widget(), cell.center());
                box->ensureVisible(centre.x(), centre.y(), cell.width(), cell.height());
                break;
            }
        }
        return index;
    }

    // Clicks a cell, types the text into it and leaves it with Enter, as a user edits a cell.
    // False when the cell could not be reached or did not take the text.
    bool enterCell(ResultGrid *grid, int col, int row, const QString &text)
    {
        const QModelIndex index = showCell(grid, col, row);
        if (!index.isValid())
            return false;
        click(grid->viewport(), grid->visualRect(index).center());
        if (grid->currentIndex() != index)
            return false;
        // Tab in an editor opens the next cell's editor: clicking into it places the caret,
        // so the user selects what it holds before typing over it.
        QWidget *focus = QApplication::focusWidget();
        const bool editorOpen = focus && focus != grid && grid->isAncestorOf(focus);
        if (editorOpen && !text.isEmpty())
            control(Qt::Key_A);
        if (text.isEmpty()) {
            if (!editorOpen)
                key(Qt::Key_F2);
            control(Qt::Key_A);
            key(Qt::Key_Delete);
        } else {
            typeText(text);
        }
        key(Qt::Key_Return, QStringLiteral("\r"));
        return grid->cell(col, row) == text;
    }

    // Puts a text into a numeric field by the keyboard: clicked, its text selected, then typed
    // or pasted. Typing cannot pass through "1E" (it does not read), so an exponent is typed
    // last, between the digits already there. False when the field did not take the text.
    bool enterField(NumericEdit *field, const QString &text, bool paste)
    {
        // A click lands where it points; a second one covers an error box that took the
        // focus back to a field left unreadable.
        for (int attempt = 0; attempt < 2 && !field->hasFocus(); ++attempt)
            clickCentre(field);
        if (!field->hasFocus())
            return false;
        control(Qt::Key_A);
        if (paste) {
            QGuiApplication::clipboard()->setText(text);
            if (text.isEmpty())
                key(Qt::Key_Delete);
            else
                control(Qt::Key_V);
        } else {
            const qsizetype e = text.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive);
            QString withoutExponent = text;
            if (e >= 0)
                withoutExponent.remove(e, 1);
            if (withoutExponent.isEmpty())
                key(Qt::Key_Delete);
            typeText(withoutExponent);
            if (e >= 0) {
                key(Qt::Key_Home);
                for (qsizetype i = 0; i < e; ++i)
                    key(Qt::Key_Right);
                character(text[e]);
            }
        }
        return field->text() == text;
    }

    // The key a character is typed with: its own code for Latin-1 characters (upper case
    // for letters), as keyboards report them.
    static Qt::Key keyOf(QChar c)
    {
        const QChar upper = c.toUpper();
        if (upper.unicode() < 0x100)
            return Qt::Key(upper.unicode());
        return Qt::Key_unknown;
    }

private:
    QPointer<QWidget> m_window;
};

} // namespace monkey
