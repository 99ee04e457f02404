#include "export/SpreadsheetApp.h"

#include "export/WindowedSpreadsheet.h"

namespace
{
SpreadsheetFactory *&installedFactory()
{
    static SpreadsheetFactory *installed = nullptr;
    return installed;
}
} // namespace

SpreadsheetFactory &spreadsheetFactory()
{
    static ProgramSpreadsheetFactory program;
    SpreadsheetFactory *installed = installedFactory();
    return installed ? *installed : program;
}

void setSpreadsheetFactory(SpreadsheetFactory *factory)
{
    installedFactory() = factory;
}
