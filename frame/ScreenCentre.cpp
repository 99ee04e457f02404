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
