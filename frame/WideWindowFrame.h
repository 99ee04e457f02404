#pragma once

class ModuleWindow;
class QPushButton;
class QString;
class QWidget;

// The horizon's and the balance's windows show more than a fixed layout holds: beside the
// title block a bar of their own, "Salvar" and the closing button at the top right, and below
// them a split of the inputs and the results, all following the window's size.

// Places the buttons, `topBar` and `split` for the window's present size; nothing before the
// window has built its split and its buttons.
void placeWideFrame(ModuleWindow &window, QWidget *topBar, QWidget *split);

// A push button of those windows' bars and columns.
QPushButton *newBarButton(const QString &name, const QString &text, const QString &tip,
                          QWidget *parent);
