#include "frame/ScreenCentre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget *window)
{
    QWidget *parent = window->parentWidget();
    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->isVisible() ? window->frameGeometry() : window->geometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void keepOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    const QSize margins = frame.size() - window->size();
    const QSize fitting = window->size().boundedTo(area.size() - margins);
    if (fitting != window->size())
        window->resize(fitting);
    QRect placed(frame.topLeft(), fitting + margins);
    placed.moveRight(qMin(placed.right(), area.right()));
    placed.moveBottom(qMin(placed.bottom(), area.bottom()));
    placed.moveLeft(qMax(placed.left(), area.left()));
    placed.moveTop(qMax(placed.top(), area.top()));
    if (placed.topLeft() != frame.topLeft())
        window->move(placed.topLeft());
}
