#include "cli/RegionCommand.h"

#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/OutputFile.h"
#include "core/region/CodeTable.h"
#include "core/region/RegionFile.h"
#include "core/region/RegionImport.h"
#include "core/region/RegionTables.h"
#include "core/region/RegionWorkbook.h"
#include "core/study/StudyFile.h"
#include "core/workbook/XlsxWriter.h"

#include <QDir>
#include <QFileInfo>

namespace tavi::cli
{

namespace
{

using namespace tavi::region;

QString withFullStop(const QString &message)
{
    return message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
}

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Returns an empty text, or the message saying why nothing was written.
QString writeOutput(const RegionRequest &request, const ReportPrinter &printer,
                    const Region &region, const RegionResults &results)
{
    const LocaleSettings &locale = LocaleSettings::current();
    switch (request.output) {
    case OutputKind::None:
        return QString();
    case OutputKind::Workbook:
        try {
            saveXlsx(regionWorkbook(region, results, locale), request.outputPath);
        } catch (const TaviError &error) {
            return withFullStop(error.message());
        }
        return QString();
    case OutputKind::Csv:
        return replaceFile(request.outputPath,
                           [&](QIODevice &device) { device.write(regionCsv(results, locale)); });
    case OutputKind::Report:
        return replaceFile(request.outputPath, [&](QIODevice &device) {
            printer.writeRegion(device, region, results);
        });
    }
    return QString();
}

// What could not be computed, municipality by municipality, as `tavi calcular` gives a
// sector's message: the place it names on a line below.
QStringList regionMessages(const RegionResults &results)
{
    QStringList messages;
    for (const MunicipalityResult &municipality : results.municipalities) {
        const auto add = [&](const QString &message, const QString &place = QString()) {
            messages << QStringLiteral("%1: %2").arg(municipality.name, withFullStop(message)) +
                            (place.isEmpty() ? QString() : QLatin1Char('\n') + place);
        };
        for (int e = 0; e < municipality.errors.size(); ++e)
            add(municipality.errors[e], municipality.errorPlaces.value(e));
        for (const ScenarioFinal &scenario : municipality.horizon)
            if (!scenario.problem.isEmpty())
                add(QStringLiteral("cenário %1: %2").arg(scenario.scenario, scenario.problem));
        if (!municipality.balanceProblem.isEmpty())
            add(QStringLiteral("balanço hídrico: %1").arg(municipality.balanceProblem));
    }
    return messages;
}

QString regionName(const Region &region, const QString &path)
{
    return region.name.trimmed().isEmpty() ? QFileInfo(path).completeBaseName()
                                           : region.name.trimmed();
}

// Every table the command line names, read as the region window's import reads them. Throws
// TaviError naming the file, and the line and column where one cannot be read.
ImportTables readTables(const RegionRequest &request)
{
    ImportTables tables;
    bool sanitation = false;
    for (const QString &path : request.tables) {
        TableReading reading = loadRegionTable(path);
        // The year asked for is the sanitation indicators'; a population table keeps its
        // latest year whatever it is.
        if (reading.kind == TableKind::Sanitation) {
            sanitation = true;
            if (request.year != 0 && reading.year != request.year)
                reading = loadRegionTable(path, request.year);
        }
        tables.tables.push_back(std::move(reading));
    }
    if (request.year != 0 && !sanitation)
        throw TaviError(QStringLiteral("a opção --ano escolhe o ano dos indicadores de "
                                       "saneamento, e nenhuma das tabelas é a deles."));
    if (!request.groupsPath.isEmpty())
        tables.codeTables.push_back(loadCodeTable(request.groupsPath, CodeTableKind::Groups));
    if (!request.flowsPath.isEmpty())
        tables.codeTables.push_back(
            loadCodeTable(request.flowsPath, CodeTableKind::ReferenceFlows));
    return tables;
}

} // namespace

int runRegion(const RegionRequest &request, const ReportPrinter &printer)
{
    RegionReading reading;
    try {
        reading = loadRegionFile(request.regionPath);
    } catch (const TaviError &error) {
        printError(error.message());
        return kExitUnusable;
    }
    if (request.output != OutputKind::None && isSameFile(request.outputPath, request.regionPath)) {
        printError(outputFailure(request.outputPath, QStringLiteral("é a própria região")));
        return kExitUnusable;
    }

    const LocaleSettings &locale = LocaleSettings::current();
    const RegionResults results = computeRegion(reading.region, locale);
    const QString problem = writeOutput(request, printer, reading.region, results);
    if (!problem.isEmpty()) {
        printError(problem);
        return kExitUnusable;
    }

    QString text =
        QStringLiteral("Região %1\n\n").arg(regionName(reading.region, request.regionPath)) +
        regionText(results, locale);
    if (request.output != OutputKind::None)
        text += QStringLiteral("\nSalvo em \"%1\".\n").arg(shownPath(request.outputPath));
    printOut(text);
    const QStringList messages = regionMessages(results);
    for (const QString &message : messages)
        printError(message);
    return messages.isEmpty() ? kExitDone : kExitSectorFailed;
}

int createRegion(const RegionRequest &request)
{
    QStringList inputs = request.tables;
    inputs << request.templatePath << request.groupsPath << request.flowsPath;
    for (const QString &input : inputs)
        if (!input.isEmpty() && isSameFile(input, request.regionPath)) {
            printError(outputFailure(request.regionPath,
                                     QStringLiteral("é um dos arquivos de que a região é feita")));
            return kExitUnusable;
        }

    StudyReading templateReading;
    ImportTables tables;
    try {
        templateReading = loadStudyFile(request.templatePath);
        tables = readTables(request);
    } catch (const TaviError &error) {
        printError(withFullStop(error.message()));
        return kExitUnusable;
    }
    if (!templateReading.defaulted.isEmpty())
        printError(QStringLiteral("o estudo modelo \"%1\" não tinha todos os dados; foram usados "
                                  "os valores padrão em: %2.")
                       .arg(shownPath(request.templatePath),
                            templateReading.defaulted.join(QStringLiteral("; "))));

    Region region = emptyRegion();
    region.name = QFileInfo(request.regionPath).completeBaseName();
    region.templateStudy = templateReading.study;
    ImportOptions options;
    options.addMissingMunicipalities = true;
    const ImportPreview preview = previewImport(region, tables, options);
    printOut(preview.countsText());
    const Region built = applyImport(region, preview);
    if (built.municipalities.empty()) {
        printError(QStringLiteral("nenhuma das tabelas tem linhas de município; a região \"%1\" "
                                  "não foi gravada.")
                       .arg(shownPath(request.regionPath)));
        return kExitUnusable;
    }
    try {
        saveRegionFile(request.regionPath, built);
    } catch (const TaviError &error) {
        printError(withFullStop(error.message()));
        return kExitUnusable;
    }
    printOut(QStringLiteral("Região de %1 municípios salva em \"%2\".")
                 .arg(built.municipalities.size())
                 .arg(shownPath(request.regionPath)));
    return kExitDone;
}

} // namespace tavi::cli
