// The livestock run from a study's texts: the grid the window shows, every day alike.
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/livestock/LivestockRun.h"

#include <QTest>

using namespace tavi;

class LivestockRunTest : public QObject
{
    Q_OBJECT

private slots:
    // Heads and litres per head of each species, as a study keeps them → columns 1 to 6.
    void speciesDemandAndTotal_data()
    {
        QTest::addColumn<QStringList>("heads");
        QTest::addColumn<QStringList>("litres");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing") << QStringList{} << QStringList{}
                                 << QStringList{"0", "0", "0", "0", "0", "0"};
        QTest::newRow("cattle and poultry")
            << QStringList{"1000", "", "", "", "10000"} << QStringList{"50", "", "", "", "0.25"}
            << QStringList{"50", "0", "0", "0", "2.5", "52.5"};
        // The total adds the demands as shown, not the products behind them.
        QTest::newRow("every species, a negative herd")
            << QStringList{"200", "150", "-40", "60", "3000"}
            << QStringList{"45.5", "12", "40", "5.25", "0.2"}
            << QStringList{"9.1", "1.8", "-1.6", "0.315", "0.6", "10.215"};
        // Fields hold two decimals, halves away from zero: 2.555 heads are 2.56, 0.335 litres
        // 0.34.
        QTest::newRow("fields at their decimals")
            << QStringList{"", "", "", "2.555", ""} << QStringList{"", "", "", "0.335", ""}
            << QStringList{"0", "0", "0", "0.0008704", "0", "0.0008704"};
    }
    void speciesDemandAndTotal()
    {
        QFETCH(QStringList, heads);
        QFETCH(QStringList, litres);
        QFETCH(QStringList, expected);
        WindowInputs study;
        for (int s = 0; s < kSpeciesCount; ++s) {
            study.fields[herdFieldName(s)] = heads.value(s);
            study.fields[consumptionFieldName(s)] = litres.value(s);
        }
        for (const LocaleSettings &locale :
             {LocaleSettings::decimalPoint(), LocaleSettings::brazilian()}) {
            const livestock::Result result =
                livestock::run(livestock::readInputs(study, locale), locale);
            for (int day : {1, 365, 366}) {
                QCOMPARE(result.grid->cell(0, day), dayLabel(day));
                for (int col = 1; col <= kLivestockTotalColumn; ++col)
                    QCOMPARE(result.grid->cell(col, day),
                             QString(expected[col - 1]).replace(QLatin1Char('.'),
                                                                locale.decimalSeparator));
            }
            QCOMPARE(result.total.texts.size(), kLivestockDays);
            QCOMPARE(result.total.texts.last(), result.grid->cell(kLivestockTotalColumn, 366));
            QCOMPARE(double(result.total.values.front()),
                     double(textToNumber(result.total.texts.first(), locale)));
        }
    }

    void theGridHasTheWindowsHeadings()
    {
        const livestock::Result result = livestock::run({}, LocaleSettings::brazilian());
        const QStringList headings = {"DIA",     "BOVINO",    "SUÍNO", "EQUINO",
                                      "CAPRINO", "GALINÁCEO", "m3/dia"};
        for (int col = 0; col <= kLivestockTotalColumn; ++col)
            QCOMPARE(result.grid->cell(col, 0), headings[col]);
        QCOMPARE(result.grid->storedRows(), kLivestockDays + 1);
        QCOMPARE(result.grid->viewRow(366), -1);
    }

    // An overflow ends the run on the first day, after the species before it; the total is
    // never written.
    void overflowEndsTheFirstDay()
    {
        LivestockInputs in;
        in[0] = {2, 3};
        in[2] = {1e4900L, 1e4900L};
        livestock::Result result;
        QVERIFY_THROWS_EXCEPTION(FloatError, livestock::run(in, LocaleSettings::brazilian(), result));
        QCOMPARE(result.grid->cell(0, 1), QStringLiteral("01"));
        QCOMPARE(result.grid->cell(1, 1), QStringLiteral("0,006"));
        QCOMPARE(result.grid->cell(2, 1), QStringLiteral("0"));
        QCOMPARE(result.grid->cell(3, 1), QString());
        QCOMPARE(result.grid->cell(kLivestockTotalColumn, 1), QString());
        QCOMPARE(result.grid->cell(0, 2), QString());
    }
};

QTEST_GUILESS_MAIN(LivestockRunTest)
#include "tst_livestock_run.moc"
