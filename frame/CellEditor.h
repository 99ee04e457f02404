#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>

// The editor of a grid cell. Typing or pasting that would make the text longer than any
// number (kLongestCellText) is refused with the beep. A clipboard holding a block (a tab or
// a line break) is not pasted into the one cell: the editor asks its grid to paste it as a
// block from that cell instead.
class CellEditor : public QLineEdit
{
    Q_OBJECT
public:
    explicit CellEditor(QWidget *parent = nullptr);

signals:
    void blockPasteRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void pasteChecked();
    bool fits(const QString &inserted) const;
};

// Gives every cell of a grid a CellEditor.
class CellEditorDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

signals:
    void blockPasteRequested(QWidget *editor);
    // An open editor's text was typed or pasted into.
    void editorTextEdited();
};
