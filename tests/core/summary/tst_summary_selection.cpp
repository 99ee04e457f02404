// A summary of some sectors only, as the command line asks for with --setor: the sectors left
// out are not computed (so cannot fail), not totalled, and carry no error; and each sector's
// own peak day.
#include "support/SummaryStudies.h"

#include "core/summary/DailyPeak.h"
#include "core/summary/MunicipalSummary.h"
#include "core/tables/CellTable.h"

#include <QTest>

using namespace tavi;

class SummarySelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::decimalPoint()); }

    void sectorsLeftOut()
    {
        const Study study = testing::agricultureFailingStudy();
        SectorSelection chosen = SectorSelection::none();
        chosen.add(SectorId::Supply);
        chosen.add(SectorId::Livestock);
        const MunicipalSummary whole = summarizeStudy(study, SupplyScenario::Current);
        const MunicipalSummary some = summarizeStudy(study, SupplyScenario::Current, chosen);

        // The failing sector, left out, is not an error; its column and figures stay empty.
        QCOMPARE(some.errors(), QStringList());
        QCOMPARE(some.errorPlaces(), QStringList());
        QVERIFY(!some.sectors[AgricultureSector].computed());
        QVERIFY(some.sectors[AgricultureSector].daily.empty());
        QCOMPARE(some.sectors[SupplySector].dailyTexts, whole.sectors[SupplySector].dailyTexts);
        QCOMPARE(some.total, whole.total); // agriculture failed in the whole one
        QCOMPARE(some.totalLabel(), QStringLiteral("Total parcial (sem Agricultura)"));

        // The dilution left out has no row among the figures; computed, it has one.
        QVERIFY(!some.dilutionComputed());
        CellTable figures(kFiguresColumns, kFiguresRows, kFiguresRows, true);
        fillFiguresTable(figures, some);
        QCOMPARE(figures.cell(0, 7), QString());
        fillFiguresTable(figures, whole);
        QVERIFY(figures.cell(0, 7).startsWith(QStringLiteral("Máxima vazão")));

        // The shares are of the chosen sectors' total.
        SectorSelection supplyOnly = SectorSelection::none();
        supplyOnly.add(SectorId::Supply);
        const MunicipalSummary supply =
            summarizeStudy(testing::everySectorStudy(), SupplyScenario::Current, supplyOnly);
        QCOMPARE(double(supply.shares[SupplySector]), 100.0);
        QCOMPARE(supply.annualTotal, supply.sectors[SupplySector].annual);
        QCOMPARE(supply.missingSectors(), QStringLiteral("Pecuária e Agricultura"));
        QCOMPARE(supply.dilutionMaximum, 0.0);
        QCOMPARE(supply.errors(), QStringList());
    }

    // The first day of the largest demand: a constant year peaks on day 1.
    void peakDay()
    {
        QCOMPARE(dailyPeak({}).day, 0);
        QCOMPARE(dailyPeak({5, 5, 5}).day, 1);
        const DailyPeak peak = dailyPeak({1, 7, 3, 7});
        QCOMPARE(peak.day, 2);
        QCOMPARE(double(peak.value), 7.0);
        QCOMPARE(dailyPeak({-3, -1, -2}).day, 2);
    }
};

QTEST_GUILESS_MAIN(SummarySelectionTest)
#include "tst_summary_selection.moc"
