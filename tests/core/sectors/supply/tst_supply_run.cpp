// The public supply run from a study's texts: the fields held at their decimals, next year's
// per-capita demand at four, the grid's texts, and the error that stops it.
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/sectors/supply/SupplyRun.h"

#include <QTest>

using namespace tavi;

namespace
{

const QStringList kFields = {
    keys::kServedPopulation,  keys::kCurrentPerCapita, keys::kTotalPopulation,
    keys::kUnservedPerCapita, keys::kSupplyEfficiency, keys::kPriceElasticity,
    keys::kWaterPrice,        keys::kIncomeElasticity, keys::kIncome};

// me_1, me_2, me_3, me_4, me_5, e_p_1, e_p_2, e_p_3, e_p_4 as a study keeps them.
WindowInputs study(const QStringList &texts)
{
    WindowInputs inputs;
    for (int i = 0; i < texts.size(); ++i)
        inputs.fields[kFields[i]] = texts[i];
    return inputs;
}

// Texts below are written with "."; in the comma locale they carry "," instead.
QString inLocale(QString text, const LocaleSettings &locale)
{
    return text.replace(QLatin1Char('.'), locale.decimalSeparator);
}

} // namespace

class SupplyRunTest : public QObject
{
    Q_OBJECT

private slots:
    // Study texts → next year's per-capita demand as its field holds it, and the current and
    // next-year gross demand of every day, in both separators.
    void grossDemand_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("perCapita");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("nextYear");
        // A centavo of price no longer moves next year's demand by 250 m3/dia: with two
        // decimals q_1 was 0,20 at 3,52 and 0,21 at 3,53 (5500 and 5750).
        QTest::newRow("price 3,52")
            << QStringList{"25000", "0.2", "30000", "0.1", "0", "0.0071", "3.52"} << "0.205"
            << "5500"
            << "5625";
        QTest::newRow("price 3,53")
            << QStringList{"25000", "0.2", "30000", "0.1", "0", "0.0071", "3.53"} << "0.205"
            << "5500"
            << "5625";
        QTest::newRow("price 4") << QStringList{"25000", "0.2", "30000", "0.1", "0", "0.0071", "4"}
                                 << "0.2057"
                                 << "5500"
                                 << "5642.5";
        QTest::newRow("half away from zero")
            << QStringList{"1000", "0.15", "1200", "0.1", "0", "0.05", "1.5"} << "0.1613"
            << "170"
            << "181.3";
        // The efficiency divides the net demand; 0 means not given.
        QTest::newRow("efficiency 80 %")
            << QStringList{"25000", "0.2", "30000", "0.1", "80", "0.0071", "3.52"} << "0.205"
            << "6875"
            << "7031.25";
        QTest::newRow("efficiency 100 %")
            << QStringList{"25000", "0.2", "30000", "0.1", "100"} << "0.2"
            << "5500"
            << "5500";
        QTest::newRow("efficiency 0.5 %")
            << QStringList{"1000", "0.15", "1200", "0.1", "0.5"} << "0.15"
            << "34000"
            << "34000";
        QTest::newRow("served beyond total")
            << QStringList{"1000", "0.15", "800", "0.1", "50"} << "0.15"
            << "260"
            << "260";
        // Each field holds its decimals, halves away from zero: me_2 0.155 is 0.16, a
        // population of 999.5 is 1000, an elasticity keeps six places and drops the seventh.
        QTest::newRow("fields at their decimals")
            << QStringList{"999.995", "0.155", "1200.004", "0.1", "0", "0.0500004", "1.5"}
            << "0.172"
            << "180"
            << "192";
        // What the field cannot hold is 0, as a field left empty.
        QTest::newRow("unreadable text") << QStringList{"1000", "abc", "1000"} << "0"
                                         << "0"
                                         << "0";
    }
    void grossDemand()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, perCapita);
        QFETCH(QString, current);
        QFETCH(QString, nextYear);
        for (const LocaleSettings &locale :
             {LocaleSettings::decimalPoint(), LocaleSettings::brazilian()}) {
            const supply::Result result =
                supply::run(supply::readInputs(study(texts), locale), locale);
            QVERIFY(result.nextYearPerCapita.has_value());
            QCOMPARE(formatGeneral(*result.nextYearPerCapita, locale), inLocale(perCapita, locale));
            for (int day : {1, 200, 365}) {
                QCOMPARE(result.grid->cell(0, day), dayLabel(day));
                QCOMPARE(result.grid->cell(1, day), inLocale(current, locale));
                QCOMPARE(result.grid->cell(2, day), inLocale(nextYear, locale));
            }
            // Day 366, beyond the grid, repeats the constant demand; the values are the texts'.
            QCOMPARE(result.current.texts.size(), 366);
            QCOMPARE(result.nextYear.texts.last(), inLocale(nextYear, locale));
            QCOMPARE(double(result.current.values[365]),
                     double(textToNumber(inLocale(current, locale), locale)));
        }
    }

    void theGridHasTheWindowsHeadings()
    {
        const supply::Result result = supply::run({}, LocaleSettings::brazilian());
        QCOMPARE(result.grid->cell(0, 0), QStringLiteral("DIA"));
        QCOMPARE(result.grid->cell(1, 0), QStringLiteral("ATUAL"));
        QCOMPARE(result.grid->cell(2, 0), QStringLiteral("FUTURA"));
        QCOMPARE(result.grid->storedRows(), 366);
    }

    // An efficiency below 0 or above 100 % stops the run before anything is written, naming
    // the field, its value as the locale writes it.
    void efficiencyOutOfRange_data()
    {
        QTest::addColumn<QString>("efficiency");
        QTest::addColumn<QString>("shown");
        QTest::newRow("negative") << "-1"
                                  << "-1";
        QTest::newRow("above 100") << "100.01"
                                   << "100,01";
        QTest::newRow("far above") << "120"
                                   << "120";
    }
    void efficiencyOutOfRange()
    {
        QFETCH(QString, efficiency);
        QFETCH(QString, shown);
        supply::Result result;
        try {
            supply::run(supply::readInputs(study({"1000", "0.15", "1200", "0.1", efficiency}),
                                           LocaleSettings::brazilian()),
                        LocaleSettings::brazilian(), result);
            QFAIL("the run went on");
        } catch (const TaviError &error) {
            QCOMPARE(error.place().field, QStringLiteral("me_5"));
            QCOMPARE(error.message(),
                     QStringLiteral("A \"Eficiência média do sistema de abastecimento\" deve "
                                    "estar entre 0 e 100 % (0: não informada); %1 % está fora "
                                    "desse intervalo")
                         .arg(shown));
        }
        QVERIFY(!result.nextYearPerCapita);
        QCOMPARE(result.grid->cell(1, 1), QString());
    }

    // An overflow stops the run on the first day: its label stays, the demands do not.
    void overflowStopsOnTheFirstDay()
    {
        supply::Result result;
        PublicSupplyInputs in;
        in.servedPopulation = 1e4000L;
        in.currentPerCapita = 1e4000L;
        QVERIFY_THROWS_EXCEPTION(FloatError, supply::run(in, LocaleSettings::brazilian(), result));
        QCOMPARE(result.grid->cell(0, 1), QStringLiteral("01"));
        QCOMPARE(result.grid->cell(1, 1), QString());
        QCOMPARE(result.grid->cell(0, 2), QString());
        QVERIFY(result.current.texts.isEmpty());
    }
};

QTEST_GUILESS_MAIN(SupplyRunTest)
#include "tst_supply_run.moc"
