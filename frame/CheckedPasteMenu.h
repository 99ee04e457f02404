#pragma once

#include <functional>

class QLineEdit;
class QPoint;

// Pops up a line edit's standard context menu with its "Colar" running `checkedPaste`
// instead: the menu's own paste would bypass the checks the keyboard's paste makes.
void popupMenuWithCheckedPaste(QLineEdit *edit, const QPoint &globalPos,
                               const std::function<void()> &checkedPaste);
