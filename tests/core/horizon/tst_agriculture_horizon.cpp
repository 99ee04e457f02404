// Irrigated agriculture over a planning horizon: the base year is the window's simulation, text
// for text; areas and efficiencies move as their drivers say, each year being the window's run
// on the tables with those values typed in; the climate factors scale the series; and what
// cannot be projected is refused naming the class or the driver.
#include "core/base/TaviError.h"
#include "core/horizon/AgricultureHorizon.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/ShownNumber.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "support/SummaryStudies.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

const projection::PlanningHorizon kHorizon{2026, 2046};

agriculture::Inputs window(const Study &study = testing::everySectorStudy())
{
    return agriculture::readInputs(study.windows.value(keys::kAgricultureWindow),
                                   LocaleSettings::brazilian());
}

QString studyNumber(long double v)
{
    return formatGeneral(v, studyNumberSettings());
}

// The window's daily totals for the days of `year`, as it shows them.
QStringList windowDays(const agriculture::Inputs &in, int year)
{
    const agriculture::Result run =
        agriculture::run(in, LocaleSettings::brazilian(), agriculture::Detail::DailyTotal);
    return run.total.texts.mid(0, QDate(year, 1, 1).daysInYear());
}

QStringList shownDays(const AgricultureYear &year)
{
    QStringList texts;
    for (long double v : year.daily)
        texts << shownNumber(v, LocaleSettings::brazilian()).text;
    return texts;
}

} // namespace

class AgricultureHorizonTest : public QObject
{
    Q_OBJECT

    const LocaleSettings locale = LocaleSettings::brazilian();

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    // Whatever the drivers say of later years, the base year is the window's own run; with
    // nothing moved, every year is, its days 365 or 366 as the year has.
    void baseYearIsTheWindows()
    {
        AgricultureDrivers moving;
        moving.areas[0].annualGrowthPercent = 3;
        moving.efficiencyTarget = 0.95L;
        for (const AgricultureDrivers &drivers : {AgricultureDrivers(), moving}) {
            const std::vector<AgricultureYear> years =
                agricultureOverHorizon(window(), kHorizon, drivers, locale);
            QCOMPARE(int(years.size()), 21);
            QCOMPARE(shownDays(years[0]), windowDays(window(), 2026));
        }
        const std::vector<AgricultureYear> held =
            agricultureOverHorizon(window(), kHorizon, AgricultureDrivers(), locale);
        QCOMPARE(shownDays(held[2]), windowDays(window(), 2028)); // 366 days
    }

    // Each driver's value in a year, and that year's days being the window's run on the
    // parameters with that value typed in.
    void driversMoveTheParameters_data()
    {
        QTest::addColumn<int>("kind"); // 0 growth, 1 typed areas, 2 efficiency target
        QTest::addColumn<int>("year");
        QTest::addColumn<double>("expected");
        // Class A: 20 km2 and 0.7 in the window.
        QTest::newRow("growth compounds") << 0 << 2036 << 20 * std::pow(1.025, 10);
        QTest::newRow("typed, between two years") << 1 << 2031 << 27.5;
        QTest::newRow("typed, beyond the last") << 1 << 2046 << 40.0;
        QTest::newRow("efficiency on its way") << 2 << 2029 << 0.7 + 0.2 * 3 / 7;
        QTest::newRow("efficiency in its year") << 2 << 2033 << 0.9;
        QTest::newRow("efficiency after its year") << 2 << 2040 << 0.9;
    }
    void driversMoveTheParameters()
    {
        QFETCH(int, kind);
        QFETCH(int, year);
        QFETCH(double, expected);
        AgricultureDrivers drivers;
        if (kind == 0)
            drivers.areas[0].annualGrowthPercent = 2.5L;
        if (kind == 1)
            drivers.areas[0].typed = {{2036, 40}, {2026, 15}};
        if (kind == 2) {
            drivers.efficiencyTarget = 0.9L;
            drivers.efficiencyTargetYear = 2033;
        }
        const std::vector<AgricultureYear> years =
            agricultureOverHorizon(window(), kHorizon, drivers, locale);
        const AgricultureYear &moved = years[std::size_t(year - 2026)];
        const long double value = kind == 2 ? moved.efficiencies[0] : moved.areas[0];
        QVERIFY2(std::fabs(double(value) - expected) < 1e-12, qPrintable(studyNumber(value)));
        QCOMPARE(double(kind == 2 ? moved.areas[0] : moved.efficiencies[0]),
                 kind == 2 ? 20.0 : 0.7);
        if (kind == 2)
            QCOMPARE(double(moved.efficiencies[2]), year >= 2033 ? 0.9 : 0.6 + 0.3 * 3 / 7.0);

        // The target moves every class's efficiency, each from its own.
        agriculture::Inputs typed = window();
        if (kind != 2)
            typed.parameters[agriculture::kAreaRow][0] = studyNumber(value);
        if (kind == 2)
            for (int k = 0; k < agriculture::kClasses; ++k)
                typed.parameters[agriculture::kEfficiencyRow][k] =
                    studyNumber(moved.efficiencies[std::size_t(k)]);
        QCOMPARE(shownDays(moved), windowDays(typed, year));
        QVERIFY(moved.annual != years[0].annual);
    }

