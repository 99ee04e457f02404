#include "cli/CalculateCommand.h"

#include "cli/BalanceOutput.h"
#include "cli/Console.h"
#include "cli/DailyCsv.h"
#include "cli/ExitStatus.h"
#include "cli/HorizonCommand.h"
#include "cli/OutputFile.h"
#include "cli/SummaryText.h"
#include "core/horizon/HorizonRun.h"
#include "core/study/StudyFile.h"
#include "core/summary/SummaryWorkbook.h"
#include "core/workbook/XlsxWriter.h"

#include <QDir>
#include <QFileInfo>

namespace tavi::cli
{

namespace
{

QString withFullStop(const QString &message)
{
    return message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
}

// Writes the output asked for; returns an empty text, or the message saying why nothing
// was written.
QString writeOutput(const CalculateRequest &request, const ReportPrinter &printer,
                    const Study &study, const MunicipalSummary &summary,
                    const std::optional<BalanceOutput> &balance)
{
    switch (request.output) {
    case OutputKind::None:
        return QString();
    case OutputKind::Workbook:
        try {
            Workbook book = summaryWorkbook(summary);
            if (balance)
                appendBalanceSheets(book, *balance);
            saveXlsx(book, request.outputPath);
        } catch (const TaviError &error) {
            return withFullStop(error.message());
        }
        return QString();
    case OutputKind::Csv:
        return replaceFile(request.outputPath,
                           [&summary](QIODevice &device) { device.write(dailyCsv(summary)); });
    case OutputKind::Report: {
        // A study with a horizon has its chapter in the report, whether or not it was asked
        // for on the command line.
        const std::vector<horizon::ScenarioRun> runs =
            study.horizon ? horizon::runHorizon(study, LocaleSettings::current())
                          : std::vector<horizon::ScenarioRun>();
        return replaceFile(request.outputPath,
                           [&](QIODevice &device) { printer.write(device, study, summary, runs); });
    }
    }
    return QString();
}

} // namespace

int runCalculate(const CalculateRequest &request, const ReportPrinter &printer)
{
    StudyReading reading;
    try {
        reading = loadStudyFile(request.studyPath);
    } catch (const TaviError &error) {
        printError(error.message());
        return kExitUnusable;
    }
    if (request.output != OutputKind::None && isSameFile(request.outputPath, request.studyPath)) {
        printError(outputFailure(request.outputPath, QStringLiteral("é o próprio estudo")));
        return kExitUnusable;
    }
    if (!reading.defaulted.isEmpty())
        printError(QStringLiteral("o estudo \"%1\" não tinha todos os dados; foram usados os "
                                  "valores padrão em: %2.")
                       .arg(QDir::toNativeSeparators(request.studyPath),
                            reading.defaulted.join(QStringLiteral("; "))));

    if (request.horizon)
        return runHorizonCalculation(request, printer, reading);

    const MunicipalSummary summary =
        summarizeStudy(reading.study, SupplyScenario::Current, request.sectors);
    const std::optional<BalanceOutput> balance = summaryBalance(reading.study, summary);
    const QString problem = writeOutput(request, printer, reading.study, summary, balance);
    if (!problem.isEmpty()) {
        printError(problem);
        return kExitUnusable;
    }

    const QString name = reading.study.name.trimmed().isEmpty()
                             ? QFileInfo(request.studyPath).completeBaseName()
                             : reading.study.name.trimmed();
    QString text = summaryText(summary, name);
    if (balance)
        text += balanceSummaryText(balance->balance, {});
    if (request.output != OutputKind::None)
        text += QStringLiteral("\nSalvo em \"%1\".\n")
                    .arg(QDir::toNativeSeparators(request.outputPath));
    printOut(text);

    // Each as the window's error box shows it: the message, and the place on a line below.
    const QStringList errors = summary.errors();
    const QStringList places = summary.errorPlaces();
    for (int e = 0; e < errors.size(); ++e)
        printError(withFullStop(errors[e]) +
                   (places[e].isEmpty() ? QString() : QLatin1Char('\n') + places[e]));
    // A balance that could not be made is a part that failed, as a sector is.
    const QString balanceFailure = balance ? balanceProblem(*balance) : QString();
    if (!balanceFailure.isEmpty())
        printError(balanceFailure);
    return errors.isEmpty() && balanceFailure.isEmpty() ? kExitDone : kExitSectorFailed;
}

} // namespace tavi::cli
