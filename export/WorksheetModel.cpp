#include "export/WorksheetModel.h"

#include "core/workbook/WorkbookRange.h"
#include "core/workbook/WorkbookWorksheet.h"

namespace
{
// An empty sheet still looks like a sheet, and a filled one shows some room beyond its last
// cells, where a long text at its edge can run on.
constexpr int kShownRows = 40;
constexpr int kShownColumns = 12;
constexpr int kRoomBeyond = 5;
} // namespace

WorksheetModel::WorksheetModel(const tavi::Worksheet &sheet, const QFont &font, QObject *parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_bold(font)
{
    m_bold.setBold(true);
}

void WorksheetModel::reload()
{
    beginResetModel();
    endResetModel();
}

int WorksheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : qMax(m_sheet.lastRow() + kRoomBeyond, kShownRows);
}

int WorksheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : qMax(m_sheet.lastColumn() + kRoomBeyond, kShownColumns);
}

QVariant WorksheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const tavi::WorkbookCell *cell = m_sheet.cell(index.row() + 1, index.column() + 1);
    if (!cell)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return tavi::Worksheet::displayText(*cell);
    case Qt::FontRole:
        return cell->bold ? QVariant(m_bold) : QVariant();
    case Qt::TextAlignmentRole: {
        const Qt::Alignment side =
            cell->kind == tavi::WorkbookCell::Kind::Number ? Qt::AlignRight : Qt::AlignLeft;
        return static_cast<int>(side | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QVariant WorksheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return tavi::columnLetters(section + 1);
    return section + 1;
}
