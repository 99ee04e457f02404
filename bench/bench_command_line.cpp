#include "BenchUtil.h"
#include "FullStudy.h"

#include "core/study/StudyFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace
{

// Milliseconds from starting `tavi` with these arguments to its end, or -1 when it failed.
double runMs(const QString &program, const QStringList &arguments)
{
    QProcess tavi;
    QElapsedTimer timer;
    timer.start();
    tavi.start(program, arguments);
    if (!tavi.waitForFinished(60000) || tavi.exitStatus() != QProcess::NormalExit ||
        tavi.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

void row(const QString &program, const QString &what, const QStringList &arguments,
         const QString &goal)
{
    std::vector<double> times;
    for (int i = 0; i < 11; ++i) {
        const double ms = runMs(program, arguments);
        if (ms < 0) {
            std::printf("%s: no figure (tavi %s failed)\n", qPrintable(what),
                        qPrintable(arguments.join(QLatin1Char(' '))));
            return;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    bench::row(what, times[times.size() / 2], "ms", goal);
}

} // namespace

// `tavi calcular` as a user runs it: a whole process, from its start to its end, loading the
// program and the study, computing every sector and printing the summary.
void benchCommandLine()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../tavi");
    if (!QFile::exists(program)) {
        std::printf("command line: %s not found\n", qPrintable(program));
        return;
    }
    QTemporaryDir folder;
    const QString study = folder.filePath(QStringLiteral("estudo.tavi"));
    tavi::saveStudyFile(study, bench::fullStudy());
    row(program, QStringLiteral("tavi calcular: a full study, whole process (median of 11)"),
        {QStringLiteral("calcular"), study}, QStringLiteral("goal < 150"));
    row(program, QStringLiteral("tavi calcular --saida .xlsx: the same, and its workbook"),
        {QStringLiteral("calcular"), study, QStringLiteral("--saida"),
         folder.filePath(QStringLiteral("resumo.xlsx"))},
        QString());
}
