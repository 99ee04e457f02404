#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/supply/PublicSupplyModel.h"

#include <QTest>

using namespace tavi;

namespace
{

// me_1, me_2, me_3, me_4, me_5, e_p_1, e_p_2, e_p_3, e_p_4, as typed with "."
PublicSupplyInputs inputs(const QStringList &t)
{
    const auto n = [&t](int i) { return textToNumber(t.value(i, QStringLiteral("0"))); };
    PublicSupplyInputs in;
    in.servedPopulation = n(0);
    in.currentPerCapita = n(1);
    in.totalPopulation = n(2);
    in.unservedPerCapita = n(3);
    in.efficiency = n(4);
    in.priceElasticity = n(5);
    in.price = n(6);
    in.incomeElasticity = n(7);
    in.income = n(8);
    return in;
}

} // namespace

class PublicSupplyModelTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::decimalPoint()); }

    // Inputs → next year's per-capita demand as its field holds it (four decimals), and the
    // current and next-year gross demand of every day.
    void grossDemand_data()
    {
        QTest::addColumn<QStringList>("typed");
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
    }
    void grossDemand()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, perCapita);
        QFETCH(QString, current);
        QFETCH(QString, nextYear);
        const PublicSupplyInputs in = inputs(typed);
        const long double held = roundHalfAway(nextYearPerCapita(in), kNextYearPerCapitaDecimals);
        QCOMPARE(formatGeneral(held), perCapita);
        CellTable grid(3, 366, 366, true);
        fillPublicSupply(grid, in, held);
        for (int day : {1, 200, 365}) {
            QCOMPARE(grid.cell(1, day), current);
            QCOMPARE(grid.cell(2, day), nextYear);
        }
        clearPublicSupply(grid);
        QCOMPARE(grid.cell(1, 1), QString());
        QCOMPARE(grid.cell(2, 365), QString());
        QCOMPARE(grid.cell(0, 365), QStringLiteral("365"));
    }

    // An efficiency below 0 or above 100 % stops the run before anything is written, naming
    // the field.
    void efficiencyOutOfRange_data()
    {
        QTest::addColumn<QString>("efficiency");
        QTest::newRow("negative") << "-1";
        QTest::newRow("above 100") << "100.01";
        QTest::newRow("far above") << "120";
    }
    void efficiencyOutOfRange()
    {
        QFETCH(QString, efficiency);
        PublicSupplyInputs in = inputs({"1000", "0.15", "1200", "0.1", efficiency});
        CellTable grid(3, 366, 366, true);
        grid.setCell(1, 1, QStringLiteral("earlier"));
        try {
            fillPublicSupply(grid, in, 0.15L);
            QFAIL("the run went on");
        } catch (const TaviError &error) {
            QCOMPARE(error.place().field, QStringLiteral("me_5"));
            QVERIFY(error.message().startsWith(
                QStringLiteral("A \"Eficiência média do sistema de abastecimento\" deve estar "
                               "entre 0 e 100 %")));
            QVERIFY(error.message().contains(efficiency));
        }
        QCOMPARE(grid.cell(1, 1), QStringLiteral("earlier"));
    }
};

QTEST_GUILESS_MAIN(PublicSupplyModelTest)
#include "tst_public_supply_model.moc"
