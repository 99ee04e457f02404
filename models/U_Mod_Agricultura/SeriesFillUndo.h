#pragma once

#include "core/weather/SeriesOrigin.h"

#include <QVector>

#include <optional>

namespace tavi
{
class CellTable;
}

// One level of undo for a series filled from a station: the ETP and P of days 1..366 and the
// origin as they were before the fill. The fill is undone only while the series still holds
// what the fill wrote; once a day has been corrected by hand, undoing would throw the
// correction away without a word, so there is nothing left to undo.
class SeriesFillUndo
{
public:
    // Before a fill: the series and its origin as they are now.
    void remember(const tavi::CellTable &serie, const std::optional<tavi::SeriesOrigin> &origin);
    // After the fill: what it wrote.
    void filled(const tavi::CellTable &serie);

    bool canUndo(const tavi::CellTable &serie) const;
    // Puts the remembered series back, in one batch, and gives the remembered origin; there is
    // then nothing more to undo. Only when canUndo().
    std::optional<tavi::SeriesOrigin> undo(tavi::CellTable &serie);

private:
    static QVector<QString> texts(const tavi::CellTable &serie);

    bool m_pending = false;
    QVector<QString> m_before;
    QVector<QString> m_after;
    std::optional<tavi::SeriesOrigin> m_origin;
};
