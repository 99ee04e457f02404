#pragma once

#include "core/workbook/WorkbookChart.h"
#include "core/workbook/WorkbookWorksheet.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace tavi
{

// A workbook held in memory: named sheets in order, each a worksheet or a chart sheet.
// A new workbook holds one worksheet, the active sheet. Sheets are counted from 1, and a
// call naming a sheet that does not exist, or giving a sheet a name it cannot take, throws
// WorkbookError, as a spreadsheet application fails such a call.
class Workbook
{
public:
    // Sheet types as spreadsheet automation numbers them.
    static constexpr int kWorksheetType = -4167;
    static constexpr int kChartType = -4109;
    // The longest sheet name the .xlsx format allows.
    static constexpr int kMaxSheetNameLength = 31;

    struct Sheet {
        QString name;
        // Exactly one of the two.
        std::unique_ptr<Worksheet> worksheet;
        std::unique_ptr<WorkbookChart> chart;
        bool isChart() const { return chart != nullptr; }
    };

    explicit Workbook(const QString &name = QStringLiteral("Pasta1"));

    // The workbook's name: "Pasta1" until it is saved, then its file's name.
    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    int sheetCount() const { return static_cast<int>(m_sheets.size()); }
    const Sheet &sheet(int index) const;
    Sheet &sheet(int index);
    // The index of the sheet of that name (compared without regard to case), or 0.
    int sheetIndex(const QString &name) const;
    const Sheet &sheetNamed(const QString &name) const;
    Sheet &sheetNamed(const QString &name);

    // The sheet's worksheet or chart; throws when the sheet is of the other kind.
    Worksheet &worksheet(int index);
    const Worksheet &worksheet(int index) const;
    WorkbookChart &chart(int index);
    const WorkbookChart &chart(int index) const;

    int activeSheet() const { return m_active; }
    Worksheet &activeWorksheet() { return worksheet(m_active); }

    // Inserts `count` new sheets of `type` in front of sheet `before` (sheetCount() + 1
    // appends them); the first of them becomes the active sheet. New worksheets are named
    // "Plan2", "Plan3", ..., new chart sheets "Gráf1", "Gráf2", ...
    void addSheets(int before, int count, int type);
    void renameSheet(int index, const QString &name);

    // Why a name cannot be given to sheet `index`, or an empty text when it can: 1 to 31
    // characters, none of : \ / ? * [ ], no quote at either end, not "History", and no other
    // sheet of that name.
    QString sheetNameProblem(int index, const QString &name) const;

private:
    QString freshName(const QString &stem, int *counter) const;

    QString m_name;
    std::vector<Sheet> m_sheets;
    int m_active = 1;
    int m_worksheetsNamed = 1;
    int m_chartsNamed = 0;
};

} // namespace tavi

namespace tavi
{

// The values a chart plots from a range of a worksheet, in range order: numbers as they
// are, texts and empty cells as 0. Empty when the range's sheet is gone or is a chart.
std::vector<double> rangeValues(const Workbook &workbook, const CellRange &range);

// What a range's cells show (Worksheet::displayText), in range order; empty when the range's
// sheet is gone or is a chart.
QStringList rangeTexts(const Workbook &workbook, const CellRange &range,
                       const LocaleSettings &locale = LocaleSettings::current());

// What a chart calls a series: the nearest text above its values' first cell, as a
// spreadsheet names a series from the heading over its range; empty where there is none.
QString seriesHeading(const Workbook &workbook, const CellRange &range);

} // namespace tavi
