#include "export/ProgramSpreadsheetFactory.h"

#include "core/workbook/WorkbookError.h"
#include "export/WindowedSpreadsheet.h"

namespace
{
SpreadsheetFactory *&installedFactory()
{
    static SpreadsheetFactory *installed = nullptr;
    return installed;
}
} // namespace

std::unique_ptr<SpreadsheetApp> ProgramSpreadsheetFactory::create(const QString &progId,
                                                                  QWidget *owner)
{
    if (progId.compare(QLatin1String("Excel.Application"), Qt::CaseInsensitive) != 0)
        throw tavi::WorkbookError(
            QStringLiteral("O aplicativo '%1' não está disponível").arg(progId));
    return std::make_unique<WindowedSpreadsheet>(owner);
}

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
