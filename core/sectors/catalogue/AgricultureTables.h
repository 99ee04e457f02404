#pragma once

#include "core/base/TaviError.h"
#include "core/tables/CellTable.h"

#include <array>
#include <memory>

// The cell tables of the irrigated agriculture window and their default texts.
namespace tavi::agriculture
{

constexpr int kClasses = 9; // crop classes A to I
constexpr int kDays = 366;  // day r lives in row r of the series and class grids

// Rows of the crop table: one per class. Its columns:
enum EntradaColumn {
    kLetterColumn = 0,
    kPeriodColumn = 1, // cultivation period, days
    kUnitColumn = 2,   // "   dias"
    kPhaseColumn = 3,  // phase p (0 to 3): length in kPhaseColumn + 2p, Kc in the next column
};
constexpr int kEntradaColumns = 11;

// Rows of the parameter table; its columns are the classes.
enum ParamRow { kStartRow = 0, kAreaRow = 1, kEfficiencyRow = 2 };
constexpr int kParamRows = 3;

// Columns of the input series.
enum SerieColumn { kDayColumn = 0, kEtpColumn = 1, kRainColumn = 2, kEffectiveRainColumn = 3 };
constexpr int kSerieColumns = 4;

// Columns of each class grid.
enum ClassColumn { kDiColumn = 0, kDeColumn = 1, kDbColumn = 2, kKcColumn = 3, kCounterColumn = 4 };
constexpr int kClassColumns = 5;

// The shape of a table: what a CellTable or a grid is built with. The day grids have a
// header row, show days 1 to 365 and store day 366 below them; the total has no header, row
// r - 1 holding day r, and shows all 366 days.
struct TableShape {
    int columns;
    int storedRows;
    int shownRows;
    bool headerRow;
};
constexpr TableShape kEntradaShape{kEntradaColumns, kClasses, kClasses, false};
constexpr TableShape kParamShape{kClasses, kParamRows, kParamRows, false};
constexpr TableShape kSerieShape{kSerieColumns, kDays + 1, kDays, true};
constexpr TableShape kClassShape{kClassColumns, kDays + 1, kDays, true};
constexpr TableShape kTotalShape{1, kDays, kDays, false};
CellTable *newTable(const TableShape &shape, QObject *parent = nullptr);
inline int totalRow(int day)
{
    return day - 1;
}

// The tables one run reads and writes, wherever they live (a window's grids, or a set of
// their own for tests and measurements).
struct Tables {
    CellTable *entrada = nullptr;
    CellTable *param = nullptr;
    CellTable *serie = nullptr;
    std::array<CellTable *, kClasses> classes{};
    CellTable *total = nullptr;
};

// Tables of the window's shapes owned by themselves.
class OwnedTables
{
public:
    OwnedTables();
    ~OwnedTables();
    OwnedTables(const OwnedTables &) = delete;
    OwnedTables &operator=(const OwnedTables &) = delete;

    const Tables &tables() const { return m_tables; }

private:
    std::unique_ptr<QObject> m_owner;
    Tables m_tables;
};

// The class letter, 'A' for class 0.
inline QChar classLetter(int k)
{
    return QChar(QLatin1Char(char('A' + k)));
}

// Where a series cell stands, as the user finds it: "Série, dia 100, coluna ETP".
QString seriesCellPlace(int col, int day);

// Writes every cell as a fresh window holds it: headers, day labels, "0" in every series
// and result cell, and the default crop and parameter tables. Decimal fractions in the
// defaults carry `decimalSeparator`, whatever character it is; every default text is padded
// with leading blanks ("    A", "   360", "   0,35"). Tables left null are skipped.
void writeDefaults(const Tables &tables, QChar decimalSeparator);
// Only the headings of a class grid ("DI(mm/dia)" ... "Contador"), the rest left as it is;
// and of the series, with its day labels.
void writeClassHeadings(CellTable &grid);
void writeSeriesHeadings(CellTable &serie);

// The cell of `to` that stands where `place` stands in `from`: tables of one shape, one set
// (a run's, say) standing for the other (a window's grids). A place in no table of `from`
// comes back as it is.
CellPlace samePlaceIn(const CellPlace &place, const Tables &from, const Tables &to);

} // namespace tavi::agriculture
