#pragma once

#include <QString>
#include <functional>

class QWidget;

// The application error box: modal, error icon, a single OK button, captioned with the
// application title, showing the message with the full-stop rule.
namespace ErrorBox
{

// The application title: the program file's name without its directory and without
// everything from its first "." on, the first character upper case and the rest lower case
// ("tavi" -> "Tavi", "WATER.EXE" -> "Water").
QString applicationTitle();
QString titleFromFileName(const QString &fileName);

// The message followed by "." when its last character sorts after "." (a letter or digit
// gets the full stop; ".", a blank or ")" does not).
QString withFullStop(const QString &message);

// Shows the box over `parent` (may be null) and waits for OK. When it closes, the window it
// covered gets activation back explicitly.
void show(QWidget *parent, const QString &message);

// Tests replace the box with a recorder: the presenter gets the parent and the final text
// (full stop applied). Pass an empty function to restore the real box.
using Presenter = std::function<void(QWidget *parent, const QString &text)>;
void setPresenter(Presenter presenter);

} // namespace ErrorBox
