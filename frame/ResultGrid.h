#pragma once

#include "core/tables/CellTable.h"

#include <QTableView>

// A grid of text cells over a CellTable: the fixed header row (where the grid has one) is
// drawn as the horizontal header, and there is no fixed column. Rows stored below the last
// row shown are read and written through cell()/setCell() like any other.
class ResultGrid : public QTableView
{
    Q_OBJECT
public:
    ResultGrid(int columns, int storedRows, int shownRows, bool headerRow,
               QWidget *parent = nullptr);

    tavi::CellTable &table() { return *m_table; }
    const tavi::CellTable &table() const { return *m_table; }

    QString cell(int col, int row) const { return m_table->cell(col, row); }
    void setCell(int col, int row, const QString &text) { m_table->setCell(col, row, text); }

    bool isEditable() const { return m_table->isEditable(); }
    void setEditable(bool editable);
    void setDefaultColumnWidth(int width);
    void setRowHeight(int height);

    // Whether a pasted "." or "," becomes the locale's decimal separator, as the decimal keys
    // do in the windows that translate them.
    void setDecimalTranslationOnPaste(bool on) { m_translateDecimalOnPaste = on; }

    // Widens every column shown to its longest text, header included, so that no result is
    // cut; a column is never made narrower, nor wider than kWidestColumn.
    void fitColumnsToTexts();
    static constexpr int kWidestColumn = 400;

    // Ctrl+C: the selected cells as text, tab-separated, one line per row.
    void copySelection();
    // Ctrl+V: the clipboard's block from the current cell rightwards and downwards. A grid
    // the user may not edit refuses it with the beep; returns whether anything was pasted.
    bool pasteClipboard();

    // The cell whose editor is open, and the text typed into it so far (not yet in the
    // table); false when no editor is open.
    bool pendingEdit(int *col, int *row, QString *text) const;

signals:
    void pasteRefused();
    // The text of an open cell editor changed by typing or pasting.
    void pendingEditChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    tavi::CellTable *m_table;
    bool m_translateDecimalOnPaste = false;
};
