#pragma once

#include "frame/ReplaceableBox.h"

#include <QString>

class QWidget;

// The application error box: modal, error icon, a single OK button, captioned with the
// application title, showing the message with the full-stop rule.
namespace ErrorBox
{

// The message followed by "." when its last character sorts after "." (a letter or digit
// gets the full stop; ".", a blank or ")" does not).
QString withFullStop(const QString &message);

// Shows the box over `parent` (may be null) and waits for OK. When it closes, the window it
// covered gets activation back explicitly.
void show(QWidget *parent, const QString &message);

// Tests replace the box with a recorder: the presenter gets the parent and the final text
// (full stop applied). Pass an empty function to restore the real box.
using Presenter = ReplaceableBox::Presenter;
void setPresenter(Presenter presenter);

} // namespace ErrorBox
