// The horizon's results as tables and texts: the command line's .csv in either kind of locale,
// a failed sector shown as failed and never as a zero, the total's headings saying when it is
// partial, and the readable and stored figures of the year and difference tables.
#include "core/horizon/HorizonTables.h"
#include "core/tables/CellTable.h"

#include <QTest>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

// Two years of demand; `failed` a sector left out (-1: none).
ScenarioRun scenario(const QString &name, int failed = -1)
{
    ScenarioRun run;
    run.name = name;
    run.populationSource = QStringLiteral("Geométrico");
    if (failed >= 0)
        run.errors[std::size_t(failed)] = QStringLiteral("falhou");
    for (int year : {2026, 2027}) {
        HorizonYear y;
        y.year = year;
        const long double annual[] = {365182.5L, 1000, 2500000.25L * (year - 2025)};
        for (int s = 0; s < kSummarySectors; ++s) {
            if (s == failed)
                continue;
            y.sectors[std::size_t(s)] = {annual[s], annual[s] / 365, annual[s] / 100};
            y.total.annual += annual[s];
        }
        y.total.meanDaily = y.total.annual / 365;
        y.totalPopulation = 30000;
        y.servedPopulation = 25000.4L;
        y.dilutionMaximum = 7.7824;
        y.dilutionMaximumText = QStringLiteral("7,7824");
        run.years.push_back(y);
    }
    return run;
}

ScenarioRun notComputed(const QString &name)
{
    ScenarioRun run;
    run.name = name;
    run.problem = QStringLiteral("Informe ao menos duas contagens de população (ano e população).");
    return run;
}

} // namespace

