#pragma once

#include <QString>

// Where the user is offered to save a workbook, and the name it is saved under.
namespace SaveLocation
{

// The path the save dialog opens with for `suggestedName`: a path as it is (the file the
// workbook was last saved to); a bare name in the folder last saved to, as long as it still
// exists, else in the user's Documents folder, else in the home folder.
QString dialogStart(const QString &suggestedName);

// Remembers the folder of a file just saved, for this run and the next ones.
void rememberSavedFile(const QString &path);
// The folder remembered, or an empty text.
QString lastFolder();

// The file is an .xlsx package whatever the user typed: a name that does not end in
// ".xlsx" (in any case) gets it appended, "dados.csv" becoming "dados.csv.xlsx".
QString withXlsxExtension(const QString &path);

} // namespace SaveLocation
