#pragma once

#include <QString>

namespace tavi::cli
{

// Texts for the terminal, in the encoding of the user's locale, each ending its line.
void printOut(const QString &text);
// Messages go to standard error as "tavi: message".
void printError(const QString &message);

} // namespace tavi::cli
