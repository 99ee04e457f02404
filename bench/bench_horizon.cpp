#include "BenchUtil.h"
#include "FullStudy.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonRun.h"
#include "core/horizon/LivestockHorizon.h"
#include "core/horizon/SupplyHorizon.h"
#include "frame/NumericEdit.h"
#include "models/U_Horizonte/HorizonResultsPanel.h"
#include "models/U_Horizonte/TF_Horizonte.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

namespace
{

// A 30-year horizon and five scenarios in which every year's agriculture differs from the
// year before (its areas grow), so that no year is spared its daily simulation but by the
// scenarios' own choices.
tavi::Study horizonStudy()
{
    using namespace tavi;
    Study study = bench::fullStudy();
    study.horizon = horizon::newHorizon(study, 2026);
    study.horizon->finalYear = QStringLiteral("2056");
    study.horizon->scenarios.front().inputs.drivers[QStringLiteral("crescimento_area_A")] =
        QStringLiteral("1.5");
    const QMap<QString, QString> scenarios[] = {
        {{QStringLiteral("per_capita"), QStringLiteral("variacao_anual")},
         {QStringLiteral("variacao_per_capita"), QStringLiteral("1")}},
        {{QStringLiteral("crescimento_e_qte_bovino"), QStringLiteral("2")},
         {QStringLiteral("crescimento_area_C"), QStringLiteral("-1")}},
        {{QStringLiteral("eficiencia_alvo"), QStringLiteral("0.85")}},
        {{QStringLiteral("clima"), QStringLiteral("fatores")},
         {QStringLiteral("fator_etp"), QStringLiteral("1.1")},
         {QStringLiteral("diluicao"), QStringLiteral("digitada")}},
    };
    int n = 1;
    for (const QMap<QString, QString> &drivers : scenarios)
        study.horizon->scenarios.push_back(
            Scenario{QStringLiteral("Cenário %1").arg(n++), ScenarioInputs{drivers, {}, {}}});
    return study;
}

} // namespace

// The horizon's scenarios, each year the windows' own runs: the public supply and the herds
// alone, then every sector of a full study through the run the window and the command line use.
void benchHorizon()
{
    using namespace tavi;
    PublicSupplyInputs supply;
    supply.servedPopulation = 85432;
    supply.currentPerCapita = 0.18L;
    supply.totalPopulation = 97210;
    supply.unservedPerCapita = 0.07L;
    supply.efficiency = 72.5L;
    horizon::SupplyDrivers drivers;
    drivers.population.counts = {{2000, 70000}, {2010, 80000}, {2022, 95000}};
    LivestockInputs herds;
    for (int s = 0; s < kSpeciesCount; ++s)
        herds[std::size_t(s)] = {1000.0L * (s + 1), 10};
    horizon::LivestockDrivers growth;
    growth[0].annualGrowthPercent = 1.5L;
    const projection::PlanningHorizon years{2026, 2056};
    const LocaleSettings locale = LocaleSettings::brazilian();
    const double ms = bench::medianMs(11, [&] {
        for (int scenario = 0; scenario < 5; ++scenario) {
            drivers.perCapitaChangePercent = scenario;
            horizon::supplyOverHorizon(supply, years, drivers, locale);
            horizon::livestockOverHorizon(herds, years, growth, locale);
        }
    });
    bench::row(QStringLiteral("Horizon: 30 years x 5 scenarios, supply and livestock"), ms, "ms",
               QString());

    const Study study = horizonStudy();
    const double every = bench::medianMs(5, [&] { horizon::runHorizon(study, locale); });
    bench::row(QStringLiteral("Horizon: 30 years x 5 scenarios, every sector (runHorizon)"), every,
               "ms", QStringLiteral("goal < 200"));
}

namespace
{

// Lets the window's events and its computation's answer through until `done`, at most 10 s;
// the time it took, in milliseconds.
template <class Done> double waitUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return timer.nsecsElapsed() / 1e6;
}

// One keystroke and what the window does with it at once (its repaint included).
double keystroke(QWidget *field, Qt::Key key)
{
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(field, key);
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

// The horizon window as the user types into it: how long after a keystroke the year table is
// current again (the pause the window waits for typing to stop included), and what a keystroke
// costs while the scenarios are being computed away from the window's thread.
void benchHorizonWindow()
{
    using namespace tavi;
    TF_Horizonte window(horizonStudy());
    window.resize(1366, 768);
    window.show();
    QApplication::setActiveWindow(&window);
    auto current = [&window] { return window.results()->isCurrent(); };
    waitUntil(current);
    auto *finalYear = window.findChild<NumericEdit *>(QStringLiteral("e_ano_final"));
    finalYear->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(finalYear, Qt::Key_End);

    // The final year's last digit typed over: 2056, 2055, 2056, ...
    std::vector<double> toTable;
    std::vector<double> whileComputing;
    int computingAtKeystroke = 0;
    std::vector<double> idle;
    for (int round = 0; round < 8; ++round) {
        idle.push_back(keystroke(finalYear, Qt::Key_Backspace));
        QElapsedTimer sinceKey;
        sinceKey.start();
        keystroke(finalYear, round % 2 ? Qt::Key_6 : Qt::Key_5);
        waitUntil(current);
        toTable.push_back(sinceKey.nsecsElapsed() / 1e6);

        // Once typing has paused long enough, the scenarios go to be computed; a keystroke
        // then must not wait for them.
        keystroke(finalYear, Qt::Key_Backspace);
        keystroke(finalYear, round % 2 ? Qt::Key_5 : Qt::Key_6);
        QElapsedTimer pause;
        pause.start();
        waitUntil([&pause] { return pause.elapsed() > TF_Horizonte::kPauseMs + 20; });
        computingAtKeystroke += current() ? 0 : 1;
        whileComputing.push_back(keystroke(finalYear, Qt::Key_Backspace));
        whileComputing.push_back(keystroke(finalYear, round % 2 ? Qt::Key_6 : Qt::Key_5));
        waitUntil(current);
    }
    bench::row(QStringLiteral("Horizon window: keystroke to the year table current"),
               median(toTable), "ms",
               QStringLiteral("incl. %1 ms pause for typing").arg(TF_Horizonte::kPauseMs));
    bench::row(QStringLiteral("Horizon window: a keystroke, nothing being computed"), median(idle),
               "ms", QStringLiteral("goal < 16 (one frame)"));
    bench::row(QStringLiteral("Horizon window: a keystroke while computing (median)"),
               median(whileComputing), "ms", QStringLiteral("goal < 16 (one frame)"));
    bench::row(QStringLiteral("Horizon window: a keystroke while computing (worst)"),
               *std::max_element(whileComputing.begin(), whileComputing.end()), "ms",
               QStringLiteral("%1 of %2 rounds caught computing")
                   .arg(computingAtKeystroke)
                   .arg(toTable.size()));
}
