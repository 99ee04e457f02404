#include "shell/TF_Principal.h"

#include "core/sectors/catalogue/Sectors.h"
#include "frame/Activation.h"
#include "frame/Guard.h"
#include "frame/HelpWindow.h"
#include "frame/Pictures.h"
#include "models/U_Balanco/TF_Balanco.h"
#include "models/U_Horizonte/TF_Horizonte.h"
#include "models/U_Regiao/TF_Regiao.h"
#include "models/U_Resumo_Municipio/TF_Resumo_Municipio.h"
#include "shell/StretchedImage.h"
#include "shell/StudySession.h"
#include "shell/TF_Sobre.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

TF_Principal::TF_Principal(QWidget *parent, const QString &recoveryFolder)
    : QMainWindow(parent), m_recoveryFolder(recoveryFolder)
{
    setObjectName(QStringLiteral("F_Principal"));
    m_session = new StudySession(this, recoveryFolder);
    connect(m_session, &StudySession::changed, this, &TF_Principal::showStudy);

    m_image = new StretchedImage(Pictures::picture(QStringLiteral("main.jpg")), this);
    m_image->setObjectName(QStringLiteral("Image1"));
    setCentralWidget(m_image);
    buildMenu();
    showStudy();

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
    auto menuCaption = [](tavi::SectorId sector) {
        return tavi::sectorDescriptor(sector).menuCaption;
    };
    auto addSeparator = [](QMenu *menu, const QString &name) {
        menu->addSeparator()->setObjectName(name);
    };

    buildFileMenu(addMenu(QStringLiteral("Arquivo1"), QStringLiteral("     Arquivo     ")));

    // The blanks around the bar captions are part of them: they widen the entries.
    QMenu *models = addMenu(QStringLiteral("Modelos1"), QStringLiteral("     Modelo TAVI    "));
    addItem(models, QStringLiteral("AbastecimentoPblico1"), menuCaption(tavi::SectorId::Supply),
            &TF_Principal::AbastecimentoPblico1Click);
    addItem(models, QStringLiteral("Pecuria1"), menuCaption(tavi::SectorId::Livestock),
            &TF_Principal::Pecuria1Click);
    addSeparator(models, QStringLiteral("N1"));
    addItem(models, QStringLiteral("Agricultura1"), menuCaption(tavi::SectorId::Agriculture),
            &TF_Principal::Agricultura1Click);
    addItem(models, QStringLiteral("guaparaaDiluiodeEsgotosDomsticos1"),
            menuCaption(tavi::SectorId::Dilution),
            &TF_Principal::guaparaaDiluiodeEsgotosDomsticos1Click);
    addSeparator(models, QStringLiteral("N_resumo"));
    addItem(models, QStringLiteral("a_resumo"), QStringLiteral("Resumo do Município"),
            &TF_Principal::a_resumoTriggered);
    QAction *horizon =
        addItem(models, QStringLiteral("a_horizonte"), QStringLiteral("Horizonte e Cenários"),
                &TF_Principal::a_horizonteTriggered);
    horizon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    QAction *balance =
        addItem(models, QStringLiteral("a_balanco"), QStringLiteral("Balanço Hídrico"),
                &TF_Principal::a_balancoTriggered);
    balance->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    // Many municipalities at once: not a window on the current study, as those above are.
    addSeparator(models, QStringLiteral("N_regiao"));
    addItem(models, QStringLiteral("a_regiao"), QStringLiteral("Região"),
            &TF_Principal::a_regiaoTriggered);

    QMenu *help = addMenu(QStringLiteral("Ajuda1"), QStringLiteral("       Ajuda       "));
    QAction *guide = addItem(help, QStringLiteral("AjudadoModelo1"),
                             QStringLiteral("Ajuda do Modelo"), &TF_Principal::AjudadoModelo1Click);
    // Shown beside the item; the key itself works in every window.
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    guide->setShortcutContext(Qt::WidgetShortcut);
    addSeparator(help, QStringLiteral("N2"));
    addItem(help, QStringLiteral("Sobre1"), QStringLiteral("Sobre"), &TF_Principal::Sobre1Click);

    QAction *quit = bar->addAction(QStringLiteral("       Sair do TAVI       "));
    quit->setObjectName(QStringLiteral("SairdoTAVI1"));
    connect(quit, &QAction::triggered, this, &TF_Principal::SairdoTAVI1Click);
}

