#include "core/tables/CellTable.h"
#include "export/ExportProcedure.h"
#include "export/ExportPrompts.h"
#include "export/RecordingSpreadsheet.h"
#include "export/ResultExport.h"
#include "support/WindowTesting.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using testing::RecordingSpreadsheet;
using Op = RecordingSpreadsheet::Operation;

namespace
{

const QString startFailed = QString::fromUtf8(ExportMessages::startFailed);
const QString conversionFailed = QString::fromUtf8(ExportMessages::conversionFailed);

// A grid whose every cell tells where it is: "c<column>r<row>".
std::unique_ptr<tavi::CellTable> markedGrid(int columns, int storedRows, bool headerRow,
                                            const QString &tag = QString())
{
    auto grid = std::make_unique<tavi::CellTable>(columns, storedRows, storedRows, headerRow);
    for (int r = 0; r < storedRows; ++r)
        for (int c = 0; c < columns; ++c)
            grid->setCell(c, r, QStringLiteral("%1c%2r%3").arg(tag).arg(c).arg(r));
    return grid;
}

QStringList startCalls()
{
    return {QStringLiteral("create Excel.Application"), QStringLiteral("workbooksAdd 1")};
}

// Bold first, then the texts, in the same order.
QStringList headerCalls(int row, const QStringList &texts, int firstColumn = 1)
{
    QStringList calls;
    for (int i = 0; i < texts.size(); ++i)
        calls << RecordingSpreadsheet::bold(row, firstColumn + i);
    for (int i = 0; i < texts.size(); ++i)
        calls << RecordingSpreadsheet::cell(row, firstColumn + i, texts[i]);
    return calls;
}

// Grid rows 1 .. lastRow, cell by cell, into sheet rows 3 onwards from column A.
QStringList rowCalls(const tavi::CellTable &grid, int lastRow)
{
    QStringList calls;
    for (int r = 1; r <= lastRow; ++r)
        for (int c = 0; c < grid.columns(); ++c)
            calls << RecordingSpreadsheet::cell(r + 2, c + 1, grid.cell(c, r));
    return calls;
}

// Records the export's message boxes instead of showing them.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        ExportPrompts::Hooks hooks;
        hooks.showError = [this](QWidget *parent, const QString &text) {
            parents << parent;
            messages << text;
            busyWhileShown << (QApplication::overrideCursor() != nullptr);
        };
        ExportPrompts::setHooks(hooks);
    }
    ~MessageRecorder() { ExportPrompts::setHooks({}); }
    QStringList messages;
    QList<QWidget *> parents;
    QList<bool> busyWhileShown;
};

} // namespace

class ExportProcedureTest : public QObject
{
    Q_OBJECT

    QWidget window;

