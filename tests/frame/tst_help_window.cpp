#include "frame/HelpWindow.h"
#include "frame/Pictures.h"
#include "support/WindowTesting.h"

#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

class HelpWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Pictures::ensureLoaded();
        HelpWindow::installKey(qApp);
    }

    // Each window opens its own page; a dialog opened from a window, its window's page.
    void pageOfEachWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("child"); // a dialog opened from it, if any
        QTest::addColumn<QString>("page");
        QTest::newRow("main window") << "F_Principal"
                                     << ""
                                     << "principal.html";
        QTest::newRow("public supply") << "F_Abast_Publico"
                                       << ""
                                       << "abastecimento.html";
        QTest::newRow("livestock") << "F_Mod_Pecuaria"
                                   << ""
                                   << "pecuaria.html";
        QTest::newRow("agriculture") << "F_Mod_Agricultura"
                                     << ""
                                     << "agricultura.html";
        QTest::newRow("station dialog") << "F_Mod_Agricultura"
                                        << "F_Estacao"
                                        << "estacao.html";
        QTest::newRow("dilution chart") << "F_Dem_Agua"
                                        << "F_Grafico"
                                        << "diluicao.html";
        QTest::newRow("summary") << "F_Resumo_Municipio"
                                 << ""
                                 << "resumo.html";
        QTest::newRow("horizon") << "TF_Horizonte"
                                 << ""
                                 << "horizonte.html";
        QTest::newRow("scenario name") << "TF_Horizonte"
                                       << "F_Nome_Cenario"
                                       << "horizonte.html";
        QTest::newRow("workbook") << "WorkbookWindow"
                                  << ""
                                  << "planilhas.html";
        QTest::newRow("study box") << "F_Estudo"
                                   << ""
                                   << "estudos.html";
        QTest::newRow("unknown") << "F_Outra"
                                 << ""
                                 << "index.html";
    }
    void pageOfEachWindow()
    {
        QFETCH(QString, window);
        QFETCH(QString, child);
        QWidget top;
        top.setObjectName(window);
        QDialog dialog(&top);
        dialog.setObjectName(child);
        auto *field = new QLineEdit(child.isEmpty() ? &top : static_cast<QWidget *>(&dialog));
        QTEST(HelpWindow::pageFor(field->window()), "page");
        QVERIFY(QFile::exists(QStringLiteral(":/help/") + HelpWindow::pageFor(&top)));
    }

    // Every page of the guide is there, has its title, and every link leads to a page.
    void everyPageAndLinkReads()
    {
        const QStringList pages = QDir(QStringLiteral(":/help")).entryList({"*.html"});
        QVERIFY(pages.size() >= 10);
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
        for (const QString &page : pages) {
            QFile file(QStringLiteral(":/help/") + page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(html.contains(QStringLiteral("<h1>")), qPrintable(page));
            for (auto m = link.globalMatch(html); m.hasNext();) {
                const QString target = m.next().captured(1);
                QVERIFY2(pages.contains(target), qPrintable(page + QStringLiteral(" → ") + target));
            }
            QTextDocument document;
            document.setHtml(html);
            QVERIFY2(document.toPlainText().size() > 400, qPrintable(page));
        }
    }

    // F1 in a field opens the window's page, over the window and usable beside it; F1 again
    // keeps one guide; Escape closes it; the links and "Voltar" move within it.
    void f1OpensThePageOfTheWindow()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("F_Dem_Agua"));
        auto *field = new QLineEdit(&window);
        new QVBoxLayout(&window);
        window.layout()->addWidget(field);
        QVERIFY(testing::showActive(&window));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1);
        auto *help = window.findChild<HelpWindow *>();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QCOMPARE(help->browser()->source().fileName(), QStringLiteral("diluicao.html"));
        QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Diluição")));
        QVERIFY(field->text().isEmpty());

        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(window.findChildren<HelpWindow *>().size(), 1);

        help->browser()->setSource(QUrl(QStringLiteral("index.html")));
        auto *back = help->findChild<QPushButton *>(QStringLiteral("b_voltar"));
        QVERIFY(back && back->isEnabled());
        back->click();
        QCOMPARE(help->browser()->source().fileName(), QStringLiteral("diluicao.html"));

        QPointer<HelpWindow> guide(help);
        QTest::keyClick(help->browser(), Qt::Key_Escape);
        QTRY_VERIFY(!guide);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_help_window.moc"
