// Prints the program's timing and memory figures as a table. Run it with `make bench`.

#include "BenchUtil.h"

#include <QApplication>
#include <QFile>

#include <clocale>

void benchStartup();
void benchWindows();
void benchAgriculture();
void benchPaste();
void benchExport();
void benchStudy();
void benchSummary();
void benchHugePaste();
void benchStationFile();
void benchStationYears();
void benchHorizon();
void benchHorizonWindow();
void benchCommandLine();
void benchFlows();
void benchRegion();

// Peak resident memory of this process so far, in megabytes (VmHWM).
static double peakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // as the program does, and the figures print alike everywhere
    std::printf("%-58s %10s %-3s %s\n", "figure", "median", "", "goal");
    // "tavi_bench horizonte", "vazoes" or "regiao": those figures alone, while working on them.
    if (argc > 1 && QByteArray(argv[1]) == "regiao") {
        benchRegion();
        return 0;
    }
    if (argc > 1 && QByteArray(argv[1]) == "vazoes") {
        benchFlows();
        return 0;
    }
    if (argc > 1 && QByteArray(argv[1]) == "horizonte") {
        benchHorizon();
        benchHorizonWindow();
        return 0;
    }
    benchStartup();
    benchWindows();
    benchAgriculture();
    benchPaste();
    benchExport();
    benchStudy();
    benchSummary();
    benchStationFile();
    benchStationYears();
    benchHorizon();
    benchHorizonWindow();
    benchFlows();
    benchCommandLine();
    bench::row(QStringLiteral("peak resident memory (VmHWM)"), peakResidentMb(), "MB",
               QStringLiteral("goal < 80"));
    benchHugePaste();
    // Last: its thousands of municipalities would raise the memory figure above.
    benchRegion();
    return 0;
}
