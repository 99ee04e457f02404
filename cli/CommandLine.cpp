#include "cli/CommandLine.h"

#include "cli/Arguments.h"
#include "cli/CalculateCommand.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/FlowsCommand.h"
#include "cli/ProjectCommand.h"
#include "cli/RegionCommand.h"
#include "cli/Usage.h"

#include <clocale>
#include <exception>
#include <functional>

namespace tavi::cli
{

namespace
{

QStringList argumentsAfterProgram(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Qt's warnings ("XDG_RUNTIME_DIR not set" under the offscreen platform) speak to developers,
// in English; a command's standard error is the user's. Only what stops Qt goes through.
QtMessageHandler qtHandler = nullptr;

void onlySevereQtMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtHandler)
        qtHandler(type, context, message);
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv, OutputKind output,
                                                  const ReportPrinter &printer)
{
    std::unique_ptr<QCoreApplication> application =
        output == OutputKind::Report ? printer.makeApplication(argc, argv)
                                     : std::make_unique<QCoreApplication>(argc, argv);
    // The application hands the user's locale to the C library; numbers are shown and read
    // through the program's own texts, and files keep the C library's in its one form.
    std::setlocale(LC_NUMERIC, "C");
    return application;
}

// Runs a command that computes, under the application it needs.
int underApplication(int &argc, char **argv, OutputKind output, const ReportPrinter &printer,
                     const std::function<int()> &command)
{
    qtHandler = qInstallMessageHandler(onlySevereQtMessages);
    try {
        const std::unique_ptr<QCoreApplication> application =
            makeApplication(argc, argv, output, printer);
        return command();
    } catch (const std::exception &error) {
        // Nothing a computation throws is expected here; whatever it is, nothing was written.
        printError(QString::fromUtf8(error.what()));
        return kExitUnusable;
    }
}

} // namespace

bool isCommandLine(int argc, char **argv)
{
    return wantsCommandLine(argumentsAfterProgram(argc, argv));
}

int runCommandLine(int &argc, char **argv, const ReportPrinter &printer)
{
    const Arguments arguments = parseArguments(argumentsAfterProgram(argc, argv));
    switch (arguments.command) {
    case Arguments::Command::Invalid:
        printError(arguments.problem + QLatin1Char('\n') + usageHint());
        return kExitUnusable;
    case Arguments::Command::Help:
        printOut(usageText());
        return kExitDone;
    case Arguments::Command::Version:
        printOut(versionText());
        return kExitDone;
    case Arguments::Command::Project:
        return runProject(arguments.project);
    case Arguments::Command::Flows:
        return runFlows(arguments.flows);
    case Arguments::Command::Calculate:
        if (arguments.calculate.output == OutputKind::Report && !printer.isAvailable())
            break;
        return underApplication(argc, argv, arguments.calculate.output, printer,
                                [&] { return runCalculate(arguments.calculate, printer); });
    case Arguments::Command::Region: {
        const RegionRequest &request = arguments.region;
        if (request.create)
            return underApplication(argc, argv, OutputKind::None, printer,
                                    [&] { return createRegion(request); });
        if (request.output == OutputKind::Report && !printer.isRegionAvailable())
            break;
        return underApplication(argc, argv, request.output, printer,
                                [&] { return runRegion(request, printer); });
    }
    }
    printError(QStringLiteral("o relatório em PDF não está disponível neste programa"));
    return kExitUnusable;
}

} // namespace tavi::cli
