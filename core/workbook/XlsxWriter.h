#pragma once

#include <QString>

namespace tavi
{

class Workbook;

// Saves a workbook as an .xlsx file: numbers as numbers and texts as texts, bold cells bold,
// fitted columns at their widths, the sheets in order with their names, each chart sheet
// with its chart over its sheet's range. A chart with no series holding values has nothing
// that the format can draw, and its sheet is left out.
//
// The file is written under a temporary name beside the target and renamed over it only once
// complete (FileReplacement), so a failed save leaves neither a half-written file nor a
// damaged earlier one; a read-only target is left alone and a symbolic link stays a link to
// the file written. Nothing is written anywhere else. Throws WorkbookError with the reason in
// Portuguese ("Permissão negada", "Disco cheio"...) when the file cannot be written.
void saveXlsx(const Workbook &workbook, const QString &path);

} // namespace tavi