    // After a failed export: one message, no busy cursor, the application ended and released.
    void verifyFailureHandled(const RecordingSpreadsheet &app, const MessageRecorder &recorder,
                              int failedCall)
    {
        QCOMPARE(recorder.messages, QStringList({conversionFailed}));
        QCOMPARE(recorder.parents.value(0), &window);
        QCOMPARE(recorder.busyWhileShown, QList<bool>({false}));
        QCOMPARE(app.calls.size(), failedCall + 1);
        QCOMPARE(app.calls.last(), QStringLiteral("abandon"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(app.appsAlive, 0);
    }

private slots:
    void cleanup() { QCOMPARE(QApplication::overrideCursor(), nullptr); }

    void publicSupplyLayout()
    {
        MessageRecorder recorder;
        auto grid = markedGrid(3, 366, true);
        const QStringList before = testing::cellTexts(*grid);
        RecordingSpreadsheet app;
        exportPublicSupply(&window, *grid, app);

        const QStringList expected = startCalls() + headerCalls(2, {"DIA", "ATUAL", "FUTURA"}) +
                                     rowCalls(*grid, 365) +
                                     QStringList{"autoFit", "visible true", "quit"};
        QCOMPARE(app.calls, expected);
        QCOMPARE(app.calls.at(8), QStringLiteral("cell A3 c0r1"));
        QCOMPARE(app.calls.at(8 + 364 * 3 + 2), QStringLiteral("cell C367 c2r365"));
        QCOMPARE(app.suggestedFileName, QStringLiteral("Abastecimento Público.xlsx"));
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(testing::cellTexts(*grid), before);
        QCOMPARE(app.appsAlive, 0);
    }

    void busyCursorOnlyDuringTheCopy()
    {
        MessageRecorder recorder;
        auto grid = markedGrid(3, 366, true);
        RecordingSpreadsheet app;
        exportPublicSupply(&window, *grid, app);
        for (int i = 0; i < app.calls.size(); ++i) {
            const bool copy = app.ops[i] == Op::CellText && i >= 8;
            QVERIFY2(app.busyCursor[i] == copy, qPrintable(app.calls[i]));
        }
    }

    void livestockLayoutIncludesDay366()
    {
        MessageRecorder recorder;
        // Header row, days 1 to 365 shown, day 366 stored below them.
        tavi::CellTable grid(7, 367, 366, true);
        for (int r = 1; r <= 366; ++r)
            for (int c = 0; c < 7; ++c)
                grid.setCell(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
        RecordingSpreadsheet app;
        exportLivestock(&window, grid, app);

        const QStringList expected =
            startCalls() +
            headerCalls(2, {"DIA", "BOVINO", "SUINO", "EQUINO", "CAPRINO", "GALINÁCEO", "m3/dia"}) +
            rowCalls(grid, 366) + QStringList{"autoFit", "visible true", "quit"};
        QCOMPARE(app.calls, expected);
        QVERIFY(app.calls.contains(QStringLiteral("cell G368 c6r366")));
        QCOMPARE(app.suggestedFileName, QStringLiteral("Pecuária.xlsx"));
    }

    void dilutionLayoutAndChart()
    {
        MessageRecorder recorder;
        auto grid = markedGrid(5, 51, true);
        RecordingSpreadsheet app;
        exportDilution(&window, *grid, app);

        const QString chart = QStringLiteral("Graf. Vazão Indisponível");
        const QStringList expected =
            startCalls() +
            headerCalls(1, {"Ponto de Lançamento", "Qefluente.n", "DBO5efluente.n", "Qdil.n",
                            "Qind.n (acumulada)"}) +
            rowCalls(*grid, 50) +
            QStringList{"autoFit",
                        "visible true",
                        "sheetsAdd 1 1 -4109",
                        "sheetName 1 1 " + chart,
                        "sheetName 1 2 Resultados",
                        "range Resultados E3:E52",
                        "seriesValues " + chart + " 1 Resultados!$E$3:$E$52",
                        "chartType " + chart + " 63",
                        "quit"};
        QCOMPARE(app.calls, expected);
        QVERIFY(app.calls.contains(QStringLiteral("cell E52 c4r50")));
        QCOMPARE(app.suggestedFileName, QStringLiteral("Diluição de Esgotos.xlsx"));
        QVERIFY(recorder.messages.isEmpty());
    }

    void agricultureLayout()
    {
        MessageRecorder recorder;
        auto serie = markedGrid(4, 367, true, "S");
        std::vector<std::unique_ptr<tavi::CellTable>> classes;
        AgricultureGrids grids;
        grids.serie = serie.get();
        for (int i = 0; i < 9; ++i) {
            classes.push_back(markedGrid(5, 367, true, QString(QChar(u'A' + i))));
            grids.classes[i] = classes.back().get();
        }
        auto total = markedGrid(1, 366, false, "T");
        grids.total = total.get();
        RecordingSpreadsheet app;
        exportAgriculture(&window, grids, app);

        // The total first, whole, into BR3:BR368.
        QStringList expected = startCalls();
        for (int k = 0; k < 366; ++k)
            expected << RecordingSpreadsheet::cell(k + 3, 70, QStringLiteral("Tc0r%1").arg(k));
        const QList<QPair<QString, QString>> headers = {
            {"B1", "Parâmetros de Entrada"},
            {"I1", "Classe A"},
            {"O1", "Classe B"},
            {"V1", "Classe C"},
            {"AC1", "Classe D"},
            {"AJ1", "Classe E"},
            {"AQ1", "Classe F"},
            {"AX1", "Classe G"},
            {"BE1", "Classe H"},
            {"BL1", "Classe I"},
            {"BQ1", "Classe Total Agricultura (m3/dia)"},
            {"BR2", "   (m3/dia)"}};
        for (const auto &h : headers)
            expected << "bold " + h.first;
        for (const auto &h : headers)
            expected << "cell " + h.first + " " + h.second;
        // Then day by day: input block A:D, classes from H, N, U, AB, AI, AP, AW, BD, BK,
        // the total again in BS from its row r - 1.
        const int classColumns[9] = {8, 14, 21, 28, 35, 42, 49, 56, 63};
        for (int r = 1; r <= 366; ++r) {
            for (int c = 0; c < 4; ++c)
                expected << RecordingSpreadsheet::cell(r + 2, c + 1,
                                                       QStringLiteral("Sc%1r%2").arg(c).arg(r));
            for (int i = 0; i < 9; ++i)
                for (int c = 0; c < 5; ++c)
                    expected << RecordingSpreadsheet::cell(
                        r + 2, classColumns[i] + c,
                        QStringLiteral("%1c%2r%3").arg(QChar(u'A' + i)).arg(c).arg(r));
            expected << RecordingSpreadsheet::cell(r + 2, 71, QStringLiteral("Tc0r%1").arg(r - 1));
        }
        expected << "visible true"
                 << "quit"; // no column fitting
        QCOMPARE(app.calls.size(), expected.size());
        QCOMPARE(app.calls, expected);
        // About 18,700 cells, one call each.
        QCOMPARE(app.callsOf(Op::CellText).size(), 366 + 12 + 366 * 50);
        QVERIFY(app.calls.contains(QStringLiteral("cell BS368 Tc0r365")));
        QVERIFY(app.calls.contains(QStringLiteral("cell BO368 Ic4r366")));
        QCOMPARE(app.suggestedFileName, QStringLiteral("Agricultura.xlsx"));
    }

    // With no spreadsheet application, or one that takes no workbook, the user sees the
    // first message only and the export ends.
    void startFailureEndsTheExport_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::newRow("create") << 1;
        QTest::newRow("Workbooks.Add") << 2;
    }
    void startFailureEndsTheExport()
    {
        QFETCH(int, failAt);
        MessageRecorder recorder;
        auto grid = markedGrid(5, 51, true);
        RecordingSpreadsheet app;
        app.failAtCall = failAt;
        exportDilution(&window, *grid, app);
        QCOMPARE(recorder.messages, QStringList({startFailed}));
        QCOMPARE(recorder.parents.value(0), &window);
        QCOMPARE(app.calls, startCalls().mid(0, failAt));
        QCOMPARE(app.appsAlive, 0);
    }

    void failureDuringTheExport_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::newRow("first bold header") << 3;
        QTest::newRow("first header text") << 6;
        QTest::newRow("first copied cell") << 9;
        QTest::newRow("middle of the copy") << 500;
        QTest::newRow("last copied cell") << 8 + 365 * 3;
        QTest::newRow("Columns.AutoFit") << 9 + 365 * 3;
        QTest::newRow("Visible") << 10 + 365 * 3;
        QTest::newRow("Quit") << 11 + 365 * 3;
    }
    void failureDuringTheExport()
    {
        QFETCH(int, failAt);
        MessageRecorder recorder;
        auto grid = markedGrid(3, 366, true);
        const QStringList before = testing::cellTexts(*grid);
        RecordingSpreadsheet app;
        app.failAtCall = failAt;
        exportPublicSupply(&window, *grid, app);
        verifyFailureHandled(app, recorder, failAt);
        QCOMPARE(testing::cellTexts(*grid), before);
    }

    // Fails at each call of the dilution export in turn, the chart's included.
    void dilutionFailsCleanlyAtAnyCall()
    {
        auto grid = markedGrid(5, 51, true);
        RecordingSpreadsheet complete;
        {
            MessageRecorder quiet;
            exportDilution(&window, *grid, complete);
        }
        for (int failAt = 1; failAt <= complete.calls.size(); ++failAt) {
            MessageRecorder recorder;
            RecordingSpreadsheet app;
            app.failAtCall = failAt;
            exportDilution(&window, *grid, app);
            const QByteArray where = complete.calls[failAt - 1].toUtf8();
            if (failAt <= 2) {
                QVERIFY2(recorder.messages == QStringList({startFailed}), where);
                QVERIFY2(app.calls.size() == failAt, where);
            } else {
                QVERIFY2(recorder.messages == QStringList({conversionFailed}), where);
                QVERIFY2(app.calls.size() == failAt + 1 && app.calls.last() == "abandon", where);
                QVERIFY2(!app.busyCursor.back(), where);
            }
            QVERIFY2(QApplication::overrideCursor() == nullptr, where);
            QVERIFY2(app.appsAlive == 0, where);
        }
    }

    void agricultureFailureWhileCopyingTheTotal()
    {
        MessageRecorder recorder;
        auto serie = markedGrid(4, 367, true);
        auto oneClass = markedGrid(5, 367, true);
        auto total = markedGrid(1, 366, false);
        AgricultureGrids grids{serie.get(), {}, total.get()};
        grids.classes.fill(oneClass.get());
        RecordingSpreadsheet app;
        app.failAtCall = 100;
        exportAgriculture(&window, grids, app);
        verifyFailureHandled(app, recorder, 100);
        QCOMPARE(app.callsOf(Op::FontStyle).size(), 0);
    }

    // A grid smaller than its layout cannot be read whole: that too ends in the second
    // message, not in a crash.
    void gridTooSmallForItsLayout()
    {
        MessageRecorder recorder;
        auto grid = markedGrid(2, 366, true);
        RecordingSpreadsheet app;
        exportPublicSupply(&window, *grid, app);
        QCOMPARE(recorder.messages, QStringList({conversionFailed}));
        QCOMPARE(app.calls.last(), QStringLiteral("abandon"));
        QCOMPARE(app.appsAlive, 0);
    }

    // The real box: titled "Erro", exclamation icon, one OK button, the exact text.
    void realMessageBox()
    {
        QString title, text;
        int icon = -1;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        auto grid = markedGrid(3, 366, true);
        RecordingSpreadsheet app;
        app.failAtCall = 3;
        exportPublicSupply(&window, *grid, app);
        QCOMPARE(title, QStringLiteral("Erro"));
        QCOMPARE(text, conversionFailed);
        QCOMPARE(icon, int(QMessageBox::Warning));
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(ExportProcedureTest)
#include "tst_export_procedure.moc"
