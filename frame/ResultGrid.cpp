#include "frame/ResultGrid.h"

#include <QHeaderView>

using tavi::CellTable;

ResultGrid::ResultGrid(int columns, int storedRows, int shownRows, bool headerRow, QWidget *parent)
    : QTableView(parent), m_table(new CellTable(columns, storedRows, shownRows, headerRow, this))
{
    setModel(m_table);
    verticalHeader()->hide();
    QHeaderView *header = horizontalHeader();
    header->setVisible(headerRow);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(10);
    verticalHeader()->setMinimumSectionSize(10);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setDefaultColumnWidth(65);
    setRowHeight(21);
    setEditable(false);
}

void ResultGrid::setEditable(bool editable)
{
    m_table->setEditable(editable);
    setEditTriggers(editable ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

void ResultGrid::setDefaultColumnWidth(int width)
{
    horizontalHeader()->setDefaultSectionSize(width);
}

void ResultGrid::setRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}