    // The factors scale the series every year, the base year's too.
    void climateFactors()
    {
        AgricultureDrivers drivers;
        drivers.climate = ClimateChoice::Factors;
        drivers.etpFactor = 1.2L;
        drivers.rainFactor = 0.5L;
        const std::vector<AgricultureYear> years =
            agricultureOverHorizon(window(), kHorizon, drivers, locale);
        agriculture::Inputs scaled = window();
        for (StudyRow &day : scaled.series) {
            day[0] = studyNumber(textToNumber(day[0], studyNumberSettings()) * 1.2L);
            day[1] = studyNumber(textToNumber(day[1], studyNumberSettings()) * 0.5L);
        }
        QCOMPARE(shownDays(years[0]), windowDays(scaled, 2026));
        QCOMPARE(shownDays(years[20]), shownDays(years[0]));
        QVERIFY(years[0].annual > agricultureOverHorizon(window(), kHorizon, {}, locale)[0].annual);
    }

    void refused_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a rate that ends the area")
            << 0
            << "Classe B: uma taxa de -100 % ao ano acabaria com a área irrigada; deve ser maior "
               "que -100 %.";
        QTest::newRow("a typed year out of range")
            << 1 << "Classe I: o ano 1800 está fora de 1872 a 2100.";
        QTest::newRow("a negative area") << 2 << "Classe A: a área de 2030 é negativa.";
        QTest::newRow("a zero efficiency")
            << 3
            << "A eficiência-alvo de 0 deve ser maior que 0 e no máximo 1, como as eficiências "
               "da tabela de parâmetros.";
        QTest::newRow("an efficiency in percent")
            << 4
            << "A eficiência-alvo de 85 deve ser maior que 0 e no máximo 1, como as eficiências "
               "da tabela de parâmetros.";
        QTest::newRow("a negative factor") << 5 << "O fator da precipitação de -0,5 é negativo.";
        QTest::newRow("a negative factor not chosen") << 6 << "";
    }
    void refused()
    {
        QFETCH(int, change);
        QFETCH(QString, problem);
        AgricultureDrivers drivers;
        switch (change) {
        case 0:
            drivers.areas[1].annualGrowthPercent = -100;
            break;
        case 1:
            drivers.areas[8].typed = {{1800, 10}};
            break;
        case 2:
            drivers.areas[0].typed = {{2030, -1}};
            break;
        case 3:
        case 4:
            drivers.efficiencyTarget = change == 3 ? 0 : 85;
            break;
        default:
            drivers.climate = change == 5 ? ClimateChoice::Factors : ClimateChoice::StudySeries;
            drivers.rainFactor = -0.5L;
        }
        const QString found = agricultureDriversProblem(kHorizon, drivers);
        QCOMPARE(found, problem);
        if (!problem.isEmpty())
            QVERIFY_THROWS_EXCEPTION(TaviError,
                                     agricultureOverHorizon(window(), kHorizon, drivers, locale));
    }

    // A cell the window cannot read is refused as the window refuses it, naming the cell, even
    // in a year that moves the parameters.
    void unreadableCell()
    {
        AgricultureDrivers drivers;
        drivers.areas[0].annualGrowthPercent = 1;
        try {
            agricultureOverHorizon(window(testing::agricultureFailingStudy()), kHorizon, drivers,
                                   locale);
            QFAIL("no error");
        } catch (const TaviError &e) {
            QCOMPARE(e.message(), QStringLiteral("'abc' não é um valor de ponto flutuante válido"));
            QCOMPARE(e.where(), QString::fromUtf8(testing::kSpoiledCellPlace));
        }
    }
};

QTEST_GUILESS_MAIN(AgricultureHorizonTest)
#include "tst_agriculture_horizon.moc"
