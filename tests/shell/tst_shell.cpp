#include "frame/ErrorBox.h"
#include "frame/HelpWindow.h"
#include "shell/ModuleWindows.h"
#include "shell/StretchedImage.h"
#include "shell/TF_Principal.h"
#include "shell/TF_Sobre.h"
#include "shell/TForm1.h"
#include "support/ModalWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using testing::Shown;
using testing::whileModal;

namespace
{

QAction *action(QWidget *window, const char *name)
{
    auto *found = window->findChild<QAction *>(QLatin1String(name));
    if (!found)
        qWarning("no action %s", name);
    return found;
}

// The menu's entries as "objectName|text", separators as "objectName|-".
QStringList entries(const QList<QAction *> &actions)
{
    QStringList out;
    for (QAction *a : actions)
        out << a->objectName() + QLatin1Char('|') +
                   (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// A data row of texts, one per column.
template <class... Texts> void addRow(const char *tag, const Texts &...texts)
{
    (QTest::newRow(tag) << ... << QString::fromUtf8(texts));
}

bool closeTo(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) < 40 && qAbs(qGreen(a) - qGreen(b)) < 40 &&
           qAbs(qBlue(a) - qBlue(b)) < 40;
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ErrorBox::setPresenter({}); }

    void splashLayout();
    void splashTimerHidesItAndKeepsRunning();
    void splashIgnoresKeys();

    void mainWindowLayout();
    void menuBarIsRightToLeftWithExactCaptions();
    void mainPictureStretchesWithTheWindow();
    void helpItemOpensTheGuide();
    void eachModuleItemOpensAFreshModalWindow_data();
    void eachModuleItemOpensAFreshModalWindow();
    void aboutBox();
    void aboutBoxClosesWithTheKeyboard_data();
    void aboutBoxClosesWithTheKeyboard();

    // These two run the application's event loop and end it; they stay last.
    void sairEndsTheProgram();
    void closingTheMainWindowEndsTheProgram();
};

void TestShell::splashLayout()
{
    TForm1 splash;
    QCOMPARE(splash.objectName(), QStringLiteral("Form1"));
    const Qt::WindowFlags flags = splash.windowFlags();
    QVERIFY(flags & Qt::FramelessWindowHint);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QCOMPARE(splash.size(), QSize(630, 422));
    QCOMPARE(splash.pos(), QPoint(217, 110));
    QVERIFY(splash.parentWidget() == nullptr);

    auto *top = splash.findChild<QWidget *>(QStringLiteral("Panel1"));
    auto *bottom = splash.findChild<QWidget *>(QStringLiteral("Panel2"));
    QVERIFY(top && bottom);
    QCOMPARE(top->geometry(), QRect(0, 0, 630, 61));
    QCOMPARE(bottom->geometry(), QRect(0, 361, 630, 61));

    // Each image where it stands on the form, with a picture of its own size.
    const struct {
        const char *name;
        QRect onForm;
    } images[] = {{"Image1", {37, 8, 97, 49}},
                  {"Image2", {489, 8, 97, 49}},
                  {"Image3", {444, 361 + 8, 159, 49}},
                  {"Image4", {32, 361 + 9, 153, 49}},
                  {"Image5", {10, 125, 201, 174}}};
    for (const auto &expected : images) {
        auto *image = splash.findChild<StretchedImage *>(QLatin1String(expected.name));
        QVERIFY2(image, expected.name);
        const QRect onForm(image->mapTo(&splash, QPoint(0, 0)), image->size());
        QCOMPARE(onForm, expected.onForm);
        QCOMPARE(image->pixmap().size(), expected.onForm.size());
    }

    auto *label1 = splash.findChild<QLabel *>(QStringLiteral("Label1"));
    auto *label2 = splash.findChild<QLabel *>(QStringLiteral("Label2"));
    QVERIFY(label1 && label2);
    QCOMPARE(label1->text(), QStringLiteral("MODELO TAVI"));
    QCOMPARE(label1->pos(), QPoint(287, 134));
    QCOMPARE(label1->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(label1->font().pixelSize(), 29);
    QVERIFY(label1->font().bold());
    QCOMPARE(label2->text(), QStringLiteral("Tavimar"));
    QCOMPARE(label2->pos(), QPoint(229, 201));
    QCOMPARE(label2->font().pixelSize(), 19);
    QVERIFY(!label2->font().bold());
    // The whole title is visible on the form.
    QVERIFY(splash.rect().contains(label1->geometry()));
}

void TestShell::splashTimerHidesItAndKeepsRunning()
{
    TForm1 splash;
    auto *timer = splash.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer, splash.timer());
    QCOMPARE(timer->interval(), 3000);
    QVERIFY(timer->isActive()); // running from creation, before it is shown
    QVERIFY(!timer->isSingleShot());

    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QPointer<TForm1> alive(&splash);
    splash.Timer1Timer();
    QVERIFY(!splash.isVisible());
    QVERIFY(timer->isActive());
    // A later tick is harmless: the window stays hidden and is not destroyed.
    splash.Timer1Timer();
    QVERIFY(!splash.isVisible());
    QCoreApplication::processEvents();
    QVERIFY(alive);
}

void TestShell::splashIgnoresKeys()
{
    TForm1 splash;
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::keyClick(&splash, Qt::Key_Return);
    QTest::keyClick(&splash, Qt::Key_F4, Qt::AltModifier);
    QVERIFY(splash.isVisible());
}

void TestShell::mainWindowLayout()
{
    TF_Principal window;
    QCOMPARE(window.objectName(), QStringLiteral("F_Principal"));
    // A new study: its name, and the place of the unsaved mark.
    QCOMPARE(window.windowTitle(), QStringLiteral("Novo estudo[*] - Modelo de Demanda"));
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.size(), QSize(696, 480));
    QVERIFY(window.minimumSize() != window.maximumSize()); // resizable
    QCOMPARE(window.centralWidget(), window.image());
    QCOMPARE(window.image()->pixmap().size(), QSize(696, 456));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    QVERIFY(qAbs(window.geometry().center().x() - screenCentre.x()) <= 1);
    QVERIFY(qAbs(window.geometry().center().y() - screenCentre.y()) <= 1);
}

