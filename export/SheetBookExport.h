#pragma once

#include "core/workbook/SheetBook.h"
#include "export/ProgramSpreadsheetFactory.h"

#include <QString>

class QWidget;

// "Salvar" of a window whose results make a book of worksheets and chart sheets
// (core/workbook/SheetBook.h): the book built through the spreadsheet application and saved
// as `fileName`, as the command line's workbook holds it.
void exportSheetBook(QWidget *window, const tavi::SheetBook &book, const QString &fileName,
                     SpreadsheetFactory &factory);
