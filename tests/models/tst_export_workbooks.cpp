// "Salvar" in each module window, through the program's own spreadsheet component, saved to
// an .xlsx and read back with an independent reader (python3-openpyxl).

#include "core/numbers/NumberText.h"
#include "core/tables/CellTable.h"
#include "export/ExportPrompts.h"
#include "export/SpreadsheetApp.h"
#include "export/XlsxReadBack.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "support/WindowTesting.h"

#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cmath>

using ExportPrompts::SaveAnswer;
using testing::ReadSheet;
using testing::ReadWorkbook;

namespace
{

// Compares a saved cell with the grid text it came from: a text that reads as a number
// under the regional settings is a number in the file, an empty one is no value at all.
bool matches(const testing::ReadCell &cell, const QString &text, QString *why)
{
    long double number = 0;
    if (text.isEmpty()) {
        *why = QStringLiteral("expected empty, got %1").arg(cell.value.toString());
        return !cell.value.isValid();
    }
    if (tavi::tryTextToNumber(text, &number)) {
        *why = QStringLiteral("expected number %1, got %2").arg(text, cell.value.toString());
        if (cell.value.typeId() != QMetaType::Double)
            return false;
        const double want = static_cast<double>(number);
        return std::fabs(cell.value.toDouble() - want) <= 1e-14 * std::fabs(want);
    }
    *why = QStringLiteral("expected text '%1', got '%2'").arg(text, cell.value.toString());
    return cell.value == QVariant(text);
}

// Grid rows firstRow .. lastRow, columns 0 .. columns - 1, against sheet rows from
// firstSheetRow, columns from firstSheetColumn.
void verifyBlock(const ReadSheet &sheet, const tavi::CellTable &grid, const QStringList &cells,
                 int columns, int firstRow, int lastRow, int firstSheetRow, int firstSheetColumn)
{
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = 0; c < columns; ++c) {
            const int row = firstSheetRow + r - firstRow;
            const int column = firstSheetColumn + c;
            const testing::ReadCell cell = sheet.at(row, column);
            QString why;
            QVERIFY2(
                matches(cell, cells[r * grid.columns() + c], &why),
                qPrintable(
                    QStringLiteral("%1%2: %3").arg(tavi::columnLetters(column)).arg(row).arg(why)));
            QVERIFY(!cell.bold);
        }
}

void verifyHeaders(const ReadSheet &sheet, int row, int firstColumn, const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i) {
        const testing::ReadCell cell = sheet.at(row, firstColumn + i);
        QCOMPARE(cell.value, QVariant(texts[i]));
        QVERIFY(cell.bold);
    }
}

// The user answers "Salvar" and picks a file in the dialog.
class SavingUser
{
public:
    explicit SavingUser(const QString &path)
    {
        ExportPrompts::Hooks hooks;
        hooks.askToSave = [this](QWidget *, const QString &name) {
            questions << name;
            return SaveAnswer::Save;
        };
        hooks.chooseSaveFile = [this, path](QWidget *, const QString &suggested) {
            suggestions << suggested;
            return path;
        };
        hooks.showError = [this](QWidget *, const QString &text) { errors << text; };
        ExportPrompts::setHooks(hooks);
    }
    ~SavingUser() { ExportPrompts::setHooks({}); }
    QStringList questions, suggestions, errors;
};

void click(QWidget *window, const char *button)
{
    auto *b = window->findChild<QToolButton *>(QLatin1String(button));
    QVERIFY(b);
    b->click();
}

} // namespace

class ExportWorkbooksTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<testing::LocaleScope> locale;

    // Saves through "Salvar" under the suggested name and reads the file back.
    void saveAndRead(QWidget *window, const QString &suggestedName, ReadWorkbook *read)
    {
        const QString path = folder.filePath(suggestedName);
        SavingUser user(path);
        click(window, "b_salvar");
        QCOMPARE(user.questions, QStringList({"Pasta1"}));
        QCOMPARE(user.suggestions, QStringList({suggestedName}));
        QVERIFY2(user.errors.isEmpty(), qPrintable(user.errors.join('\n')));
        QVERIFY(QFile::exists(path));
        READ_XLSX(path, *read);
        // A width written in the locale's own number form ("8,85") would not read as one.
        for (const ReadSheet &sheet : read->sheets)
            for (auto w = sheet.widths.begin(); w != sheet.widths.end(); ++w)
                QVERIFY2(std::isfinite(w.value()) && w.value() > 0, qPrintable(w.key()));
    }

