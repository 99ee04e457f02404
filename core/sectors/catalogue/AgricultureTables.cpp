#include "core/sectors/catalogue/AgricultureTables.h"

#include "core/numbers/NumberText.h"
#include "core/tables/DayLabels.h"

#include <vector>

namespace tavi::agriculture
{

namespace
{

// The default crop table, one row per class: period, then length and Kc of each phase.
// Written with a point, which becomes the locale's decimal separator.
const char *const kDefaultCrops[kClasses][kEntradaColumns - 2] = {
    {"360", "90", "0.4", "90", "0.65", "90", "1.15", "90", "0.4"},
    {"90", "20", "0.35", "30", "0.65", "30", "1.15", "10", "0.7"},
    {"180", "30", "0.4", "50", "0.65", "55", "1.15", "45", "0.65"},
    {"360", "60", "0.75", "90", "0.65", "90", "0.65", "120", "0.75"},
    {"360", "90", "1", "90", "1", "90", "1", "90", "1"},
    {"130", "25", "0.45", "35", "0.65", "40", "1.1", "30", "0.55"},
    {"100", "30", "1.2", "20", "1", "20", "1", "30", "1.05"},
    {"360", "90", "0.95", "90", "0.95", "90", "0.95", "90", "0.95"},
    {"120", "30", "0.7", "40", "0.8", "40", "1.1", "10", "0.6"},
};

// The default parameters, one row per class: planting start, area (km2), efficiency.
const char *const kDefaultParams[kClasses][kParamRows] = {
    {"1", "20", "0.7"},  {"10", "10", "0.7"}, {"20", "50", "0.6"},
    {"1", "30", "0.6"},  {"1", "25", "0.7"},  {"10", "10", "0.7"},
    {"50", "10", "0.6"}, {"1", "10", "0.6"},  {"50", "10", "0.65"},
};

const char *const kSerieHeaders[kSerieColumns] = {"Dia", "ETP(mm/dia)", "P(mm/dia)", "Pef(mm/dia)"};
const char *const kClassHeaders[kClassColumns] = {"DI(mm/dia)", "DE(m3/dia)", "DB(m3/dia)", "Kc",
                                                  "Contador"};

const QString kPad = QStringLiteral("   ");

QString paddedNumber(const char *pointText, QChar decimalSeparator)
{
    QString text = kPad + QLatin1String(pointText);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

} // namespace

CellTable *newTable(const TableShape &shape, QObject *parent)
{
    return new CellTable(shape.columns, shape.storedRows, shape.shownRows, shape.headerRow, parent);
}

OwnedTables::OwnedTables() : m_owner(new QObject)
{
    QObject *owner = m_owner.get();
    m_tables.entrada = newTable(kEntradaShape, owner);
    m_tables.param = newTable(kParamShape, owner);
    m_tables.serie = newTable(kSerieShape, owner);
    for (CellTable *&table : m_tables.classes)
        table = newTable(kClassShape, owner);
    m_tables.total = newTable(kTotalShape, owner);
}

OwnedTables::~OwnedTables() = default;

void writeDefaults(const Tables &t, QChar decimalSeparator)
{
    std::vector<std::unique_ptr<CellTable::Batch>> batches;
    for (CellTable *table : {t.entrada, t.param, t.serie, t.total})
        if (table)
            batches.push_back(std::make_unique<CellTable::Batch>(*table));
    for (CellTable *table : t.classes)
        if (table)
            batches.push_back(std::make_unique<CellTable::Batch>(*table));

    const QString zero = QStringLiteral("0");
    if (CellTable *serie = t.serie) {
        writeSeriesHeadings(*serie);
        for (int day = 1; day <= kDays; ++day)
            for (int c = kEtpColumn; c < kSerieColumns; ++c)
                serie->setCell(c, day, zero);
    }
    for (CellTable *grid : t.classes) {
        if (!grid)
            continue;
        writeClassHeadings(*grid);
        for (int day = 1; day <= kDays; ++day)
            for (int c = 0; c < kClassColumns; ++c)
                grid->setCell(c, day, zero);
    }
    if (CellTable *total = t.total)
        for (int day = 1; day <= kDays; ++day)
            total->setCell(0, totalRow(day), zero);

    if (CellTable *entrada = t.entrada) {
        for (int k = 0; k < kClasses; ++k) {
            entrada->setCell(kLetterColumn, k, QStringLiteral("    ") + classLetter(k));
            entrada->setCell(kPeriodColumn, k, paddedNumber(kDefaultCrops[k][0], decimalSeparator));
            entrada->setCell(kUnitColumn, k, kPad + QStringLiteral("dias"));
            for (int c = kPhaseColumn; c < kEntradaColumns; ++c)
                entrada->setCell(c, k, paddedNumber(kDefaultCrops[k][c - 2], decimalSeparator));
        }
    }
    if (CellTable *param = t.param) {
        for (int k = 0; k < kClasses; ++k)
            for (int row = 0; row < kParamRows; ++row)
                param->setCell(k, row, paddedNumber(kDefaultParams[k][row], decimalSeparator));
    }
}

void writeSeriesHeadings(CellTable &serie)
{
    for (int c = 0; c < kSerieColumns; ++c)
        serie.setCell(c, 0, QLatin1String(kSerieHeaders[c]));
    for (int day = 1; day <= kDays; ++day)
        serie.setCell(kDayColumn, day, sharedDayLabel(day));
}

void writeClassHeadings(CellTable &grid)
{
    for (int c = 0; c < kClassColumns; ++c)
        grid.setCell(c, 0, QLatin1String(kClassHeaders[c]));
}

CellPlace samePlaceIn(const CellPlace &place, const Tables &from, const Tables &to)
{
    CellPlace moved = place;
    const auto match = [&](const CellTable *a, const CellTable *b) {
        if (place.table && place.table == a)
            moved.table = b;
    };
    match(from.entrada, to.entrada);
    match(from.param, to.param);
    match(from.serie, to.serie);
    for (int k = 0; k < kClasses; ++k)
        match(from.classes[k], to.classes[k]);
    match(from.total, to.total);
    return moved;
}

QString seriesCellPlace(int col, int day)
{
    const QString column = col == kEtpColumn    ? QStringLiteral("ETP")
                           : col == kRainColumn ? QStringLiteral("P")
                                                : QStringLiteral("Pef");
    return QStringLiteral("Série, dia %1, coluna %2").arg(day).arg(column);
}

} // namespace tavi::agriculture
