#pragma once

// The monkey: a seeded stream of random user actions on a window under test, each followed
// by the window's checks. Mostly typing (digits, separators, signs, "E", letters), then
// Enter, Tab, erasing and moving about, Ctrl+V of random clipboard texts, clicks on fields,
// cells, buttons and anywhere in the window, the extremes typed or pasted into a random
// input, and now and then Escape or "Sair".

#include "MonkeyLog.h"
#include "RandomTexts.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>

namespace monkey
{

class Monkey
{
public:
    Monkey(WindowUnderTest &window, QRandomGenerator &rng) : m_window(window), m_texts(rng) {}

    // The random stream: `events` actions, each followed by the checks. False at the first
    // failure (the log has it).
    bool run(int events)
    {
        for (int i = 0; i < events; ++i) {
            Log::instance().setEvent(i);
            act();
            if (!m_window.checkAfterAction())
                return false;
        }
        return true;
    }

private:
    enum class Act {
        Character,
        Enter,
        Tab,
        Backtab,
        Erase,
        Navigate,
        EditCommand,
        Paste,
        Escape,
        Simular,
        Salvar,
        Sair,
        ClickCell,
        ClickField,
        ClickAnywhere,
        Extreme,
    };

    Act pickAct()
    {
        // Weights per thousand actions, roughly: mostly typing, then moving about and
        // clicking; "Simular" often enough to run on all sorts of input, closing rarely.
        static const std::pair<Act, int> weights[] = {
            {Act::Character, 450},  {Act::Enter, 60},      {Act::Tab, 45},
            {Act::Backtab, 10},     {Act::Erase, 50},      {Act::Navigate, 50},
            {Act::EditCommand, 25}, {Act::Paste, 50},      {Act::Escape, 2},
            {Act::Simular, 15},     {Act::Salvar, 2},      {Act::Sair, 1},
            {Act::ClickCell, 80},   {Act::ClickField, 90}, {Act::ClickAnywhere, 25},
            {Act::Extreme, 25},
        };
        int total = 0;
        for (const auto &w : weights)
            total += w.second;
        int roll = m_texts.below(total);
        for (const auto &w : weights) {
            if (roll < w.second)
                return w.first;
            roll -= w.second;
        }
        return Act::Character;
    }

