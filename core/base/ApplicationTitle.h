#pragma once

#include <QString>

namespace tavi
{

// The application title that captions the program's message boxes: the program file's name
// without its directory and without everything from its first "." on, the first character
// upper case and the rest lower case ("tavi" -> "Tavi", "WATER.EXE" -> "Water").
QString applicationTitle();
QString titleFromFileName(const QString &fileName);

} // namespace tavi
