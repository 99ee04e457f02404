// A region computed: each municipality reads as its study computed alone, text for text; its
// horizon's final years and its balance ratio are the ones the study's own runs give; a
// municipality that cannot be read fails alone; the totals add up by group; and a cancel stops
// the work early.
#include "core/balance/WaterBalance.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonRun.h"
#include "core/numbers/GeneralFormat.h"
#include "core/numbers/ReadableNumber.h"
#include "core/region/RegionRun.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/tables/CellTable.h"
#include "support/SummaryStudies.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::region;

namespace
{

// The template holds a full agriculture year and a short horizon with two scenarios.
Study templateStudy()
{
    Study study = testing::everySectorStudy();
    study.horizon = horizon::newHorizon(study, 2026);
    study.horizon->finalYear = QStringLiteral("2029");
    study.horizon->scenarios.push_back(
        Scenario{QStringLiteral("Mais gado"),
                 ScenarioInputs{{{QStringLiteral("crescimento_e_qte_bovino"), "3"}}, {}, {}}});
    return study;
}

// Ten municipalities, each with its own population, herd and crop areas; the fourth with a
// longer horizon of its own, the sixth with a reference flow; two groups and some with none.
Region tenMunicipalities()
{
    Region region;
    region.name = QStringLiteral("Bacia de teste");
    region.templateStudy = templateStudy();
    const StudyGrid params = windowInputs(region.templateStudy, keys::kAgricultureWindow)
                                 .grids.value(keys::kCropParameters);
    for (int i = 0; i < 10; ++i) {
        Municipality m;
        m.code = QString::number(3500105 + i * 100);
        m.name = QStringLiteral("Município %1").arg(i + 1);
        m.state = QStringLiteral("SP");
        m.group = i % 3 == 0 ? QString() : (i % 3 == 1 ? "Alto Tietê" : "Baixo Tietê");
        m.overrides.fields[keys::kSupplyWindow] = {
            {QStringLiteral("me_1"), QString::number(5000 + 7919 * i)},
            {QStringLiteral("me_3"), QString::number(6000 + 9001 * i)}};
        m.overrides.fields[keys::kLivestockWindow] = {
            {QStringLiteral("e_qte_bovino"), QString::number(1000 + 1733 * i)}};
        StudyGrid areas = params;
        for (int c = 0; c < agriculture::kClasses && c < areas[agriculture::kAreaRow].size(); ++c)
            areas[agriculture::kAreaRow][c] =
                formatGeneral(0.5L + 0.37L * i + 0.11L * c, LocaleSettings::decimalPoint());
        m.overrides.grids[keys::kAgricultureWindow][keys::kCropParameters] = areas;
        region.municipalities.push_back(m);
    }
    StudyHorizon longer = *region.templateStudy.horizon;
    longer.finalYear = QStringLiteral("2031");
    region.municipalities[3].overrides.horizon = longer;
    region.municipalities[5].referenceFlow = QStringLiteral("12.5");
    return region;
}

// The summary window's figures table for the study alone.
struct Alone {
    MunicipalSummary summary;
    CellTable figures{kFiguresColumns, kFiguresRows, kFiguresRows, true};
};

void computeAlone(Alone &alone, const Study &study)
{
    alone.summary = summarizeStudy(study, SupplyScenario::Current);
    fillFiguresTable(alone.figures, alone.summary);
}

void compareWithAlone(const MunicipalityResult &result, const Study &study)
{
    Alone alone;
    computeAlone(alone, study);
    const CellTable &f = alone.figures;
    for (int s = 0; s < kSummarySectors; ++s) {
        QCOMPARE(result.annualTexts[std::size_t(s)], f.cell(1, s + 1));
        QCOMPARE(result.shareTexts[std::size_t(s)], f.cell(2, s + 1));
        QCOMPARE(result.annual[std::size_t(s)], alone.summary.sectors[std::size_t(s)].annual);
    }
    QCOMPARE(result.annualTotalText, f.cell(1, 4));
    QCOMPARE(dayLabel(result.peakDay), f.cell(1, 6));
    QCOMPARE(result.peakTotalText + QChar(0x00A0) + QStringLiteral("m3/dia"), f.cell(2, 6));
    QCOMPARE(result.dilutionMaximumText, f.cell(1, 7));
    QCOMPARE(result.errors, alone.summary.errors());
    QCOMPARE(result.partialNote, alone.summary.partialNote());
}

} // namespace

