#include "cli/HorizonCommand.h"

#include "cli/BalanceOutput.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/OutputFile.h"
#include "cli/SummaryText.h"
#include "core/horizon/HorizonTables.h"
#include "core/horizon/HorizonWorkbook.h"
#include "core/workbook/XlsxWriter.h"

#include <QDir>

namespace tavi::cli
{

namespace
{

using horizon::ScenarioRun;

QString withFullStop(const QString &message)
{
    return message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
}

// Returns an empty text, or the message saying why nothing was written.
QString writeOutput(const CalculateRequest &request, const ReportPrinter &printer,
                    const Study &study, const std::vector<ScenarioRun> &runs,
                    const std::optional<BalanceOutput> &balance)
{
    const LocaleSettings &locale = LocaleSettings::current();
    switch (request.output) {
    case OutputKind::None:
        return QString();
    case OutputKind::Workbook:
        try {
            // The window's "Salvar" shows the scenario chosen there; here it is the base.
            Workbook book = horizon::horizonWorkbook(runs, 0);
            if (balance)
                appendBalanceSheets(book, *balance);
            saveXlsx(book, request.outputPath);
        } catch (const TaviError &error) {
            return withFullStop(error.message());
        }
        return QString();
    case OutputKind::Csv:
        return replaceFile(request.outputPath, [&](QIODevice &device) {
            device.write(horizon::horizonCsv(runs, locale));
        });
    case OutputKind::Report: {
        // The report is the summary's, its last chapter the horizon.
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current, locale);
        return replaceFile(request.outputPath,
                           [&](QIODevice &device) { printer.write(device, study, summary, runs); });
    }
    }
    return QString();
}

// Each scenario's problem, or each of its sectors' messages, named after the scenario, as the
// summary gives a sector's: the place it names on a line below.
QStringList scenarioMessages(const std::vector<ScenarioRun> &runs)
{
    QStringList messages;
    for (const ScenarioRun &run : runs) {
        if (!run.computed()) {
            messages << QStringLiteral("Cenário %1: %2").arg(run.name, withFullStop(run.problem));
            continue;
        }
        const QStringList own = run.errorMessages();
        const QStringList places = run.errorPlaces();
        for (int m = 0; m < own.size(); ++m)
            messages << QStringLiteral("Cenário %1: %2").arg(run.name, withFullStop(own[m])) +
                            (places.value(m).isEmpty() ? QString()
                                                       : QLatin1Char('\n') + places.value(m));
    }
    return messages;
}

} // namespace

int runHorizonCalculation(const CalculateRequest &request, const ReportPrinter &printer,
                          const StudyReading &reading)
{
    const Study &study = reading.study;
    if (!study.horizon) {
        printError(QStringLiteral("o estudo \"%1\" não tem horizonte de planejamento.")
                       .arg(QDir::toNativeSeparators(request.studyPath)));
        return kExitUnusable;
    }
    const std::vector<ScenarioRun> runs = horizon::runHorizon(study, LocaleSettings::current());
    const std::optional<BalanceOutput> balance = horizonBalance(study, runs);
    const QString problem = writeOutput(request, printer, study, runs, balance);
    if (!problem.isEmpty()) {
        printError(problem);
        return kExitUnusable;
    }

    QString text = horizon::finalYearText(runs, LocaleSettings::current());
    if (balance)
        text += balanceSummaryText(balance->balance, balance->scenarios);
    if (request.output != OutputKind::None)
        text += QStringLiteral("\nSalvo em \"%1\".\n")
                    .arg(QDir::toNativeSeparators(request.outputPath));
    printOut(text);
    QStringList messages = scenarioMessages(runs);
    if (balance && !balanceProblem(*balance).isEmpty())
        messages << balanceProblem(*balance);
    for (const QString &message : messages)
        printError(message);
    return messages.isEmpty() ? kExitDone : kExitSectorFailed;
}

} // namespace tavi::cli
