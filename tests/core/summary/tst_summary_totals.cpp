// What the municipal summary says of its total when a sector could not be computed, and what
// it takes from the sectors' runs.
#include "core/numbers/NumberText.h"
#include "core/sectors/agriculture/AgricultureRun.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/sectors/dilution/DilutionRun.h"
#include "core/sectors/livestock/LivestockRun.h"
#include "core/sectors/supply/SupplyRun.h"
#include "core/summary/MunicipalSummary.h"
#include "core/tables/CellTable.h"

#include <QTest>

using namespace tavi;

namespace
{

Study computableStudy()
{
    Study s = defaultStudy();
    s.windows[keys::kSupplyWindow].fields = {
        {"me_1", "25000"}, {"me_2", "0.2"}, {"me_3", "30000"}, {"me_4", "0.1"}};
    s.windows[keys::kLivestockWindow].fields = {{"me_bovino", "50"}, {"e_qte_bovino", "1200"}};
    return s;
}

} // namespace

class SummaryTotalsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::decimalPoint()); }

    // Every place that shows the total says it is partial and which sectors it leaves out.
    void partialTotals_data()
    {
        QTest::addColumn<bool>("supplyFails");
        QTest::addColumn<bool>("agricultureFails");
        QTest::addColumn<QString>("missing");
        QTest::newRow("whole") << false << false << "";
        QTest::newRow("without agriculture") << false << true << "Agricultura";
        QTest::newRow("without two sectors")
            << true << true << "Abastecimento Público e Agricultura";
    }
    void partialTotals()
    {
        QFETCH(bool, supplyFails);
        QFETCH(bool, agricultureFails);
        QFETCH(QString, missing);
        Study study = computableStudy();
        if (supplyFails)
            study.windows[keys::kSupplyWindow].fields["me_5"] = QStringLiteral("150");
        if (agricultureFails)
            study.windows[keys::kAgricultureWindow].grids[keys::kSeries][99][0] =
                QStringLiteral("abc");
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current);
        QCOMPARE(summary.isPartial(), !missing.isEmpty());
        QCOMPARE(summary.missingSectors(), missing);
        CellTable days(kSummaryColumns, kSummaryDays + 1, kSummaryDays + 1, true);
        fillSummaryTable(days, summary);
        CellTable figures(kFiguresColumns, kFiguresRows, kFiguresRows, true);
        fillFiguresTable(figures, summary);
        if (missing.isEmpty()) {
            QCOMPARE(summary.partialNote(), QString());
            QCOMPARE(days.cell(4, 0), QStringLiteral("Total"));
            QCOMPARE(figures.cell(0, 4), QStringLiteral("Total"));
            QCOMPARE(figures.cell(0, 6), QStringLiteral("Dia de maior demanda"));
            return;
        }
        QCOMPARE(summary.partialNote(), QStringLiteral("total parcial, sem ") + missing);
        QCOMPARE(days.cell(4, 0), QStringLiteral("Total parcial (sem %1)").arg(missing));
        QCOMPARE(figures.cell(0, 4), QStringLiteral("Total parcial (sem %1)").arg(missing));
        QCOMPARE(figures.cell(0, 6),
                 QStringLiteral("Dia de maior demanda (total parcial, sem %1)").arg(missing));
        // The errors, with the place the agriculture's names.
        const QStringList errors = summary.errors();
        const QStringList places = summary.errorPlaces();
        QCOMPARE(places.size(), errors.size());
        QCOMPARE(errors.last(),
                 QStringLiteral("Agricultura: 'abc' não é um valor de ponto flutuante válido"));
        QCOMPARE(places.last(), QStringLiteral("Série, dia 100, coluna ETP"));
        QCOMPARE(figures.cell(2, 8 + errors.size() - 1), places.last());
        if (supplyFails)
            QCOMPARE(places.first(), QString());
    }

    // Each sector's days are its run's, text for text, the supply's in the scenario chosen;
    // the dilution's maximum and point are its run's; the total adds the values shown.
    void sectorsAreTheirRunsDays_data()
    {
        QTest::addColumn<bool>("nextYear");
        QTest::newRow("current") << false;
        QTest::newRow("next year") << true;
    }
    void sectorsAreTheirRunsDays()
    {
        QFETCH(bool, nextYear);
        const LocaleSettings locale = LocaleSettings::brazilian();
        Study study = computableStudy();
        QMap<QString, QString> &supply = study.windows[keys::kSupplyWindow].fields;
        supply["e_p_1"] = QStringLiteral("0.0071");
        supply["e_p_2"] = QStringLiteral("3.53");
        study.windows[keys::kAgricultureWindow].grids[keys::kSeries][9] = {"4.5", "2.25"};
        const MunicipalSummary summary = summarizeStudy(
            study, nextYear ? SupplyScenario::NextYear : SupplyScenario::Current, locale);

        const auto inputs = [&study](SectorId sector) {
            return windowInputs(study, sectorDescriptor(sector).studyKey);
        };
        const supply::Result supplyRun =
            supply::run(supply::readInputs(inputs(SectorId::Supply), locale), locale);
        const DaySeries &supplyDays = nextYear ? supplyRun.nextYear : supplyRun.current;
        QCOMPARE(summary.series(SectorId::Supply).dailyTexts, supplyDays.texts);
        QCOMPARE(summary.series(SectorId::Supply).dailyTexts[365],
                 QString::fromLatin1(nextYear ? "5625" : "5500"));
        QCOMPARE(summary.series(SectorId::Livestock).dailyTexts,
                 livestock::run(livestock::readInputs(inputs(SectorId::Livestock), locale), locale)
                     .total.texts);
        const agriculture::Result agricultureRun = agriculture::run(
            agriculture::readInputs(inputs(SectorId::Agriculture), locale), locale);
        QCOMPARE(summary.series(SectorId::Agriculture).dailyTexts, agricultureRun.total.texts);
        const dilution::Result dilutionRun =
            dilution::run(dilution::readInputs(inputs(SectorId::Dilution), locale), locale);
        QCOMPARE(summary.dilutionMaximumText, dilutionRun.maximumText);
        QCOMPARE(summary.dilutionPoint, dilutionRun.maximumPoint);
        QCOMPARE(summary.dilutionMaximum, dilutionRun.maximum);
        for (int day : {0, 9, 365}) {
            long double total = 0;
            for (const SectorSeries &sector : summary.sectors)
                total += textToNumber(sector.dailyTexts[day], locale);
            QCOMPARE(summary.totalTexts[day], formatGeneral(total, locale));
        }
    }
};

QTEST_GUILESS_MAIN(SummaryTotalsTest)
#include "tst_summary_totals.moc"