void TF_Principal::buildFileMenu(QMenu *menu)
{
    m_fileMenu = menu;
    // Read left to right, shortcuts at the right, whatever the bar's direction.
    menu->setLayoutDirection(Qt::LeftToRight);
    menu->setToolTipsVisible(true);
    auto addItem = [this, menu](const QString &name, const QString &caption,
                                const QKeySequence &keys, void (TF_Principal::*handler)()) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(name);
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    addItem(QStringLiteral("a_novo_estudo"), QStringLiteral("Novo estudo"), QKeySequence::New,
            &TF_Principal::a_novo_estudoTriggered);
    addItem(QStringLiteral("a_abrir_estudo"), QStringLiteral("Abrir estudo…"), QKeySequence::Open,
            &TF_Principal::a_abrir_estudoTriggered);
    addItem(QStringLiteral("a_salvar_estudo"), QStringLiteral("Salvar estudo"), QKeySequence::Save,
            &TF_Principal::a_salvar_estudoTriggered);
    addItem(QStringLiteral("a_salvar_estudo_como"), QStringLiteral("Salvar estudo como…"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
            &TF_Principal::a_salvar_estudo_comoTriggered);
    menu->addSeparator();
    addItem(QStringLiteral("a_nome_estudo"), QStringLiteral("Nome e notas do estudo…"),
            QKeySequence(), &TF_Principal::a_nome_estudoTriggered);
    m_recentSeparator = menu->addSeparator();
    m_recentSeparator->setObjectName(QStringLiteral("N_recentes"));
    QAction *quit = menu->addSeparator();
    Q_UNUSED(quit)
    addItem(QStringLiteral("a_sair"), QStringLiteral("Sair"), QKeySequence(),
            &TF_Principal::SairdoTAVI1Click);
    rebuildRecentStudies();
}

// The recent studies sit between the two separators above "Sair", numbered for the keyboard.
void TF_Principal::rebuildRecentStudies()
{
    for (QAction *action : std::as_const(m_recentActions))
        delete action;
    m_recentActions.clear();
    const QStringList recent = m_session->recentStudies();
    QAction *before =
        m_fileMenu->actions().at(m_fileMenu->actions().indexOf(m_recentSeparator) + 1);
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        auto *item =
            new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName().replace(
                            QLatin1Char('&'), QStringLiteral("&&"))),
                        m_fileMenu);
        item->setObjectName(QStringLiteral("a_recente_%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setStatusTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this,
                [this, path] { runGuarded(this, [this, path] { m_session->openFile(path); }); });
        m_fileMenu->insertAction(before, item);
        m_recentActions << item;
    }
    m_recentSeparator->setVisible(!recent.isEmpty());
}

void TF_Principal::showStudy()
{
    QString name = m_session->title();
    // "[*]" is where the caption shows its unsaved mark; a name never stands for it.
    name.replace(QStringLiteral("[*]"), QStringLiteral("[ * ]"));
    setWindowTitle(QStringLiteral("%1[*] - Modelo de Demanda").arg(name));
    setWindowModified(m_session->isModified());
    if (m_fileMenu)
        rebuildRecentStudies();
}

void TF_Principal::startStudies(const QString &path)
{
    runGuarded(this, [this, &path] {
        if (!m_session->offerRecovery() && !path.isEmpty())
            m_session->openFile(path, false);
    });
    giveActivationBack(this);
}

void TF_Principal::a_novo_estudoTriggered()
{
    runGuarded(this, [this] { m_session->newStudy(); });
}

void TF_Principal::a_abrir_estudoTriggered()
{
    runGuarded(this, [this] { m_session->open(); });
}

void TF_Principal::a_salvar_estudoTriggered()
{
    runGuarded(this, [this] { m_session->save(); });
}

void TF_Principal::a_salvar_estudo_comoTriggered()
{
    runGuarded(this, [this] { m_session->saveAs(); });
}

