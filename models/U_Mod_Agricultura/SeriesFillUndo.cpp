#include "models/U_Mod_Agricultura/SeriesFillUndo.h"

#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/tables/CellTable.h"

using namespace tavi;
using namespace tavi::agriculture;

namespace
{
constexpr int kSeriesColumns[] = {kEtpColumn, kRainColumn};
}

QVector<QString> SeriesFillUndo::texts(const CellTable &serie)
{
    QVector<QString> all;
    all.reserve(kDays * 2);
    for (int day = 1; day <= kDays; ++day)
        for (int col : kSeriesColumns)
            all << serie.cell(col, day);
    return all;
}

void SeriesFillUndo::remember(const CellTable &serie, const std::optional<SeriesOrigin> &origin)
{
    m_before = texts(serie);
    m_origin = origin;
    m_pending = false;
}

void SeriesFillUndo::filled(const CellTable &serie)
{
    m_after = texts(serie);
    m_pending = true;
}

bool SeriesFillUndo::canUndo(const CellTable &serie) const
{
    return m_pending && texts(serie) == m_after;
}

std::optional<SeriesOrigin> SeriesFillUndo::undo(CellTable &serie)
{
    CellTable::Batch batch(serie);
    int i = 0;
    for (int day = 1; day <= kDays; ++day)
        for (int col : kSeriesColumns)
            serie.setCell(col, day, m_before[i++]);
    m_pending = false;
    return m_origin;
}
