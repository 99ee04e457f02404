#include "frame/CellEditor.h"

#include "core/tables/CellTable.h"
#include "frame/CheckedPasteMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>

CellEditor::CellEditor(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
}

bool CellEditor::fits(const QString &inserted) const
{
    return text().size() - selectedText().size() + inserted.size() <= tavi::kLongestCellText;
}

void CellEditor::pasteChecked()
{
    const QString clip = QGuiApplication::clipboard()->text();
    if (clip.contains(QLatin1Char('\t')) || clip.contains(QLatin1Char('\n')) ||
        clip.contains(QLatin1Char('\r'))) {
        emit blockPasteRequested();
        return;
    }
    if (!fits(clip)) {
        QApplication::beep();
        return;
    }
    paste();
}

void CellEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteChecked();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && !fits(typed)) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CellEditor::contextMenuEvent(QContextMenuEvent *event)
{
    popupMenuWithCheckedPaste(this, event->globalPos(), [this] { pasteChecked(); });
}

QWidget *CellEditorDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                          const QModelIndex &) const
{
    auto *editor = new CellEditor(parent);
    // Making an editor changes nothing of the delegate; only the signal needs it non-const.
    auto *self = const_cast<CellEditorDelegate *>(this);
    connect(editor, &CellEditor::blockPasteRequested, self,
            [self, editor] { emit self->blockPasteRequested(editor); });
    connect(editor, &QLineEdit::textEdited, self, [self] { emit self->editorTextEdited(); });
    return editor;
}
