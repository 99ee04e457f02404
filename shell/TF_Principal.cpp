#include "shell/TF_Principal.h"

#include "frame/Activation.h"
#include "frame/Guard.h"
#include "frame/Pictures.h"
#include "shell/StretchedImage.h"
#include "shell/TF_Sobre.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

TF_Principal::TF_Principal(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("F_Principal"));
    setWindowTitle(QStringLiteral("Modelo de Demanda"));

    m_image = new StretchedImage(Pictures::picture(QStringLiteral("main.jpg")), this);
    m_image->setObjectName(QStringLiteral("Image1"));
    setCentralWidget(m_image);
    buildMenu();

    resize(696, 480);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

void TF_Principal::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    // Right-to-left reading order puts the bar's entries at its right end.
    bar->setLayoutDirection(Qt::RightToLeft);

    auto addMenu = [bar](const QString &name, const QString &caption) {
        QMenu *menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto addItem = [this](QMenu *menu, const QString &name, const QString &caption,
                          void (TF_Principal::*handler)()) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(name);
        if (handler)
            connect(item, &QAction::triggered, this, handler);
        return item;
    };
    auto addSeparator = [](QMenu *menu, const QString &name) {
        menu->addSeparator()->setObjectName(name);
    };

    // The blanks around the bar captions are part of them: they widen the entries.
    QMenu *models = addMenu(QStringLiteral("Modelos1"), QStringLiteral("     Modelo TAVI    "));
    addItem(models, QStringLiteral("AbastecimentoPblico1"), QStringLiteral("Abastecimento Público"),
            &TF_Principal::AbastecimentoPblico1Click);
    addItem(models, QStringLiteral("Pecuria1"), QStringLiteral("Pecuária"),
            &TF_Principal::Pecuria1Click);
    addSeparator(models, QStringLiteral("N1"));
    addItem(models, QStringLiteral("Agricultura1"), QStringLiteral("Agricultura"),
            &TF_Principal::Agricultura1Click);
    addItem(models, QStringLiteral("guaparaaDiluiodeEsgotosDomsticos1"),
            QStringLiteral("Água para a Diluição de Esgotos Domésticos"),
            &TF_Principal::guaparaaDiluiodeEsgotosDomsticos1Click);

    QMenu *help = addMenu(QStringLiteral("Ajuda1"), QStringLiteral("       Ajuda       "));
    // Enabled, with no action behind it.
    addItem(help, QStringLiteral("AjudadoModelo1"), QStringLiteral("Ajuda do Modelo"), nullptr);
    addSeparator(help, QStringLiteral("N2"));
    addItem(help, QStringLiteral("Sobre1"), QStringLiteral("Sobre"), &TF_Principal::Sobre1Click);

    QAction *quit = bar->addAction(QStringLiteral("       Sair do TAVI       "));
    quit->setObjectName(QStringLiteral("SairdoTAVI1"));
    connect(quit, &QAction::triggered, this, &TF_Principal::SairdoTAVI1Click);
}

void TF_Principal::openModal(const std::function<std::unique_ptr<QDialog>()> &create)
{
    runGuarded(this, [&create] {
        if (std::unique_ptr<QDialog> window = create())
            window->exec();
    });
    // Without a window manager nobody else hands activation back to the main window.
    giveActivationBack(this);
}

void TF_Principal::openModule(ModuleKind kind)
{
    openModal([this, kind] { return createModuleWindow(kind, this); });
}

void TF_Principal::AbastecimentoPblico1Click()
{
    openModule(ModuleKind::AbastecimentoPublico);
}

void TF_Principal::Pecuria1Click()
{
    openModule(ModuleKind::Pecuaria);
}

void TF_Principal::Agricultura1Click()
{
    openModule(ModuleKind::Agricultura);
}

void TF_Principal::guaparaaDiluiodeEsgotosDomsticos1Click()
{
    openModule(ModuleKind::DiluicaoEsgotos);
}

void TF_Principal::Sobre1Click()
{
    openModal([this] { return std::make_unique<TF_Sobre>(this); });
}

void TF_Principal::SairdoTAVI1Click()
{
    // The event loop ends after the current event; the windows are destroyed on the way
    // out of main() and nothing is asked or saved.
    QCoreApplication::exit(0);
}

void TF_Principal::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    // The main window's close box ends the program even while the splash is still up.
    if (event->isAccepted())
        QCoreApplication::exit(0);
}
