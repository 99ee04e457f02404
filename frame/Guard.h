#pragma once

#include <functional>

class QWidget;

// Runs an event handler so that no exception crosses Qt's event dispatch: a TaviError (or
// any other exception) ends the handler and its message is shown in the application error
// box over `context`. What the handler wrote before the error stays written.
// Returns true when the handler ran to its end.
bool runGuarded(QWidget *context, const std::function<void()> &handler);
