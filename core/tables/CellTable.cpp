#include "core/tables/CellTable.h"

#include <QMetaMethod>

#include <stdexcept>

namespace tavi
{

CellTable::CellTable(int columns, int storedRows, int shownRows, bool headerRow, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_rows(storedRows),
      m_shownRows(qMin(shownRows, storedRows)), m_headerRow(headerRow),
      m_cells(columns * storedRows)
{
}

void CellTable::outOfRange()
{
    throw std::out_of_range("cell outside the grid");
}

const QString &CellTable::cell(int col, int row) const
{
    checkIndex(col, row);
    return m_cells[row * m_columns + col];
}

void CellTable::setCell(int col, int row, const QString &text)
{
    checkIndex(col, row);
    QString &slot = m_cells.data()[row * m_columns + col];
    if (slot == text)
        return;
    slot = text;
    if (m_batchDepth == 0 || !m_batchUnwatched)
        notifyChanged(col, row);
}

void CellTable::clear(int firstCol, int lastCol, int firstRow, int lastRow)
{
    if (firstCol > lastCol || firstRow > lastRow)
        return;
    checkIndex(firstCol, firstRow);
    checkIndex(lastCol, lastRow);
    const Batch batch(*this);
    QString *cells = m_cells.data();
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col <= lastCol; ++col) {
            QString &slot = cells[row * m_columns + col];
            if (slot.isEmpty())
                continue;
            slot = QString();
            notifyChanged(col, row);
        }
    }
}

void CellTable::copyFrom(const CellTable &source, int firstCol, int lastCol)
{
    if (lastCol < 0)
        lastCol = m_columns - 1;
    if (source.m_columns != m_columns || source.m_rows != m_rows)
        throw std::invalid_argument("tables of different shapes");
    const Batch batch(*this);
    for (int row = 0; row < m_rows; ++row)
        for (int col = firstCol; col <= lastCol; ++col)
            setCell(col, row, source.m_cells[row * m_columns + col]);
}

void CellTable::notifyChanged(int col, int row)
{
    const bool header = m_headerRow && row == 0;
    if (m_batchDepth > 0) {
        if (m_batchUnwatched)
            return;
        if (header) {
            m_batchHeaderDirty = true;
            return;
        }
        // Only the rectangle written is announced: a view updates the open cell editors of
        // the cells announced, and one outside what a batch wrote keeps what is being typed.
        // A row stored below those shown (day 366) is announced as the last row shown.
        const int shown = viewRow(row) >= 0 ? viewRow(row) : rowCount() - 1;
        if (shown < 0)
            return;
        if (!m_batchDirty) {
            m_dirtyTop = m_dirtyBottom = shown;
            m_dirtyLeft = m_dirtyRight = col;
        } else {
            m_dirtyTop = qMin(m_dirtyTop, shown);
            m_dirtyBottom = qMax(m_dirtyBottom, shown);
            m_dirtyLeft = qMin(m_dirtyLeft, col);
            m_dirtyRight = qMax(m_dirtyRight, col);
        }
        m_batchDirty = true;
        return;
    }
    if (header) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const int shown = viewRow(row);
    if (shown >= 0) {
        const QModelIndex at = index(shown, col);
        emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
    }
}

void CellTable::beginBatch()
{
    if (m_batchDepth++ > 0)
        return;
    // A table no view or watcher listens to (a run's own) keeps no account of what changed.
    static const QMetaMethod dataSignal = QMetaMethod::fromSignal(&CellTable::dataChanged);
    static const QMetaMethod headerSignal = QMetaMethod::fromSignal(&CellTable::headerDataChanged);
    m_batchUnwatched = !isSignalConnected(dataSignal) && !isSignalConnected(headerSignal);
}

void CellTable::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    if (m_batchHeaderDirty && m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    if (m_batchDirty)
        emit dataChanged(index(m_dirtyTop, m_dirtyLeft), index(m_dirtyBottom, m_dirtyRight),
                         {Qt::DisplayRole, Qt::EditRole});
    m_batchDirty = m_batchHeaderDirty = false;
}

int CellTable::viewRow(int row) const
{
    const int first = m_headerRow ? 1 : 0;
    if (row < first || row >= m_shownRows)
        return -1;
    return row - first;
}

int CellTable::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_shownRows - (m_headerRow ? 1 : 0);
}

int CellTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant CellTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QString &text = cell(index.column(), storedRow(index.row()));
    // Painting measures the whole text it is given; no cell shows more than this much.
    constexpr int kLongestShown = 256;
    if (role == Qt::DisplayRole && text.size() > kLongestShown)
        return text.left(kLongestShown);
    return text;
}

bool CellTable::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !isColumnEditable(index.column()))
        return false;
    const QString text = value.toString();
    if (text.size() > kLongestCellText)
        return false;
    setCell(index.column(), storedRow(index.row()), text);
    return true;
}

QVariant CellTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headerRow ? QVariant(cell(section, 0)) : QVariant();
    return section + 1;
}

Qt::ItemFlags CellTable::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && isColumnEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

} // namespace tavi
