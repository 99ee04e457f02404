#pragma once

#include "export/ExportLayout.h"

class QWidget;
class SpreadsheetFactory;

namespace ExportMessages
{
// Shown when the spreadsheet application does not start or takes no new workbook.
extern const char *const startFailed;
// Shown when any later call fails.
extern const char *const conversionFailed;
} // namespace ExportMessages

// Copies a window's grids into a new workbook of a new spreadsheet application, as `layout`
// places them, shows the workbook and asks the application to quit, which leaves saving it
// to the user. The grids are read as they stand and nothing in the window changes.
//
// When the application does not start, the user is told so and the export ends. When a later
// call fails, the busy cursor goes, the user is told, and the application is ended with its
// half-filled workbook discarded. Each message is shown over `window` in a box titled "Erro",
// and activation then goes back to `window`.
void runExport(QWidget *window, SpreadsheetFactory &factory, const ExportLayout &layout);