void TestShell::menuBarIsRightToLeftWithExactCaptions()
{
    TF_Principal window;
    QMenuBar *bar = window.menuBar();
    QCOMPARE(bar->layoutDirection(), Qt::RightToLeft);
    QCOMPARE(entries(bar->actions()),
             (QStringList{"Arquivo1|     Arquivo     ", "Modelos1|     Modelo TAVI    ",
                          "Ajuda1|       Ajuda       ", "SairdoTAVI1|       Sair do TAVI       "}));

    auto *models = window.findChild<QMenu *>(QStringLiteral("Modelos1"));
    auto *help = window.findChild<QMenu *>(QStringLiteral("Ajuda1"));
    QVERIFY(models && help);
    QCOMPARE(entries(models->actions()),
             (QStringList{"AbastecimentoPblico1|Abastecimento Público", "Pecuria1|Pecuária", "N1|-",
                          "Agricultura1|Agricultura",
                          "guaparaaDiluiodeEsgotosDomsticos1|Água para a Diluição de Esgotos "
                          "Domésticos",
                          "N_resumo|-", "a_resumo|Resumo do Município",
                          "a_horizonte|Horizonte e Cenários", "a_balanco|Balanço Hídrico",
                          "N_regiao|-", "a_regiao|Região"}));
    QCOMPARE(entries(help->actions()),
             (QStringList{"AjudadoModelo1|Ajuda do Modelo", "N2|-", "Sobre1|Sobre"}));
    QVERIFY(action(&window, "AjudadoModelo1")->isEnabled());

    // The entries stand at the right end of the bar, the first one rightmost.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect first = bar->actionGeometry(bar->actions().at(0));
    const QRect last = bar->actionGeometry(bar->actions().at(3));
    QVERIFY(first.right() >= bar->width() - 12);
    QVERIFY(last.left() < first.left());
    QVERIFY(last.left() > bar->width() / 4);
    // The blanks widen the entries.
    QVERIFY(first.width() > bar->fontMetrics().horizontalAdvance(QStringLiteral("Arquivo")) +
                                bar->fontMetrics().horizontalAdvance(QStringLiteral("     ")));
}

void TestShell::mainPictureStretchesWithTheWindow()
{
    TF_Principal window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QSize size : {QSize(696, 480), QSize(400, 260), QSize(1000, 700)}) {
        window.resize(size);
        QCoreApplication::processEvents();
        StretchedImage *image = window.image();
        QCOMPARE(image->width(), size.width());
        const QImage drawn = image->grab().toImage();
        const QImage expected =
            image->pixmap()
                .scaled(image->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .toImage();
        const int w = drawn.width() - 1, h = drawn.height() - 1;
        for (const QPoint at : {QPoint(2, 2), QPoint(w - 2, 2), QPoint(w / 2, h / 2),
                                QPoint(2, h - 2), QPoint(w - 2, h - 2)})
            QVERIFY2(closeTo(drawn.pixel(at), expected.pixel(at)),
                     qPrintable(QStringLiteral("%1x%2 at %3,%4")
                                    .arg(size.width())
                                    .arg(size.height())
                                    .arg(at.x())
                                    .arg(at.y())));
    }
}

