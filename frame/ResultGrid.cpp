#include "frame/ResultGrid.h"

#include "core/tables/CellBlock.h"
#include "frame/CellEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

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
    auto *delegate = new CellEditorDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &CellEditorDelegate::blockPasteRequested, this, [this](QWidget *editor) {
        // The typed edit is dropped: the block lands from this cell, as without an editor.
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        setFocus(Qt::OtherFocusReason);
        pasteClipboard();
    });
    connect(delegate, &CellEditorDelegate::editorTextEdited, this, &ResultGrid::pendingEditChanged);
}

bool ResultGrid::pendingEdit(int *col, int *row, QString *text) const
{
    if (state() != QAbstractItemView::EditingState)
        return false;
    const QModelIndex at = currentIndex();
    const auto *editor = qobject_cast<const QLineEdit *>(indexWidget(at));
    if (!at.isValid() || !editor)
        return false;
    *col = at.column();
    *row = m_table->storedRow(at.row());
    *text = editor->text();
    return true;
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

void ResultGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteClipboard();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ResultGrid::fitColumnsToTexts()
{
    const QFontMetrics cells(font());
    const QFontMetrics headers(horizontalHeader()->font());
    // Room for the cell's margins and grid line, as the view draws them.
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    // Numbers of one font differ little in width per character: a few of the longest texts
    // are measured, and a digit's width covers the rest, so fitting after a run costs next
    // to nothing.
    constexpr int kMeasured = 8;
    const int slack = cells.horizontalAdvance(QLatin1Char('0'));
    const int firstRow = m_table->hasHeaderRow() ? 1 : 0;
    for (int col = 0; col < m_table->columns(); ++col) {
        qsizetype longest = 0;
        for (int row = firstRow; row < m_table->shownRows(); ++row)
            longest = qMax(longest, m_table->cell(col, row).size());
        int widest = 0;
        int measured = 0;
        for (int row = firstRow; row < m_table->shownRows() && measured < kMeasured; ++row) {
            const QString &text = m_table->cell(col, row);
            if (text.size() == longest && longest > 0) {
                widest = qMax(widest, cells.horizontalAdvance(text.left(kWidestColumn)));
                ++measured;
            }
        }
        if (measured == kMeasured)
            widest += slack;
        if (m_table->hasHeaderRow())
            widest = qMax(widest, headers.horizontalAdvance(m_table->cell(col, 0)));
        const int wanted = qMin(widest + padding, kWidestColumn);
        if (wanted > columnWidth(col))
            setColumnWidth(col, wanted);
    }
}

void ResultGrid::copySelection()
{
    QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.isEmpty() && currentIndex().isValid())
        selected << currentIndex();
    if (selected.isEmpty())
        return;
    int top = selected.first().row(), bottom = top;
    int left = selected.first().column(), right = left;
    for (const QModelIndex &i : selected) {
        top = qMin(top, i.row());
        bottom = qMax(bottom, i.row());
        left = qMin(left, i.column());
        right = qMax(right, i.column());
    }
    const tavi::CellSpan range{left, m_table->storedRow(top), right - left + 1, bottom - top + 1};
    QGuiApplication::clipboard()->setText(tavi::copyBlock(*m_table, range));
}

bool ResultGrid::pasteClipboard()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!m_table->isEditable() || text.isEmpty()) {
        QApplication::beep();
        emit pasteRefused();
        return false;
    }
    QModelIndex start = currentIndex();
    const QModelIndexList selected =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    for (const QModelIndex &i : selected) {
        if (!start.isValid() || i.row() < start.row() ||
            (i.row() == start.row() && i.column() < start.column()))
            start = i;
    }
    if (!start.isValid())
        start = model()->index(0, 0);
    const tavi::CellSpan written = tavi::pasteBlock(
        *m_table, start.column(), m_table->storedRow(start.row()), text, m_translateDecimalOnPaste);
    if (written.isEmpty()) {
        // A cell text longer than any number: the whole paste is refused.
        QApplication::beep();
        emit pasteRefused();
        return false;
    }
    // Select what was pasted, as far as the grid shows it.
    const int lastShown = qMin(start.row() + written.rows, model()->rowCount()) - 1;
    selectionModel()->select(
        QItemSelection(start, model()->index(lastShown, start.column() + written.columns - 1)),
        QItemSelectionModel::ClearAndSelect);
    return true;
}
