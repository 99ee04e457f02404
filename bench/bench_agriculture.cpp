// The time of one "Simular" of the agriculture window on a full-year series: the model on
// tables of its own, then in the window with its ten day grids attached to the tables.
#include "BenchUtil.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/agriculture/AgricultureCalendar.h"
#include "core/sectors/agriculture/AgricultureSimulation.h"
#include "frame/ResultGrid.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <vector>

using namespace tavi;
using namespace tavi::agriculture;

namespace
{

// Two full-year series, so that every run rewrites its result cells (a run over unchanged
// input writes identical texts, which the tables skip).
void fillSeries(CellTable &serie, int variant)
{
    for (int day = 1; day <= kDays; ++day) {
        const long double etp = 2 + (day * 7 % 50) / 10.0L + variant * 0.013L;
        const long double rain = (day * 13 % 120) / 7.0L + variant * 0.021L;
        serie.setCell(kEtpColumn, day, formatGeneral(etp));
        serie.setCell(kRainColumn, day, formatGeneral(rain));
    }
}

// The median of `count` timed runs of `run`, each after an untimed `prepare`, in ms.
double medianMs(int count, const std::function<void(int)> &prepare,
                const std::function<void()> &run)
{
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        prepare(i);
        QElapsedTimer timer;
        timer.start();
        run();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

void benchAgriculture()
{
    const int runs = 40;
    const auto none = [](int) {};
    OwnedTables owned;
    const Tables &t = owned.tables();
    writeDefaults(t, LocaleSettings::current().decimalSeparator);
    runCropCalendar(t);
    bench::row(QStringLiteral("agriculture: crop calendar, model alone"),
               medianMs(runs, none, [&t] { runCropCalendar(t); }), "ms");
    bench::row(QStringLiteral("agriculture: Simular, full year, model alone"),
               medianMs(
                   runs, [&t](int i) { fillSeries(*t.serie, i % 2); }, [&t] { simulate(t); }),
               "ms");

    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        std::printf("agriculture: the window's figures need a QApplication\n");
        return;
    }
    TF_Mod_Agricultura window;
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    const auto prepare = [&window](int i) {
        fillSeries(window.serie()->table(), i % 2);
        QApplication::processEvents();
    };
    bench::row(QStringLiteral("agriculture: Simular, full year, window's grids attached"),
               // Through the button, as the user runs it: the columns are fitted after the run.
               medianMs(runs, prepare, [&window] { window.simularButton()->click(); }), "ms",
               QStringLiteral("goal < 30"));
    bench::row(QStringLiteral("agriculture: of which fitting the columns to the results"),
               medianMs(runs, none,
                        [&window] {
                            for (ResultGrid *grid : window.findChildren<ResultGrid *>())
                                grid->fitColumnsToTexts();
                        }),
               "ms");
    bench::row(QStringLiteral("agriculture: the same and the repaint of the window"),
               medianMs(runs, prepare,
                        [&window] {
                            window.simularButton()->click();
                            QApplication::processEvents();
                        }),
               "ms");
    // Every change of an input after a run is told from the run's own writes by comparing the
    // window's inputs with those of the run, and then empties the results; once they are gone,
    // an edit costs the comparison alone.
    int day = 0;
    const auto editOneCell = [&window, &day] {
        day = day % kDays + 1;
        window.serie()->table().setCell(kEtpColumn, day,
                                        day % 2 ? QStringLiteral("4") : QStringLiteral("5"));
    };
    bench::row(QStringLiteral("agriculture: a series cell edited after Simular"),
               medianMs(
                   runs, [&window](int) { window.simularButton()->click(); }, editOneCell),
               "ms", QStringLiteral("goal < 16 (a keystroke)"));
    bench::row(QStringLiteral("agriculture: a series cell edited, no results shown"),
               medianMs(runs, none, editOneCell), "ms");
}