void TF_Principal::a_nome_estudoTriggered()
{
    runGuarded(this, [this] { m_session->editNameAndNotes(); });
}

bool TF_Principal::mayEnd()
{
    bool may = false;
    runGuarded(this, [this, &may] { may = m_session->maySetAside(); });
    if (may)
        m_session->finish();
    return may;
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

void TF_Principal::openAttached(const std::function<std::unique_ptr<QDialog>()> &createAttached)
{
    runGuarded(this, [this, &createAttached] {
        std::unique_ptr<QDialog> window = createAttached();
        // What the user typed is kept however the window closes, even by an error.
        struct Detach {
            StudySession *session;
            QDialog *window;
            ~Detach() { session->detach(window); }
        } detach{m_session, window.get()};
        window->exec();
    });
    giveActivationBack(this);
}

void TF_Principal::openModule(tavi::SectorId sector)
{
    openAttached([this, sector] {
        std::unique_ptr<QDialog> window = createModuleWindow(sector, this);
        m_session->attach(window.get());
        return window;
    });
}

void TF_Principal::AbastecimentoPblico1Click()
{
    openModule(tavi::SectorId::Supply);
}

void TF_Principal::Pecuria1Click()
{
    openModule(tavi::SectorId::Livestock);
}

void TF_Principal::Agricultura1Click()
{
    openModule(tavi::SectorId::Agriculture);
}

void TF_Principal::guaparaaDiluiodeEsgotosDomsticos1Click()
{
    openModule(tavi::SectorId::Dilution);
}

void TF_Principal::a_resumoTriggered()
{
    openModal([this] {
        return std::make_unique<TF_Resumo_Municipio>(
            [this] {
                m_session->takeWindowInputs();
                tavi::Study study = m_session->study();
                // The report names the study as the caption does.
                if (study.name.trimmed().isEmpty())
                    study.name = m_session->displayName();
                return study;
            },
            this);
    });
}

void TF_Principal::a_horizonteTriggered()
{
    openAttached([this] {
        // The window starts from the study with what an open window last typed in it.
        m_session->takeWindowInputs();
        auto window = std::make_unique<TF_Horizonte>(m_session->study(), this);
        m_session->attachHorizon(window.get());
        return window;
    });
}

void TF_Principal::a_balancoTriggered()
{
    openAttached([this] {
        // The window starts from the study with what an open window last typed in it.
        m_session->takeWindowInputs();
        auto window = std::make_unique<TF_Balanco>(m_session->study(), this);
        m_session->attachBalance(window.get());
        return window;
    });
}

void TF_Principal::a_regiaoTriggered()
{
    runGuarded(this, [this] {
        auto window = std::make_unique<TF_Regiao>(this, m_recoveryFolder);
        // The planner goes on with the region of the last visit; one that no longer reads
        // says why, once, and the window starts with a new region.
        const QString last = m_session->lastRegion();
        if (!last.isEmpty() && (!QFileInfo::exists(last) || !window->openRegion(last)))
            m_session->rememberRegion(QString());
        const int result = window->exec();
        if (!window->regionPath().isEmpty())
            m_session->rememberRegion(window->regionPath());
        if (result != TF_Regiao::kOpenMunicipality || window->municipalityToOpen().isEmpty() ||
            window->regionPath().isEmpty())
            return;
        // The region window saved the region before closing: what it holds is the file.
        m_session->openMunicipality(window->regionPath(), window->region(),
                                    window->municipalityToOpen());
    });
    giveActivationBack(this);
}

void TF_Principal::AjudadoModelo1Click()
{
    HelpWindow::open(this, QStringLiteral("index.html"));
}

void TF_Principal::Sobre1Click()
{
    openModal([this] { return std::make_unique<TF_Sobre>(this); });
}

void TF_Principal::SairdoTAVI1Click()
{
    // The event loop ends after the current event; the windows are destroyed on the way
    // out of main().
    if (mayEnd())
        QCoreApplication::exit(0);
}

void TF_Principal::closeEvent(QCloseEvent *event)
{
    if (!mayEnd()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    // The main window's close box ends the program even while the splash is still up.
    if (event->isAccepted())
        QCoreApplication::exit(0);
}
