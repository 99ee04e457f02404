#include "BenchUtil.h"
#include "frame/ResultGrid.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

// A year of evapotranspiration and rainfall pasted into the agriculture window's series at
// day 1, as a planner brings it over from a spreadsheet.
void benchPaste()
{
    TF_Mod_Agricultura window;
    window.show();
    QApplication::setActiveWindow(&window);
    ResultGrid *serie = window.serie();
    QString year;
    for (int day = 1; day <= 366; ++day)
        year += QStringLiteral("%1.25\t%2.5\r\n").arg(day % 7).arg(day % 5);
    QGuiApplication::clipboard()->setText(year);
    const double ms = bench::medianMs(21, [&] {
        serie->setCurrentIndex(serie->model()->index(0, 1));
        serie->selectionModel()->clearSelection();
        QTest::keySequence(serie, QKeySequence::Paste);
        QCoreApplication::processEvents();
    });
    bench::row(QStringLiteral("agriculture: paste of 366 x 2 cells into the series"), ms, "ms",
               QStringLiteral("goal < 100"));
}

namespace
{

// A line of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double statusMb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field)) + 1).trimmed().split(' ').first().toDouble() /
                   1024.0;
    }
    return 0;
}

// Starts a new peak of resident memory from what is resident now (Linux 4.0 and later).
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace

// A 50 MB clipboard (5 million lines of two numbers) pasted into the series: only the 366
// days that fit are ever read. Run last, since the clipboard itself (100 MB as text) would
// otherwise count in the other figures' memory.
void benchHugePaste()
{
    TF_Mod_Agricultura window;
    window.show();
    QApplication::setActiveWindow(&window);
    ResultGrid *serie = window.serie();
    QString huge;
    huge.reserve(50'000'000);
    for (int line = 0; line < 5'000'000; ++line) {
        huge += QLatin1Char('0' + line % 10);
        huge += QStringLiteral(".25\t");
        huge += QLatin1Char('0' + line % 7);
        huge += QStringLiteral(".5\n");
    }
    QGuiApplication::clipboard()->setText(huge);
    huge.clear();
    huge.squeeze();
    serie->setCurrentIndex(serie->model()->index(0, 1));
    QCoreApplication::processEvents();
    const double resting = statusMb("VmRSS:");
    resetPeakMemory();
    const double ms = bench::medianMs(3, [&] {
        serie->setCurrentIndex(serie->model()->index(0, 1));
        serie->selectionModel()->clearSelection();
        QTest::keySequence(serie, QKeySequence::Paste);
        QCoreApplication::processEvents();
    });
    const double peakAbove = statusMb("VmHWM:") - resting;
    if (serie->table().cell(1, 366) != QStringLiteral("5,25") &&
        serie->table().cell(1, 366) != QStringLiteral("5.25"))
        std::printf("huge paste: day 366 was not pasted (%s)\n",
                    qPrintable(serie->table().cell(1, 366)));
    bench::row(QStringLiteral("agriculture: paste of a 50 MB clipboard into the series"), ms, "ms",
               QStringLiteral("goal < 1000"));
    bench::row(QStringLiteral("agriculture: peak memory of that paste above resting"), peakAbove,
               "MB", QStringLiteral("goal < 50"));
    QGuiApplication::clipboard()->clear();
}
