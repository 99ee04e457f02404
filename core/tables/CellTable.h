#pragma once

#include <QAbstractTableModel>
#include <QSet>
#include <QString>
#include <QVector>

namespace tavi
{

// The longest text a cell takes from a paste or the keyboard: far beyond any number, short
// enough that painting and reading a cell stay instant.
constexpr int kLongestCellText = 1000;

// A grid of text cells: what the models read and write, and the model behind every grid
// view. Cells are numbered (column, row) from 0 over every stored row. Where the grid has a
// fixed header row, row 0 is that header: views show it as their horizontal header and show
// rows 1 to shownRows - 1 as data rows. Rows stored beyond shownRows (day 366 of the daily
// grids) are read and written like the others but not shown.
class CellTable : public QAbstractTableModel
{
    Q_OBJECT
public:
    CellTable(int columns, int storedRows, int shownRows, bool headerRow,
              QObject *parent = nullptr);

    int columns() const { return m_columns; }
    int storedRows() const { return m_rows; }
    int shownRows() const { return m_shownRows; }
    bool hasHeaderRow() const { return m_headerRow; }

    // Out-of-range cells throw std::out_of_range.
    const QString &cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    // Empties the cells of columns firstCol..lastCol in rows firstRow..lastRow, with one
    // change notice.
    void clear(int firstCol, int lastCol, int firstRow, int lastRow);
    // Takes the texts of columns firstCol..lastCol (every column when lastCol is -1), in every
    // stored row, from a table of the same shape, with one change notice: a run's results
    // shown in a window's grid.
    void copyFrom(const CellTable &source, int firstCol = 0, int lastCol = -1);

    // Whether the user may type into the cells through a view: the grid as a whole, and then
    // each column (a column of labels, such as the day column, is never typed into).
    bool isEditable() const { return m_editable; }
    void setEditable(bool editable) { m_editable = editable; }
    void setColumnReadOnly(int col) { m_readOnlyColumns.insert(col); }
    bool isColumnReadOnly(int col) const { return m_readOnlyColumns.contains(col); }
    bool isColumnEditable(int col) const { return m_editable && !isColumnReadOnly(col); }

    // While a batch is open, writes notify no view; closing the last batch sends one
    // change notice for everything written, so a run of thousands of cells redraws once. A
    // batch opened while nothing listens to the table sends none.
    void beginBatch();
    void endBatch();
    class Batch
    {
    public:
        explicit Batch(CellTable &table) : m_table(table) { m_table.beginBatch(); }
        ~Batch() { m_table.endBatch(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        CellTable &m_table;
    };

    // The view's row that shows a stored row, or -1 (header row, rows beyond shownRows).
    int viewRow(int row) const;
    int storedRow(int viewRow) const { return viewRow + (m_headerRow ? 1 : 0); }

    // QAbstractTableModel, as views see it: data rows only, the header row as header data.
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void checkIndex(int col, int row) const
    {
        if (col < 0 || col >= m_columns || row < 0 || row >= m_rows)
            outOfRange();
    }
    [[noreturn]] static void outOfRange();
    void notifyChanged(int col, int row);

    int m_columns;
    int m_rows;
    int m_shownRows;
    bool m_headerRow;
    bool m_editable = false;
    QSet<int> m_readOnlyColumns;
    int m_batchDepth = 0;
    bool m_batchUnwatched = false;
    bool m_batchDirty = false;
    int m_dirtyTop = 0, m_dirtyBottom = 0, m_dirtyLeft = 0, m_dirtyRight = 0;
    bool m_batchHeaderDirty = false;
    QVector<QString> m_cells;
};

} // namespace tavi
