#include "shell/TF_Sobre.h"

#include "frame/Pictures.h"
#include "shell/StretchedImage.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

TF_Sobre::TF_Sobre(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("F_Sobre"));
    setWindowTitle(QStringLiteral("Sobre..."));
    setFixedSize(624, 348);

    auto *image = new StretchedImage(Pictures::picture(QStringLiteral("about.jpg")), this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(rect());

    // Centred on the screen, not over the main window; an explicit position also keeps
    // QDialog from placing it over its parent when shown.
    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

void TF_Sobre::keyPressEvent(QKeyEvent *event)
{
    // Escape and Enter close it, as they close any box: without a window manager its close
    // button is not even drawn, and nothing else could.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