    void act()
    {
        Log &log = Log::instance();
        switch (pickAct()) {
        case Act::Character: {
            const QChar c = m_texts.typedCharacter();
            log.action(
                QStringLiteral("type '%1' into %2").arg(c).arg(WindowUnderTest::describe(focus())));
            m_window.driver().character(c);
            break;
        }
        case Act::Enter:
            log.action(QStringLiteral("Enter in %1").arg(WindowUnderTest::describe(focus())));
            m_window.driver().key(Qt::Key_Return, QStringLiteral("\r"));
            break;
        case Act::Tab:
            log.action(QStringLiteral("Tab in %1").arg(WindowUnderTest::describe(focus())));
            m_window.driver().key(Qt::Key_Tab, QStringLiteral("\t"));
            break;
        case Act::Backtab:
            log.action(QStringLiteral("Shift+Tab in %1").arg(WindowUnderTest::describe(focus())));
            m_window.driver().key(Qt::Key_Backtab, {}, Qt::ShiftModifier);
            break;
        case Act::Erase: {
            const bool back = m_texts.chance(70);
            log.action(QStringLiteral("%1 in %2")
                           .arg(back ? QStringLiteral("Backspace") : QStringLiteral("Delete"))
                           .arg(WindowUnderTest::describe(focus())));
            m_window.driver().key(back ? Qt::Key_Backspace : Qt::Key_Delete);
            break;
        }
        case Act::Navigate: {
            static const std::pair<Qt::Key, const char *> keys[] = {
                {Qt::Key_Left, "Left"}, {Qt::Key_Right, "Right"},   {Qt::Key_Up, "Up"},
                {Qt::Key_Down, "Down"}, {Qt::Key_Home, "Home"},     {Qt::Key_End, "End"},
                {Qt::Key_F2, "F2"},     {Qt::Key_PageDown, "PgDn"}, {Qt::Key_PageUp, "PgUp"},
            };
            const auto &k = m_texts.pick(keys);
            log.action(QStringLiteral("%1 in %2")
                           .arg(QLatin1String(k.second), WindowUnderTest::describe(focus())));
            m_window.driver().key(k.first);
            break;
        }
        case Act::EditCommand: {
            static const std::pair<Qt::Key, const char *> keys[] = {
                {Qt::Key_A, "Ctrl+A"}, {Qt::Key_C, "Ctrl+C"}, {Qt::Key_X, "Ctrl+X"},
                {Qt::Key_Z, "Ctrl+Z"}, {Qt::Key_Y, "Ctrl+Y"},
            };
            const auto &k = m_texts.pick(keys);
            log.action(QStringLiteral("%1 in %2")
                           .arg(QLatin1String(k.second), WindowUnderTest::describe(focus())));
            m_window.driver().control(k.first);
            break;
        }
        case Act::Paste: {
            const QString text = m_texts.clipboardText();
            log.action(QStringLiteral("Ctrl+V of \"%1\" in %2")
                           .arg(WindowUnderTest::shown(text), WindowUnderTest::describe(focus())));
            QGuiApplication::clipboard()->setText(text);
            m_window.driver().control(Qt::Key_V);
            break;
        }
        case Act::Escape:
            m_window.pressEscape();
            break;
        case Act::Simular:
            m_window.clickSimular();
            break;
        case Act::Salvar:
            log.action(QStringLiteral("click Salvar"));
            m_window.driver().clickCentre(m_window.moduleWindow()->salvarButton());
            break;
        case Act::Sair:
            log.action(QStringLiteral("click Sair"));
            m_window.driver().clickCentre(m_window.moduleWindow()->sairButton());
            break;
        case Act::ClickCell:
            clickVisibleCell();
            break;
        case Act::ClickField: {
            const QList<NumericEdit *> all = m_window.window()->findChildren<NumericEdit *>();
            QList<NumericEdit *> shown;
            for (NumericEdit *f : all)
                if (f->isVisible())
                    shown << f;
            if (shown.isEmpty()) {
                clickVisibleCell();
                break;
            }
            NumericEdit *f = m_texts.pick(shown);
            const QPoint at(m_texts.below(f->width()), m_texts.below(f->height()));
            log.action(QStringLiteral("click %1 at %2").arg(f->objectName()).arg(at.x()));
            m_window.driver().click(f, at);
            break;
        }
        case Act::ClickAnywhere: {
            const QPoint at(m_texts.below(m_window.window()->width()),
                            m_texts.below(m_window.window()->height()));
            log.action(QStringLiteral("click the window at (%1,%2)").arg(at.x()).arg(at.y()));
            m_window.driver().click(m_window.window(), at, m_texts.chance(20));
            break;
        }
        case Act::Extreme:
            enterExtreme();
            break;
        }
    }

    // A click (now and then a double click) at a random point of a grid as far as it shows.
    void clickVisibleCell()
    {
        QList<QWidget *> viewports;
        for (ResultGrid *g : m_window.grids(false))
            if (!g->viewport()->visibleRegion().isEmpty())
                viewports << g->viewport();
        if (viewports.isEmpty())
            return;
        QWidget *viewport = m_texts.pick(viewports);
        const QRegion region = viewport->visibleRegion();
        const QRect rect = *(region.begin() + m_texts.below(int(region.rectCount())));
        const QPoint at(rect.x() + m_texts.below(rect.width()),
                        rect.y() + m_texts.below(rect.height()));
        const bool twice = m_texts.chance(25);
        Log::instance().action(
            QStringLiteral("%1 %2 at (%3,%4)")
                .arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"))
                .arg(viewport->parentWidget()->objectName())
                .arg(at.x())
                .arg(at.y()));
        m_window.driver().click(viewport, at, twice);
    }

    // One of the extremes into a random field or editable cell, typed or pasted.
    void enterExtreme()
    {
        QList<Input> inputs;
        for (NumericEdit *f : m_window.fields())
            inputs << Input{f};
        for (ResultGrid *g : m_window.grids(true)) {
            // Rows the grid shows; the header row and day 366 are out of the user's reach.
            const int firstRow = g->table().hasHeaderRow() ? 1 : 0;
            const int rows = g->table().shownRows() - firstRow;
            inputs << Input{nullptr, g, m_texts.below(g->table().columns()),
                            firstRow + (m_texts.chance(50) ? m_texts.below(qMin(rows, 5))
                                                           : m_texts.below(rows))};
        }
        if (inputs.isEmpty())
            return;
        const Input input = m_texts.pick(inputs);
        QString text = m_texts.pick(RandomTexts::extremes());
        if (m_texts.chance(15))
            text = m_texts.chance(50) ? QStringLiteral("abc") : QString();
        m_window.enter(input, text, m_texts.chance(50));
    }

    static QWidget *focus() { return QApplication::focusWidget(); }

    WindowUnderTest &m_window;
    RandomTexts m_texts;
};

} // namespace monkey
