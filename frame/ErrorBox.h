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

// A message of more than 300 characters with its middle replaced by "…", so the box fits the
// screen.
QString shortened(const QString &message);

// Shows the box over `parent` (may be null) and waits for OK. When it closes, the window it
// covered gets activation back explicitly. `where`, when given, names the place of the error
// on a second line, under the message and its full stop.
void show(QWidget *parent, const QString &message, const QString &where = QString());

// The box's text: the message, shortened, with its full stop, and `where` below it.
QString text(const QString &message, const QString &where = QString());

// Tests replace the box with a recorder: the presenter gets the parent and the final text
// (full stop applied). Pass an empty function to restore the real box.
using Presenter = ReplaceableBox::Presenter;
void setPresenter(Presenter presenter);

} // namespace ErrorBox
