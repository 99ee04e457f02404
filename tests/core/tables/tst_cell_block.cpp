#include "core/tables/CellBlock.h"

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
        QTest::newRow("\\r\\r\\n ends one line") << QStringLiteral("1\t2\r\r\n3\t4\r\r\n")
                                                 << QVector<QStringList>{{"1", "2"}, {"3", "4"}};
        QTest::newRow("lone \\r ends a line")
            << QStringLiteral("1\r\r2\r") << QVector<QStringList>{{"1"}, {""}, {"2"}};
    }
    void blocksSplitIntoRowsAndCells()
    {
        QFETCH(QString, text);
        QFETCH(QVector<QStringList>, rows);
        QCOMPARE(parseBlock(text), rows);
    }

    // A clipboard far larger than the grid is split only as far as the grid reaches.
    void onlyWhatFitsIsSplit()
    {
        QString huge;
        for (int line = 0; line < 200000; ++line)
            huge += QStringLiteral("1,5\t2\t9\n");
        const QVector<QStringList> rows = parseBlock(huge, 366, 2);
        QCOMPARE(rows.size(), 366);
        QCOMPARE(rows.last(), QStringList({"1,5", "2"}));
        QCOMPARE(parseBlock(QStringLiteral("a\tb\nc"), 5, 0).size(), 0);
    }

    // A text far longer than any number refuses the whole paste; beyond the grid it is never
    // read.
    void overlongCellsRefuseThePaste_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("refused");
        QTest::newRow("in the first cell") << 0 << 1 << true;
        QTest::newRow("in a later row") << 1 << 2 << true;
        QTest::newRow("in a column beyond the grid") << 2 << 1 << false;
        QTest::newRow("in a row beyond the grid") << 0 << 3 << false;
    }
    void overlongCellsRefuseThePaste()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(bool, refused);
        QVector<QStringList> block(4, QStringList({"1", "2", "3"}));
        block[row][column] = QString(kLongestCellText + 1, QLatin1Char('9'));
        QString text;
        for (const QStringList &cells : block)
            text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        CellTable grid(3, 4, 4, true);
        grid.setCell(1, 1, QStringLiteral("antes"));
        const CellSpan written = pasteBlock(grid, 1, 1, text, false);
        QCOMPARE(written.isEmpty(), refused);
        QCOMPARE(grid.cell(1, 1), refused ? QStringLiteral("antes") : QStringLiteral("1"));
        QCOMPARE(parseBlock(QString(kLongestCellText, QLatin1Char('1'))).first().first().size(),
                 kLongestCellText);
    }

    // A block meant for the series but landing on the day column would shift every series
    // one column: refused. A read-only column further right is stepped over.
    void readOnlyColumnsAreNeverPastedInto()
    {
        CellTable series(4, 367, 366, true);
        series.setEditable(true);
        series.setColumnReadOnly(0);
        series.setColumnReadOnly(3);
        series.setCell(0, 1, QStringLiteral("01"));
        QVERIFY(pasteBlock(series, 0, 1, QStringLiteral("02\t4,5\t1"), false).isEmpty());
        QCOMPARE(series.cell(0, 1), QStringLiteral("01"));
        QCOMPARE(series.cell(1, 1), QString());
        const CellSpan written = pasteBlock(series, 1, 1, QStringLiteral("4,5\t1\t9"), false);
        QCOMPARE(written.columns, 3);
        QCOMPARE(series.cell(2, 1), QStringLiteral("1"));
        QCOMPARE(series.cell(3, 1), QString());
        QVERIFY(!series.setData(series.index(0, 0), QStringLiteral("07")));
        QVERIFY(!(series.flags(series.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!series.setData(series.index(0, 1), QString(kLongestCellText + 1, '1')));
        QVERIFY(series.setData(series.index(0, 1), QString(kLongestCellText, '1')));
    }

    void aFullYearLandsWithDay366()
    {
        CellTable series(4, 367, 366, true);
        QString year;
        for (int day = 1; day <= 366; ++day)
            year += QStringLiteral("%1.5\t%2\n").arg(day).arg(day % 7);
        const CellSpan written = pasteBlock(series, 1, 1, year, true, LocaleSettings::brazilian());
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
        const CellSpan written =
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
