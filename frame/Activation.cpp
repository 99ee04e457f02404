#include "frame/Activation.h"

#include <QApplication>
#include <QWidget>

void giveActivationBack(QWidget *covered)
{
    if (!covered)
        return;
    QWidget *window = covered->window();
    if (!window->isVisible())
        return;
    window->activateWindow();
    // Synchronous, so the covered window's activation handler has run when this returns.
    QApplication::setActiveWindow(window);
}
