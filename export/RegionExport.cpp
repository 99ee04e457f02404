#include "export/RegionExport.h"

#include "core/base/LocaleSettings.h"
#include "core/files/WholeFileWrite.h"
#include "core/region/RegionTables.h"
#include "core/region/RegionWorkbook.h"
#include "export/BusyCursor.h"
#include "export/ExportPrompts.h"
#include "export/SaveLocation.h"
#include "export/SheetBookExport.h"

#include <QDir>

using namespace tavi::region;

namespace RegionExport
{

namespace
{

std::function<QString(QWidget *, const QString &)> &csvChooser()
{
    static std::function<QString(QWidget *, const QString &)> chooser;
    return chooser;
}

// Returns an empty text, or why the file could not be written.
QString writeCsv(const QString &path, const QByteArray &content)
{
    const QString problem = tavi::writeWholeFile(path, content);
    return problem.isEmpty() ? QString()
                             : QStringLiteral("Não foi possível salvar o arquivo \"%1\": %2.")
                                   .arg(QDir::toNativeSeparators(path), problem);
}

} // namespace

QString suggestedName(const Region &region, const QString &extension)
{
    QString name = region.name.simplified();
    // A name is a file's name, never a path.
    for (const QChar c : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':')})
        name.replace(c, QLatin1Char('-'));
    return (name.isEmpty() ? QStringLiteral("Região") : QStringLiteral("Região - ") + name) +
           QLatin1Char('.') + extension;
}

QString chooseCsvFile(QWidget *parent, const QString &suggested)
{
    if (csvChooser())
        return csvChooser()(parent, suggested);
    return ExportPrompts::askFileToSave(
        parent, QStringLiteral("Salvar a tabela dos municípios"),
        SaveLocation::dialogStart(suggested),
        QStringLiteral("Texto separado por ponto e vírgula (*.csv)"), QStringLiteral("csv"));
}

void setCsvChooser(std::function<QString(QWidget *, const QString &)> chooser)
{
    csvChooser() = std::move(chooser);
}

} // namespace RegionExport

void exportRegion(QWidget *window, const Region &region, const RegionResults &results,
                  SpreadsheetFactory &factory)
{
    const QString csvPath = RegionExport::chooseCsvFile(
        window, RegionExport::suggestedName(region, QStringLiteral("csv")));
    if (!csvPath.isEmpty()) {
        QString failure;
        {
            BusyCursor busy; // off again before the message
            busy.set();
            failure = RegionExport::writeCsv(csvPath,
                                             regionCsv(results, tavi::LocaleSettings::current()));
        }
        if (failure.isEmpty())
            SaveLocation::rememberSavedFile(csvPath);
        else
            ExportPrompts::showError(window, failure);
    }
    exportSheetBook(window, regionBook(region, results),
                    RegionExport::suggestedName(region, QStringLiteral("xlsx")), factory);
}
