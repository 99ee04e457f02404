// The sewage dilution over a planning horizon: the base year is the window's run; the effluent
// flow follows the population's factor of each year, or stays as typed; each year is the
// window's run on that year's flow.
#include "core/base/TaviError.h"
#include "core/horizon/DilutionHorizon.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "support/SummaryStudies.h"

#include <QTest>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

const projection::PlanningHorizon kHorizon{2026, 2030};

DilutionInputs window()
{
    return dilution::readInputs(testing::everySectorStudy().windows.value(keys::kDilutionWindow),
                                LocaleSettings::brazilian());
}

} // namespace

class DilutionHorizonTest : public QObject
{
    Q_OBJECT

    const LocaleSettings locale = LocaleSettings::brazilian();
    // The base year's factor is 1 whatever the population says.
    const std::vector<long double> factors{1, 1.1L, 1.25L, 0.9L, 1.1L};

private slots:
    void followsItsPath_data()
    {
        QTest::addColumn<bool>("withPopulation");
        QTest::addColumn<int>("year");
        QTest::addColumn<double>("factor");
        QTest::newRow("base year") << true << 2026 << 1.0;
        QTest::newRow("growing") << true << 2028 << 1.25;
        QTest::newRow("shrinking") << true << 2029 << 0.9;
        QTest::newRow("as typed") << false << 2028 << 1.0;
    }
    void followsItsPath()
    {
        QFETCH(bool, withPopulation);
        QFETCH(int, year);
        QFETCH(double, factor);
        const std::vector<DilutionYear> years = dilutionOverHorizon(
            window(), kHorizon,
            withPopulation ? DilutionPath::WithPopulation : DilutionPath::AsTyped,
            withPopulation ? factors : std::vector<long double>{}, locale);
        QCOMPARE(int(years.size()), 5);
        const DilutionYear &found = years[std::size_t(year - 2026)];
        QCOMPARE(found.year, year);
        DilutionInputs in = window();
        if (year != 2026)
            in.effluentFlow *= factors[std::size_t(year - 2026)];
        // The concentration stays, so the unavailable flow moves with the flow.
        const dilution::Result run =
            dilution::run(withPopulation ? in : window(), LocaleSettings::brazilian());
        QCOMPARE(found.maximumText, run.maximumText);
        QCOMPARE(found.maximumPoint, run.maximumPoint);
        if (factor != 1)
            QVERIFY(found.maximum != years.front().maximum);
    }

    void factorsMissing()
    {
        QVERIFY_THROWS_EXCEPTION(
            TaviError,
            dilutionOverHorizon(window(), kHorizon, DilutionPath::WithPopulation, {1, 1}, locale));
    }
};

QTEST_GUILESS_MAIN(DilutionHorizonTest)
#include "tst_dilution_horizon.moc"
