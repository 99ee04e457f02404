#pragma once

#include "core/tables/CellTable.h"

#include <QStringList>

namespace tavi
{

// Fills a result table row by row from scratch. Tables are sized for the rows a window shows,
// so whatever falls outside them is dropped rather than thrown; the writes go as one batch, so
// a view redraws once when the writer goes.
class TableWriter
{
public:
    explicit TableWriter(CellTable &table) : m_table(table), m_batch(table)
    {
        table.clear(0, table.columns() - 1, 0, table.storedRows() - 1);
    }
    void row(int r, const QStringList &cells)
    {
        if (r >= m_table.storedRows())
            return;
        for (int c = 0; c < cells.size() && c < m_table.columns(); ++c)
            m_table.setCell(c, r, cells[c]);
    }

private:
    CellTable &m_table;
    CellTable::Batch m_batch;
};

// The texts of `from` in `to` from its first cell, as far as `to` reaches, and whatever `to`
// held beyond them emptied: a result computed into a table of its own, shown in a window's
// grid of another size.
inline void copyFitting(const CellTable &from, CellTable &to)
{
    CellTable::Batch batch(to);
    to.clear(0, to.columns() - 1, 0, to.storedRows() - 1);
    for (int r = 0; r < from.storedRows() && r < to.storedRows(); ++r)
        for (int c = 0; c < from.columns() && c < to.columns(); ++c)
            to.setCell(c, r, from.cell(c, r));
}

} // namespace tavi