class HorizonTablesTest : public QObject
{
    Q_OBJECT

private slots:
    void csv_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pt_BR") << true
                               << "cenario;ano;abastecimento;pecuaria;agricultura;total\n"
                                  "Base;2026;365182,5;1000;2500000,25;2866182,75\n"
                                  "Base;2027;365182,5;1000;5000000,5;5366183\n"
                                  "\"Seca; forte\";2026;365182,5;1000;;366182,5\n"
                                  "\"Seca; forte\";2027;365182,5;1000;;366182,5\n";
        QTest::newRow("en_US") << false
                               << "cenario;ano;abastecimento;pecuaria;agricultura;total\n"
                                  "Base;2026;365182.5;1000;2500000.25;2866182.75\n"
                                  "Base;2027;365182.5;1000;5000000.5;5366183\n"
                                  "\"Seca; forte\";2026;365182.5;1000;;366182.5\n"
                                  "\"Seca; forte\";2027;365182.5;1000;;366182.5\n";
    }
    void csv()
    {
        QFETCH(bool, comma);
        QFETCH(QString, expected);
        const LocaleSettings locale =
            comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint();
        LocaleSettings::setCurrent(comma ? LocaleSettings::decimalPoint()
                                         : LocaleSettings::brazilian());
        const std::vector<ScenarioRun> runs{scenario("Base"),
                                            scenario("Seca; forte", AgricultureSector),
                                            notComputed("Sem censos")};
        QCOMPARE(QString::fromUtf8(horizonCsv(runs, locale)), expected);
    }

    void yearTable_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QStringList>("supply"); // annual, hm3, mean, peak
        QTest::addColumn<QStringList>("rest");   // populations and dilution
        QTest::newRow("readable") << true << QStringList{"365.183", "0,365", "1.001", "3.652"}
                                  << QStringList{"30.000", "25.000", "7,782"};
        QTest::newRow("stored") << false
                                << QStringList{"365182,5", "0,3651825", "1000,5", "3651,825"}
                                << QStringList{"30000", "25000,4", "7,7824"};
    }
    void yearTable()
    {
        QFETCH(bool, readable);
        QFETCH(QStringList, supply);
        QFETCH(QStringList, rest);
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        CellTable table(kHorizonYearColumns, 4, 4, true);
        const ScenarioRun run = scenario("Base", LivestockSector);
        fillHorizonYearTable(table, run, readable ? FiguresStyle::Readable : FiguresStyle::Stored);
        QCOMPARE(table.cell(0, 0), QStringLiteral("Ano"));
        QCOMPARE(table.cell(1, 0), QStringLiteral("Abastecimento Público (m3/ano)"));
        QCOMPARE(table.cell(7, 0), QStringLiteral("Pecuária média (m3/dia)"));
        QCOMPARE(table.cell(13, 0), QStringLiteral("Total parcial (sem Pecuária) (m3/ano)"));
        QCOMPARE(table.cell(19, 0), QStringLiteral("Diluição: vazão indisponível máx. (m3/s)"));
        QCOMPARE(table.cell(0, 2), QStringLiteral("2027"));
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(table.cell(1 + c, 1), supply[c]);
            QCOMPARE(table.cell(5 + c, 1), QStringLiteral("—"));
        }
        for (int c = 0; c < 3; ++c)
            QCOMPARE(table.cell(17 + c, 1), rest[c]);
        QCOMPARE(table.cell(0, 3), QString()); // no third year
    }

    void differenceTable()
    {
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        const ScenarioDifference grows{"Tendencial", "total parcial, sem Agricultura",
                                       true,         1234567.5L,
                                       -20000.5L,    -1.6L,
                                       2040,         -25000,
                                       -2.04L};
        const ScenarioDifference broken{"Sem censos", "Informe ao menos duas contagens.", false};
        CellTable table(kDifferenceColumns, 3, 3, true);
        fillDifferenceTable(table, {grows, broken});
        QStringList row;
        for (int c = 0; c < kDifferenceColumns; ++c)
            row << table.cell(c, 1);
        QCOMPARE(row.join('|'), QStringLiteral("Tendencial (total parcial, sem Agricultura)|"
                                               "1.234.568|-20.001|-1,6|2040|-25.000|-2,0"));
        QCOMPARE(table.cell(0, 2), QStringLiteral("Sem censos (Informe ao menos duas contagens.)"));
        QCOMPARE(table.cell(1, 2), QStringLiteral("—"));
        fillDifferenceTable(table, {grows}, FiguresStyle::Stored);
        QCOMPARE(table.cell(2, 1), QStringLiteral("-20000,5"));
        QCOMPARE(table.cell(0, 2), QString());
    }

    void finalYear()
    {
        const std::vector<ScenarioRun> runs{scenario("Base"), scenario("Seca", AgricultureSector),
                                            notComputed("Sem censos")};
        QCOMPARE(finalYearText(runs, LocaleSettings::brazilian()),
                 QStringLiteral("Horizonte de planejamento: 2026 a 2027, demanda anual no ano "
                                "final (m3/ano)\n"
                                "\n"
                                "Cenário Base, 2027 (população: Geométrico)\n"
                                "  Abastecimento Público    365.183\n"
                                "  Pecuária                   1.000\n"
                                "  Agricultura            5.000.001\n"
                                "  Total                  5.366.183\n"
                                "\n"
                                "Cenário Seca, 2027 (população: Geométrico)\n"
                                "  Abastecimento Público            365.183\n"
                                "  Pecuária                           1.000\n"
                                "  Agricultura                            —\n"
                                "  Total parcial (sem Agricultura)  366.183\n"
                                "\n"
                                "Cenário Sem censos: não calculado: Informe ao menos duas "
                                "contagens de população (ano e população).\n"));
        QCOMPARE(finalYearText({notComputed("A")}, LocaleSettings::brazilian()),
                 QStringLiteral("Horizonte de planejamento: nenhum cenário calculado.\n"));
    }

    void projectionTable()
    {
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        // Growth that speeds up: no logistic curve.
        const std::vector<projection::PopulationCount> counts{
            {2000, 20000}, {2010, 22000}, {2020, 26000}};
        CellTable table(kProjectionColumns, 9, 9, true);
        fillProjectionTable(table, projection::fitEveryMethod(counts), 2030);
        QCOMPARE(table.cell(1, 0), QStringLiteral("População em 2030"));
        QCOMPARE(table.cell(0, 1), QStringLiteral("Aritmético"));
        QCOMPARE(table.cell(1, 1), QStringLiteral("29.000"));
        QCOMPARE(table.cell(2, 1), QString());
        QCOMPARE(table.cell(1, 4), QStringLiteral("—"));
        QVERIFY(table.cell(2, 4).startsWith(QStringLiteral("não se aplica: ")));
        QVERIFY(table.cell(2, 5).startsWith(QStringLiteral("R² = 0,9")));
    }
};

QTEST_GUILESS_MAIN(HorizonTablesTest)
#include "tst_horizon_tables.moc"