class RegionRunTest : public QObject
{
    Q_OBJECT

private slots:
    // Each municipality of the region reads exactly as its study computed alone; its horizon's
    // final years are runHorizon's, its ratio computeBalance's; and no two compute alike.
    void everyMunicipalityAsAlone()
    {
        const Region region = tenMunicipalities();
        const RegionResults results = computeRegion(region);
        QCOMPARE(int(results.municipalities.size()), 10);
        QVERIFY(!results.cancelled);
        QVERIFY(results.failures().isEmpty());
        QSet<QString> totals;
        for (int i = 0; i < 10; ++i) {
            const MunicipalityResult &result = results.municipalities[std::size_t(i)];
            const Study study = municipalityStudy(region, i);
            QCOMPARE(result.code, region.municipalities[std::size_t(i)].code);
            QCOMPARE(result.name, QStringLiteral("Município %1 (SP)").arg(i + 1));
            compareWithAlone(result, study);
            totals.insert(result.annualTotalText);

            const std::vector<horizon::ScenarioRun> runs =
                horizon::runHorizon(study, LocaleSettings::current());
            QCOMPARE(result.horizon.size(), runs.size());
            for (std::size_t s = 0; s < runs.size(); ++s) {
                const horizon::HorizonYear &last = runs[s].years.back();
                QCOMPARE(result.horizon[s].scenario, runs[s].name);
                QCOMPARE(result.horizon[s].year, last.year);
                QCOMPARE(result.horizon[s].total, last.total.annual);
                for (std::size_t k = 0; k < std::size_t(kSummarySectors); ++k)
                    QCOMPARE(result.horizon[s].annual[k], last.sectors[k].annual);
            }
            QCOMPARE(result.horizon.front().year, i == 3 ? 2031 : 2029);

            QCOMPARE(result.hasBalance, i == 5);
            if (result.hasBalance) {
                const balance::WaterBalance balance =
                    balance::computeBalance(study, summarizeStudy(study, SupplyScenario::Current));
                QVERIFY2(balance.computed(), qPrintable(balance.problem));
                QCOMPARE(result.balanceProblem, QString());
                QCOMPARE(result.referenceFlow, 12.5L);
                QCOMPARE(result.ratio, balance.meanDay.percent);
                QCOMPARE(result.ratioText, formatReadable(balance.meanDay.percent, kShareDecimals));
                QCOMPARE(result.stressClassName, balance::stressClassName(balance.meanDay.stress));
            }
        }
        // The overrides reach the studies: populations, herds and areas all differ.
        QCOMPARE(totals.size(), 10);

        // One municipality alone is what the region gives for it.
        const MunicipalityResult single = computeMunicipality(region, 7);
        QCOMPARE(single.annualTotalText, results.municipalities[7].annualTotalText);
        QCOMPARE(single.horizon.back().total, results.municipalities[7].horizon.back().total);
    }

    // Groups by name, those without one last under "Sem grupo"; the groups add up to the
    // region; each scenario's final year is summed over the municipalities that have it.
    void totalsAddUp()
    {
        const Region region = tenMunicipalities();
        const RegionResults results = computeRegion(region);
        QCOMPARE(int(results.groups.size()), 3);
        QCOMPARE(results.groups[0].group, QStringLiteral("Alto Tietê"));
        QCOMPARE(results.groups[1].group, QStringLiteral("Baixo Tietê"));
        QCOMPARE(results.groups[2].group, QStringLiteral("Sem grupo"));
        QCOMPARE(results.groups[2].municipalities, 4);
        QCOMPARE(results.region.municipalities, 10);
        QCOMPARE(results.scenarios, (QStringList{"Base", "Mais gado"}));

        long double sum = 0, shares = 0;
        for (const RegionTotal &group : results.groups)
            sum += group.annualTotal;
        for (long double share : results.region.shares)
            shares += share;
        QVERIFY(std::fabs(double(sum - results.region.annualTotal)) <
                1e-9 * double(results.region.annualTotal));
        QVERIFY(std::fabs(double(shares) - 100) < 1e-9);
        long double agriculture = 0, mostCattle = 0;
        for (const MunicipalityResult &m : results.municipalities) {
            agriculture += m.annual[AgricultureSector];
            mostCattle += m.horizon[1].total;
        }
        QCOMPARE(results.region.annual[AgricultureSector], agriculture);
        QCOMPARE(results.region.horizon[1].total, mostCattle);
        // Municipality 4 ends later than the others: the region's final year is the latest.
        QCOMPARE(results.region.horizon[1].year, 2031);
        QCOMPARE(results.region.partialMunicipalities, 0);
    }

