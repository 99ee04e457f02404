#pragma once

#include "export/SpreadsheetApp.h"

// Starts the program's own spreadsheet application (WindowedSpreadsheet) for the ProgID
// "Excel.Application" (the name the export asks for); any other name is refused.
class ProgramSpreadsheetFactory : public SpreadsheetFactory
{
public:
    std::unique_ptr<SpreadsheetApp> create(const QString &progId, QWidget *owner) override;
};

// The factory the module windows export through: the program's own, unless another was
// installed (tests install a recording one).
SpreadsheetFactory &spreadsheetFactory();
// Installs a factory for the exports that follow; nullptr puts the program's own back.
void setSpreadsheetFactory(SpreadsheetFactory *factory);
