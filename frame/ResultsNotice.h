#pragma once

#include "frame/ReplaceableBox.h"

#include <QString>

class QWidget;

// The notice a module window shows instead of acting on results it does not have: before its
// first "Simular", or after an input changed since the last one, when the results shown would
// no longer be those of the inputs.
namespace ResultsNotice
{

enum class Purpose { Chart, Save };

// "Pressione "Simular" antes de ver o gráfico." and its kin; when the inputs changed after a
// run, the notice says so first.
QString text(Purpose purpose, bool inputsChanged);
// Whether `text` is one of the notices.
bool isNotice(const QString &text);

// Shows the notice over `window` and waits for OK; the window then gets activation back.
void show(QWidget *window, const QString &text);

// Tests replace the box; an empty function brings the real one back.
void setPresenter(ReplaceableBox::Presenter presenter);

} // namespace ResultsNotice
