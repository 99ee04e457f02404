#pragma once

// Drives a call that shows a modal window and returns once it has closed: while the window is
// up it is looked at, then closed, so no test waits for a user.

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testing
{

struct Shown {
    bool opened{};    // whether a modal window came up
    QString name;     // its objectName
    bool destroyed{}; // whether it was gone when the opening call returned
};

// Calls `open`, which is expected to show a modal window and return once it has closed.
// While the window is up, `inspect` looks at it, then the window is closed.
inline Shown whileModal(const std::function<void()> &open,
                        const std::function<void(QWidget *)> &inspect = {})
{
    Shown shown;
    QPointer<QWidget> window;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || window)
            return;
        window = modal;
        shown.opened = true;
        shown.name = modal->objectName();
        if (inspect)
            inspect(modal);
        modal->close();
    });
    poll.start();
    open();
    poll.stop();
    shown.destroyed = shown.opened && window.isNull();
    return shown;
}

} // namespace testing
