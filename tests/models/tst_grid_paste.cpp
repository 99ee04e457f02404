#include "frame/ResultGrid.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "support/WindowTesting.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QToolButton>

using namespace testing;
using tavi::LocaleSettings;

// Pasting blocks of cells into the windows' grids, as planners bring series over from a
// spreadsheet.
class GridPasteTest : public QObject
{
    Q_OBJECT

    static void paste(ResultGrid *grid, int viewRow, int col, const QString &text)
    {
        QGuiApplication::clipboard()->setText(text);
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(viewRow, col));
        grid->selectionModel()->clearSelection();
        QTest::keySequence(grid, QKeySequence::Paste);
    }

    static QString year(const QString &decimal)
    {
        QString text;
        for (int day = 1; day <= 366; ++day)
            text += QStringLiteral("%1%2%3\t%4\r\n")
                        .arg(day % 9)
                        .arg(decimal)
                        .arg(day % 4)
                        .arg(day % 3 == 0 ? 6 : 0);
        return text;
    }

private slots:
    void aYearOfSeriesIsOnePasteThenSimular_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("pastedDecimal");
        QTest::newRow("comma locale, points pasted") << true << QStringLiteral(".");
        QTest::newRow("point locale, commas pasted") << false << QStringLiteral(",");
    }
    void aYearOfSeriesIsOnePasteThenSimular()
    {
        QFETCH(bool, comma);
        QFETCH(QString, pastedDecimal);
        LocaleScope locale(comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        const QString sep = comma ? QStringLiteral(",") : QStringLiteral(".");
        TF_Mod_Agricultura window;
        QVERIFY(showActive(&window));
        ResultGrid *serie = window.serie();
        paste(serie, 0, 1, year(pastedDecimal));
        QCOMPARE(serie->cell(1, 1), QStringLiteral("1") + sep + QStringLiteral("1"));
        QCOMPARE(serie->cell(2, 3), QStringLiteral("6"));
        QCOMPARE(serie->cell(1, 366), QStringLiteral("6") + sep + QStringLiteral("2"));
        QCOMPARE(serie->cell(2, 366), QStringLiteral("6"));
        QCOMPARE(serie->cell(0, 366), QStringLiteral("366"));
        // Nothing is computed until "Simular".
        QCOMPARE(serie->cell(3, 1), QStringLiteral("0"));
        window.simularButton()->click();
        QVERIFY(serie->cell(3, 3) != QStringLiteral("0"));
        QVERIFY(window.total()->cell(0, 365) != QString());
    }

    void anUnreadablePastedCellIsReportedBySimular()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        ErrorRecorder errors;
        TF_Mod_Agricultura window;
        QVERIFY(showActive(&window));
        paste(window.serie(), 4, 1, QStringLiteral("4\t1\nx\t2\n"));
        QCOMPARE(window.serie()->cell(1, 6), QStringLiteral("x"));
        QVERIFY(errors.messages.isEmpty());
        window.simularButton()->click();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("'x' não é um valor de ponto flutuante válido.\n"
                                            "Série, dia 6, coluna ETP")});
        QCOMPARE(window.serie()->cell(1, 5), QStringLiteral("4"));
    }

    void gridsTheUserMayNotEditRefuseThePaste()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        TF_Mod_Agricultura agriculture;
        QVERIFY(showActive(&agriculture));
        QSignalSpy totalRefused(agriculture.total(), &ResultGrid::pasteRefused);
        paste(agriculture.total(), 0, 0, QStringLiteral("123\n"));
        QCOMPARE(totalRefused.count(), 1);
        QCOMPARE(agriculture.total()->cell(0, 0), QStringLiteral("0"));
        agriculture.close();

        TF_Abast_Publico supply;
        QVERIFY(showActive(&supply));
        QSignalSpy supplyRefused(supply.resultGrid(), &ResultGrid::pasteRefused);
        paste(supply.resultGrid(), 0, 0, QStringLiteral("1\t2\t3\n"));
        QCOMPARE(supplyRefused.count(), 1);
        QCOMPARE(supply.resultGrid()->cell(0, 1), QString());
    }

    void livestockResultsPasteWithoutTranslation()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        TF_Mod_Pecuaria window;
        QVERIFY(showActive(&window));
        auto *grid = window.findChild<ResultGrid *>(QStringLiteral("SG_Resultado"));
        QVERIFY(grid);
        paste(grid, 364, 5, QStringLiteral("1.5\t2,5\t9\n3\t4\t9\n"));
        // Cut at the last column (6) and after day 366, the last stored row.
        QCOMPARE(grid->cell(5, 365), QStringLiteral("1.5"));
        QCOMPARE(grid->cell(6, 365), QStringLiteral("2,5"));
        QCOMPARE(grid->cell(5, 366), QStringLiteral("3"));
        QCOMPARE(grid->cell(6, 366), QStringLiteral("4"));
    }

    void copyAndPasteBackGivesTheSameCells()
    {
        LocaleScope locale(LocaleSettings::brazilian());
        TF_Mod_Agricultura window;
        QVERIFY(showActive(&window));
        ResultGrid *entrada = window.entrada();
        entrada->setFocus();
        entrada->selectionModel()->select(
            QItemSelection(entrada->model()->index(1, 3), entrada->model()->index(2, 6)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keySequence(entrada, QKeySequence::Copy);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.startsWith(QStringLiteral("   20\t   0,35\t")));
        paste(entrada, 6, 3, copied);
        for (int c = 3; c <= 6; ++c) {
            QCOMPARE(entrada->cell(c, 6), entrada->cell(c, 1));
            QCOMPARE(entrada->cell(c, 7), entrada->cell(c, 2));
        }
    }
};

QTEST_MAIN(GridPasteTest)
#include "tst_grid_paste.moc"