// "Ajuda do Modelo" opens the guide inside the program, at its first page, beside the main
// window; no desktop program is needed.
void TestShell::helpItemOpensTheGuide()
{
    TF_Principal window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const Shown shown = whileModal([&] { action(&window, "AjudadoModelo1")->trigger(); });
    QVERIFY(!shown.opened);
    auto *help = window.findChild<HelpWindow *>();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->browser()->source().fileName(), QStringLiteral("index.html"));
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Ajuda do Modelo TAVI")));
    QCOMPARE(action(&window, "AjudadoModelo1")->shortcut(), QKeySequence(Qt::Key_F1));
    help->close();
}

void TestShell::eachModuleItemOpensAFreshModalWindow_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    addRow("public supply", "AbastecimentoPblico1", "F_Abast_Publico",
           "Módulo Abastecimento Público");
    addRow("livestock", "Pecuria1", "F_Mod_Pecuaria", "Módulo Pecuária");
    addRow("agriculture", "Agricultura1", "F_Mod_Agricultura", "Módulo Agricultura");
    addRow("dilution", "guaparaaDiluiodeEsgotosDomsticos1", "F_Dem_Agua",
           "Demanda por Água para a Diluição de Esgotos Domésticos");
}

void TestShell::eachModuleItemOpensAFreshModalWindow()
{
    QFETCH(QString, item);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    TF_Principal main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QAction *menuItem = action(&main, qPrintable(item));
    QVERIFY(menuItem);

    // Something left in the first instance must not be there in the second.
    const char *mark = "left by the previous opening";
    for (int opening = 0; opening < 2; ++opening) {
        bool modal = false, fresh = false, overMain = false;
        QString title;
        const Shown shown =
            whileModal([&] { menuItem->trigger(); },
                       [&](QWidget *w) {
                           modal = w->isModal() && w->windowModality() == Qt::ApplicationModal;
                           overMain = w->parentWidget() == &main;
                           title = w->windowTitle();
                           fresh = !w->property(mark).isValid();
                           w->setProperty(mark, true);
                       });
        QCOMPARE(shown.name, window);
        QCOMPARE(title, caption);
        QVERIFY(modal);
        QVERIFY(overMain);
        QVERIFY(fresh);
        QVERIFY(shown.destroyed);
        // The main window takes input again.
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(QApplication::activeWindow(), &main);
    }
}

void TestShell::aboutBox()
{
    TF_Principal main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QSize size, minimum, maximum;
    QString title;
    Qt::WindowFlags flags;
    QRect imageRect, client;
    int buttons = -1;
    bool pictureLoaded = false;
    const Shown shown = whileModal([&] { action(&main, "Sobre1")->trigger(); },
                                   [&](QWidget *w) {
                                       size = w->size();
                                       minimum = w->minimumSize();
                                       maximum = w->maximumSize();
                                       title = w->windowTitle();
                                       flags = w->windowFlags();
                                       client = w->rect();
                                       buttons = w->findChildren<QAbstractButton *>().size();
                                       if (auto *image = w->findChild<StretchedImage *>()) {
                                           imageRect = image->geometry();
                                           pictureLoaded = !image->pixmap().isNull();
                                       }
                                   });
    QCOMPARE(shown.name, QStringLiteral("F_Sobre"));
    QVERIFY(shown.destroyed);
    QCOMPARE(title, QStringLiteral("Sobre..."));
    QCOMPARE(size, QSize(624, 348));
    QCOMPARE(minimum, size); // cannot be resized
    QCOMPARE(maximum, size);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowContextHelpButtonHint)));
    QCOMPARE(imageRect, client);
    QVERIFY(pictureLoaded);
    QCOMPARE(buttons, 0);
    QCOMPARE(QApplication::activeWindow(), &main);
}

void TestShell::aboutBoxClosesWithTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

// Without a window manager its close button is not drawn: the keys are the way out.
void TestShell::aboutBoxClosesWithTheKeyboard()
{
    QFETCH(int, key);
    TF_Sobre box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key(key));
    QVERIFY(!box.isVisible());
}

void TestShell::sairEndsTheProgram()
{
    TF_Principal main;
    TForm1 splash; // still showing: it must not hold the program open
    main.show();
    splash.show();
    QTimer failSafe;
    failSafe.setSingleShot(true);
    connect(&failSafe, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    failSafe.start(5000);
    QTimer::singleShot(0, action(&main, "SairdoTAVI1"), &QAction::trigger);
    QCOMPARE(QApplication::exec(), 0);
}

void TestShell::closingTheMainWindowEndsTheProgram()
{
    TF_Principal main;
    TForm1 splash;
    main.show();
    splash.show();
    QTimer failSafe;
    failSafe.setSingleShot(true);
    connect(&failSafe, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    failSafe.start(5000);
    QTimer::singleShot(0, &main, &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
