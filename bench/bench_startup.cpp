#include "BenchUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

// Start-up: the program itself, started afresh each time, reports the milliseconds from
// its process start to the first paint of the main window.
void benchStartup()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../tavi");
    if (!QFile::exists(program)) {
        std::printf("start-up: %s not found\n", qPrintable(program));
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < 11; ++i) {
        QProcess tavi;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVI_STARTUP_PROBE"), QStringLiteral("1"));
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        tavi.setProcessEnvironment(env);
        tavi.start(program, {});
        if (!tavi.waitForFinished(20000))
            continue;
        bool ok = false;
        const double ms =
            QString::fromLocal8Bit(tavi.readAllStandardOutput()).trimmed().toDouble(&ok);
        if (ok)
            times.push_back(ms);
    }
    if (times.empty()) {
        std::printf("start-up: no figure (the program did not report)\n");
        return;
    }
    std::sort(times.begin(), times.end());
    bench::row(QStringLiteral("start-up to main window shown (median of %1)").arg(times.size()),
               times[times.size() / 2], "ms", QStringLiteral("goal < 300"));
}