    // A text in a number cell (a field reads as the window holds it, 0) fails that
    // municipality's sector with its message; the others compute; the totals say they are
    // partial and leave the sector out.
    void unreadableInputFailsAlone_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("place");
        QTest::newRow("weather series")
            << QString(keys::kSeries) << 99 << 0 << QString(testing::kSpoiledCellPlace);
        QTest::newRow("crop area")
            << QString(keys::kCropParameters) << int(agriculture::kAreaRow) << 2 << QString();
    }
    void unreadableInputFailsAlone()
    {
        QFETCH(QString, grid);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, place);
        const int sector = AgricultureSector;
        Region region = tenMunicipalities();
        region.templateStudy.horizon.reset();
        region.municipalities[3].overrides.horizon.reset();
        StudyGrid &spoiled =
            region.municipalities[2].overrides.grids[keys::kAgricultureWindow][grid];
        if (spoiled.isEmpty())
            spoiled =
                windowInputs(region.templateStudy, keys::kAgricultureWindow).grids.value(grid);
        spoiled[row][column] = QStringLiteral("abc");
        const RegionResults results = computeRegion(region);
        QCOMPARE(int(results.municipalities.size()), 10);
        const MunicipalityResult &failed = results.municipalities[2];
        QVERIFY(failed.failed());
        QVERIFY(!failed.computed[std::size_t(sector)]);
        QCOMPARE(failed.annualTexts[std::size_t(sector)], QStringLiteral("—"));
        QVERIFY2(failed.errors.front().startsWith(summarySectorName(sector) + ": "),
                 qPrintable(failed.errors.front()));
        QVERIFY(failed.errors.front().contains("abc"));
        if (!place.isEmpty())
            QCOMPARE(failed.errorPlaces.front(), place);
        QVERIFY(!failed.partialNote.isEmpty());
        compareWithAlone(failed, municipalityStudy(region, 2));

        QCOMPARE(results.failures(), QStringList{"Município 3 (SP): " + failed.errors.join("; ")});
        for (int i = 0; i < 10; ++i)
            if (i != 2)
                QVERIFY(!results.municipalities[std::size_t(i)].failed());
        QCOMPARE(results.region.partialMunicipalities, 1);
        QCOMPARE(results.groups[1].partialMunicipalities, 1); // "Baixo Tietê"
        QCOMPARE(results.groups[0].partialMunicipalities, 0);
        long double inSector = 0;
        for (const MunicipalityResult &m : results.municipalities)
            inSector += m.computed[std::size_t(sector)] ? m.annual[std::size_t(sector)] : 0;
        QCOMPARE(results.region.annual[std::size_t(sector)], inSector);
    }

    // Progress reaches the total, one step at a time; a cancel stops early, says so, and keeps
    // only whole municipalities, in the region's order.
    void progressAndCancel()
    {
        Region region = tenMunicipalities();
        region.templateStudy.horizon.reset();
        region.municipalities[3].overrides.horizon.reset();
        QList<int> seen;
        QSet<int> totals;
        RegionResults results =
            computeRegion(region, LocaleSettings::current(), nullptr, [&](int done, int total) {
                seen << done;
                totals << total;
            });
        QCOMPARE(seen, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(totals, QSet<int>{10});
        QVERIFY(!results.cancelled);

        std::atomic<bool> cancelled{false};
        results = computeRegion(region, LocaleSettings::current(), &cancelled,
                                [&cancelled](int done, int) {
                                    if (done >= 2)
                                        cancelled = true;
                                });
        QVERIFY(results.cancelled);
        QVERIFY(results.municipalities.size() >= 2);
        QVERIFY(results.municipalities.size() < 10);
        int last = -1;
        for (const MunicipalityResult &m : results.municipalities) {
            const int at = region.indexOf(m.code);
            QVERIFY(at > last);
            last = at;
            QCOMPARE(m.annualTotalText, computeMunicipality(region, at).annualTotalText);
        }
        QCOMPARE(results.region.municipalities, int(results.municipalities.size()));
    }
};

QTEST_GUILESS_MAIN(RegionRunTest)
#include "tst_region_run.moc"