private slots:
    void init()
    {
        locale = std::make_unique<testing::LocaleScope>(tavi::LocaleSettings::brazilian());
    }
    void cleanup() { locale.reset(); }

    void publicSupplyWorkbook()
    {
        TF_Abast_Publico window;
        QVERIFY(testing::showActive(&window));
        window.findChild<NumericEdit *>("me_1")->setValue(1000);
        window.findChild<NumericEdit *>("me_2")->setValue(0.15L);
        window.findChild<NumericEdit *>("me_3")->setValue(1234);
        window.findChild<NumericEdit *>("me_4")->setValue(0.12L);
        window.findChild<NumericEdit *>("e_p_1")->setValue(0.05L);
        window.findChild<NumericEdit *>("e_p_2")->setValue(1.5L);
        click(&window, "b_simular");
        const tavi::CellTable &grid = window.resultGrid()->table();
        const QStringList cells = testing::cellTexts(grid);

        ReadWorkbook read;
        saveAndRead(&window, "Abastecimento Público.xlsx", &read);
        QCOMPARE(read.sheetNames, QStringList({"Plan1"}));
        const ReadSheet sheet = read.sheets.value("Plan1");
        QVERIFY(!sheet.at(1, 1).value.isValid());
        verifyHeaders(sheet, 2, 1, {"DIA", "ATUAL", "FUTURA"});
        verifyBlock(sheet, grid, cells, 3, 1, 365, 3, 1);
        QCOMPARE(sheet.at(3, 1).value, QVariant(1.0)); // day label "01"
        QCOMPARE(sheet.at(367, 1).value, QVariant(365.0));
        QCOMPARE(sheet.at(3, 2).value, QVariant(178.08)); // 1000 × 0,15 + 234 × 0,12
        QVERIFY(!sheet.at(368, 1).value.isValid());
        for (const char *column : {"A", "B", "C"})
            QVERIFY2(sheet.widths.value(column) >= 6, column); // fitted: "FUTURA"
        QCOMPARE(testing::cellTexts(grid), cells);
    }

    void livestockWorkbook()
    {
        TF_Mod_Pecuaria window;
        QVERIFY(testing::showActive(&window));
        int n = 1;
        for (NumericEdit *field : window.findChildren<NumericEdit *>())
            field->setValue(12.5L * n++);
        click(&window, "b_simular");
        tavi::CellTable &grid = window.resultGrid()->table();
        grid.setCell(3, 200, QStringLiteral("digitado")); // typed into the editable grid
        const QStringList cells = testing::cellTexts(grid);
        QCOMPARE(grid.cell(0, 366), QStringLiteral("366"));

        ReadWorkbook read;
        saveAndRead(&window, "Pecuária.xlsx", &read);
        const ReadSheet sheet = read.sheets.value("Plan1");
        verifyHeaders(sheet, 2, 1,
                      {"DIA", "BOVINO", "SUINO", "EQUINO", "CAPRINO", "GALINÁCEO", "m3/dia"});
        verifyBlock(sheet, grid, cells, 7, 1, 366, 3, 1);
        QCOMPARE(sheet.at(368, 1).value, QVariant(366.0));
        QCOMPARE(sheet.at(202, 4).value, QVariant(QStringLiteral("digitado")));
        QCOMPARE(testing::cellTexts(grid), cells);
        QVERIFY(sheet.widths.value("F") >= QStringLiteral("GALINÁCEO").size());
    }

    void dilutionWorkbookWithChart()
    {
        MaximumBox::setPresenter([](QWidget *, const QString &) {});
        TF_Dem_Agua window;
        QVERIFY(testing::showActive(&window));
        click(&window, "b_simular");
        MaximumBox::setPresenter({});
        const tavi::CellTable &grid = window.resultGrid()->table();
        const QStringList cells = testing::cellTexts(grid);
        QVERIFY(!grid.cell(4, 50).isEmpty());

        ReadWorkbook read;
        saveAndRead(&window, "Diluição de Esgotos.xlsx", &read);
        QCOMPARE(read.sheetNames, QStringList({"Graf. Vazão Indisponível", "Resultados"}));
        QCOMPARE(read.chartSheetNames, QStringList({"Graf. Vazão Indisponível"}));
        const ReadSheet sheet = read.sheets.value("Resultados");
        verifyHeaders(sheet, 1, 1,
                      {"Ponto de Lançamento", "Qefluente.n", "DBO5efluente.n", "Qdil.n",
                       "Qind.n (acumulada)"});
        for (int column = 1; column <= 5; ++column)
            QVERIFY(!sheet.at(2, column).value.isValid());
        verifyBlock(sheet, grid, cells, 5, 1, 50, 3, 1);
        QVERIFY(!sheet.at(53, 1).value.isValid());

        QCOMPARE(read.chartXml.size(), 1);
        const QString xml = read.chartXml.first();
        QVERIFY(xml.contains("<c:lineChart>"));
        QVERIFY(xml.contains("<c:grouping val=\"stacked\"/>"));
        QCOMPARE(xml.count("<c:ser>"), 1);
        QVERIFY(xml.contains("<c:val><c:numRef><c:f>Resultados!$E$3:$E$52</c:f>"));
        QVERIFY(!xml.contains("<c:cat>"));
        QCOMPARE(testing::cellTexts(grid), cells);
    }

    void agricultureWorkbook()
    {
        TF_Mod_Agricultura window;
        QVERIFY(testing::showActive(&window));
        click(&window, "b_simular");
        window.classGrid(2)->setCell(3, 17, QStringLiteral("texto"));
        const tavi::CellTable &serie = window.serie()->table();
        const tavi::CellTable &total = window.total()->table();
        const QStringList serieCells = testing::cellTexts(serie);
        const QStringList totalCells = testing::cellTexts(total);
        QList<QStringList> classCells;
        for (int k = 0; k < 9; ++k)
            classCells << testing::cellTexts(window.classGrid(k)->table());

        ReadWorkbook read;
        saveAndRead(&window, "Agricultura.xlsx", &read);
        const ReadSheet sheet = read.sheets.value("Plan1");
        const QList<QPair<int, QString>> headers = {{2, "Parâmetros de Entrada"},
                                                    {9, "Classe A"},
                                                    {15, "Classe B"},
                                                    {22, "Classe C"},
                                                    {29, "Classe D"},
                                                    {36, "Classe E"},
                                                    {43, "Classe F"},
                                                    {50, "Classe G"},
                                                    {57, "Classe H"},
                                                    {64, "Classe I"},
                                                    {69, "Classe Total Agricultura (m3/dia)"}};
        for (const auto &h : headers)
            verifyHeaders(sheet, 1, h.first, {h.second});
        verifyHeaders(sheet, 2, 70, {"   (m3/dia)"});
        verifyBlock(sheet, serie, serieCells, 4, 1, 366, 3, 1);
        const int classColumns[9] = {8, 14, 21, 28, 35, 42, 49, 56, 63};
        for (int k = 0; k < 9; ++k)
            verifyBlock(sheet, window.classGrid(k)->table(), classCells[k], 5, 1, 366, 3,
                        classColumns[k]);
        // The total twice: BR and BS, total row k in sheet row k + 3.
        verifyBlock(sheet, total, totalCells, 1, 0, 365, 3, 70);
        verifyBlock(sheet, total, totalCells, 1, 0, 365, 3, 71);
        QCOMPARE(sheet.at(19, 24).value, QVariant(QStringLiteral("texto")));
        QVERIFY(!sheet.at(369, 1).value.isValid());
        // Only BR2 in row 2, and no column fitted.
        for (auto it = sheet.cells.begin(); it != sheet.cells.end(); ++it)
            if (it.key().first == 2)
                QCOMPARE(it.key().second, 70);
        QVERIFY(sheet.widths.isEmpty());

        // The workbook window closed and gave activation back: the grids are as they were.
        QCOMPARE(testing::cellTexts(serie), serieCells);
        QCOMPARE(testing::cellTexts(total), totalCells);
        for (int k = 0; k < 9; ++k)
            QCOMPARE(testing::cellTexts(window.classGrid(k)->table()), classCells[k]);
    }
};

QTEST_MAIN(ExportWorkbooksTest)
#include "tst_export_workbooks.moc"
