#include "frame/CheckedPasteMenu.h"

#include <QLineEdit>
#include <QMenu>

void popupMenuWithCheckedPaste(QLineEdit *edit, const QPoint &globalPos,
                               const std::function<void()> &checkedPaste)
{
    QMenu *menu = edit->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            QObject::connect(action, &QAction::triggered, edit, checkedPaste);
        }
    }
    menu->popup(globalPos);
}
