#include "core/CellBlock.h"

#include <QTest>

using namespace tavi;

class CellBlockTest : public QObject
{
    Q_OBJECT

private slots:
    void blocksSplitIntoRowsAndCells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVector<QStringList>>("rows");
        QTest::newRow("tabs, trailing line end")
            << QStringLiteral("1\t2\n3\t4\n") << QVector<QStringList>{{"1", "2"}, {"3", "4"}};
        QTest::newRow("windows line ends")
            << QStringLiteral("1\t2\r\n3\t4\r\n") << QVector<QStringList>{{"1", "2"}, {"3", "4"}};
        QTest::newRow("semicolons")
            << QStringLiteral("1,5;2\n3;4,25") << QVector<QStringList>{{"1,5", "2"}, {"3", "4,25"}};
        QTest::newRow("tabs win over semicolons")
            << QStringLiteral("a;b\tc") << QVector<QStringList>{{"a;b", "c"}};
        QTest::newRow("empty cells kept")
            << QStringLiteral("\t\n5\t") << QVector<QStringList>{{"", ""}, {"5", ""}};
        QTest::newRow("single value") << QStringLiteral("7") << QVector<QStringList>{{"7"}};
    }
    void blocksSplitIntoRowsAndCells()
    {
        QFETCH(QString, text);
        QFETCH(QVector<QStringList>, rows);
        QCOMPARE(parseBlock(text), rows);
    }

    void aFullYearLandsWithDay366()
    {
        CellTable series(4, 367, 366, true);
        QString year;
        for (int day = 1; day <= 366; ++day)
            year += QStringLiteral("%1.5\t%2\n").arg(day).arg(day % 7);
        const CellRange written = pasteBlock(series, 1, 1, year, true, LocaleSettings::brazilian());
        QCOMPARE(written.rows, 366);
        QCOMPARE(written.columns, 2);
        QCOMPARE(series.cell(1, 1), QStringLiteral("1,5"));
        QCOMPARE(series.cell(2, 1), QStringLiteral("1"));
        QCOMPARE(series.cell(1, 366), QStringLiteral("366,5"));
        QCOMPARE(series.cell(2, 366), QStringLiteral("2"));
        QCOMPARE(series.cell(0, 1), QString());
        QCOMPARE(series.cell(3, 1), QString());
    }

    void blocksAreCutAtTheEdges()
    {
        CellTable grid(3, 5, 5, true);
        const CellRange written =
            pasteBlock(grid, 1, 3, QStringLiteral("a\tb\tc\nd\te\tf\ng\th\ti\n"), false);
        QCOMPARE(written.rows, 2);
        QCOMPARE(written.columns, 2);
        QCOMPARE(grid.cell(1, 3), QStringLiteral("a"));
        QCOMPARE(grid.cell(2, 4), QStringLiteral("e"));
        QCOMPARE(grid.cell(0, 4), QString());
    }

    void separatorsFollowTheLocaleOnlyWhenAsked()
    {
        CellTable grid(2, 2, 2, false);
        pasteBlock(grid, 0, 0, QStringLiteral("1,25\t3.5"), true, LocaleSettings::decimalPoint());
        QCOMPARE(grid.cell(0, 0), QStringLiteral("1.25"));
        QCOMPARE(grid.cell(1, 0), QStringLiteral("3.5"));
        pasteBlock(grid, 0, 1, QStringLiteral("1,25\t3.5"), false, LocaleSettings::decimalPoint());
        QCOMPARE(grid.cell(0, 1), QStringLiteral("1,25"));
        QCOMPARE(grid.cell(1, 1), QStringLiteral("3.5"));
    }

    void copyThenPasteGivesTheSameCells()
    {
        CellTable source(3, 4, 4, false);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                source.setCell(c, r, QStringLiteral("  %1,%2 ").arg(c).arg(r));
        source.setCell(1, 2, QString());
        const QString text = copyBlock(source, {0, 1, 3, 3});
        CellTable target(3, 4, 4, false);
        pasteBlock(target, 0, 1, text, false);
        for (int r = 1; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(target.cell(c, r), source.cell(c, r));
    }

    void aBatchSendsOneChangeNotice()
    {
        CellTable grid(4, 367, 366, true);
        int notices = 0;
        connect(&grid, &CellTable::dataChanged, this, [&] { ++notices; });
        QString year;
        for (int day = 1; day <= 366; ++day)
            year += QStringLiteral("1\t2\n");
        pasteBlock(grid, 1, 1, year, false);
        QCOMPARE(notices, 1);
    }
};

QTEST_GUILESS_MAIN(CellBlockTest)
#include "tst_cell_block.moc"
