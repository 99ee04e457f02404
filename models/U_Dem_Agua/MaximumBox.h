#pragma once

#include "frame/ReplaceableBox.h"

#include <QString>

class QWidget;

// The plain message box in which the dilution window reports its maximum accumulated flow:
// no icon, a single OK button, captioned with the application title, centred on the screen.
namespace MaximumBox
{

// Shows the text and waits for OK. The caller gives activation back to the window it covered.
void show(QWidget *parent, const QString &text);

// Tests replace the box (it would wait for OK) with their own presenter; an empty function
// restores the real box.
using Presenter = ReplaceableBox::Presenter;
void setPresenter(Presenter presenter);

} // namespace MaximumBox
