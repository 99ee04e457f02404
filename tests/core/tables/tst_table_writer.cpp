#include "core/tables/TableWriter.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavi;

class TableWriterTest : public QObject
{
    Q_OBJECT

private slots:
    // Rows and cells beyond the table are dropped, and what an earlier fill left is gone.
    void writesOnlyWhatFits_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("whole row") << 1 << QStringList{"a", "b"} << QStringList{"a", "b"};
        QTest::newRow("short row") << 1 << QStringList{"a"} << QStringList{"a", ""};
        QTest::newRow("wide row") << 1 << QStringList{"a", "b", "c"} << QStringList{"a", "b"};
        QTest::newRow("row beyond the table") << 3 << QStringList{"a", "b"} << QStringList{"", ""};
    }
    void writesOnlyWhatFits()
    {
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, stored);
        CellTable table(2, 3, 3, false);
        table.setCell(0, 1, QStringLiteral("old"));
        table.setCell(1, 2, QStringLiteral("old"));
        {
            TableWriter writer(table);
            writer.row(row, cells);
        }
        QCOMPARE(QStringList({table.cell(0, 1), table.cell(1, 1)}), stored);
        QCOMPARE(table.cell(1, 2), QString());
    }

    // A view hears of the whole fill once, when the writer goes.
    void oneChangeNoticePerFill()
    {
        CellTable table(2, 3, 3, false);
        QSignalSpy changes(&table, &CellTable::dataChanged);
        {
            TableWriter writer(table);
            writer.row(0, {QStringLiteral("a"), QStringLiteral("b")});
            writer.row(2, {QStringLiteral("c"), QStringLiteral("d")});
            QCOMPARE(changes.count(), 0);
        }
        QCOMPARE(changes.count(), 1);
    }

    // A result table of another size shows what falls inside the grid, and nothing the grid
    // showed before stays.
    void copiesWhatFits_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("smaller result") << 1 << 2;
        QTest::newRow("same size") << 2 << 3;
        QTest::newRow("larger result") << 4 << 5;
    }
    void copiesWhatFits()
    {
        QFETCH(int, columns);
        QFETCH(int, rows);
        CellTable result(columns, rows, rows, false);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                result.setCell(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        CellTable grid(2, 3, 3, false);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                grid.setCell(c, r, QStringLiteral("old"));
        copyFitting(result, grid);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                QCOMPARE(grid.cell(c, r), c < columns && r < rows
                                              ? QStringLiteral("%1,%2").arg(c).arg(r)
                                              : QString());
    }
};

QTEST_GUILESS_MAIN(TableWriterTest)
#include "tst_table_writer.moc"
