// The sanitation indicators' export made up here: columns found by their codes wherever they
// stand, six-digit codes, several years and several providers of one municipality, values as
// the system writes them; and the line and column of each file that cannot be read.
#include "core/region/RegionTable.h"
#include "core/region/SanitationTable.h"
#include "support/RegionTableFixtures.h"

#include <QTest>

using namespace tavi;
using namespace tavi::region;
using namespace testing;

namespace
{

QStringList shown(const TableReading &reading)
{
    QStringList lines;
    for (const TableRow &each : reading.rows) {
        QStringList fields{each.code, each.name, each.state};
        for (const std::optional<long double> &value : each.values)
            fields << (value ? QString::number(double(*value), 'g', 15) : QStringLiteral("NA"));
        lines << fields.join(QLatin1Char('|'));
    }
    return lines;
}

const QStringList kRows{
    "355030;São Paulo;SP;2021;SABESP;30,5;11.451.245;180,2",
    "355030;São Paulo;SP;2022;SABESP;29,8;11.500.000;175,4",
    "\"310620\";\"Belo Horizonte\";\"MG\";\"2022\";\"COPASA\";\"...\";\"2.315.560\";\",8\"",
    "310620;Belo Horizonte;MG;2022;Outro;1;2;3", "5300108;Brasília;DF;2022;CAESB;-;X;150"};

} // namespace

class SanitationTableTest : public QObject
{
    Q_OBJECT

private slots:
    void readsYears_data()
    {
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<int>("year");
        QTest::addColumn<QStringList>("expected");
        const QStringList latest{"3550308|São Paulo|SP|11500000|0.1754|29.8",
                                 "3106200|Belo Horizonte|MG|2315560|0.0008|NA",
                                 "5300108|Brasília|DF|NA|0.15|0"};
        QTest::newRow("UTF-8, latest") << false << 0 << latest;
        QTest::newRow("Latin-1, latest") << true << 0 << latest;
        QTest::newRow("year asked")
            << false << 2021 << QStringList{"3550308|São Paulo|SP|11451245|0.1802|30.5"};
    }
    void readsYears()
    {
        QFETCH(bool, latin1);
        QFETCH(int, year);
        QFETCH(QStringList, expected);
        const TableReading reading =
            readRegionTable(sanitationTable(kRows, latin1), QStringLiteral("snis.csv"), year);
        QCOMPARE(reading.kind, TableKind::Sanitation);
        QCOMPARE(reading.years, (QList<int>{2021, 2022}));
        QCOMPARE(reading.quantities,
                 (std::vector<TableQuantity>{TableQuantity::ServedPopulation,
                                             TableQuantity::PerCapitaConsumption,
                                             TableQuantity::DistributionLosses}));
        QCOMPARE(shown(reading), expected);
        // A second provider of the same municipality and year is listed, not added.
        QCOMPARE(reading.duplicates.size(), std::size_t(year == 0 ? 1 : 0));
        if (year == 0) {
            QCOMPARE(reading.duplicates[0].line, 5);
            QCOMPARE(reading.duplicates[0].firstLine, 4);
        }
    }

    // Without a year column, and with only one indicator, the table is read as it is.
    void readsOneYearOneIndicator()
    {
        const TableReading reading = readRegionTable(
            sanitationTable({"3550308,12.5", "2927408,"}, false, QStringLiteral("Cod. IBGE,IN022")),
            QStringLiteral("snis.csv"));
        QCOMPARE(reading.year, 0);
        QCOMPARE(shown(reading), (QStringList{"3550308||SP|0.0125", "2927408||BA|NA"}));
    }

    // A title naming the indicators above the header is not taken for it.
    void findsTheHeaderUnderATitle()
    {
        const QByteArray content =
            sanitationTable({"3550308;100"}, true,
                            QStringLiteral("Indicadores AG001 e IN022 por município\r\n\r\n"
                                           "Código do Município;AG001"));
        const TableReading reading = readRegionTable(content, QStringLiteral("snis.csv"));
        QCOMPARE(shown(reading), QStringList{"3550308||SP|100"});
        QCOMPARE(reading.rows[0].line, 4);
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("column");
        QTest::newRow("no code column")
            << sanitationTable({"São Paulo;1"}, false, QStringLiteral("Município;AG001")) << 0 << 1
            << "1";
        QTest::newRow("code of no state") << sanitationTable({"3550308;1", "3400000;2"}, false,
                                                             QStringLiteral("Código IBGE;AG001"))
                                          << 0 << 3 << "Código IBGE";
        QTest::newRow("text in a number column")
            << sanitationTable({"3550308;mil"}, false, QStringLiteral("Código IBGE;AG001")) << 0
            << 2 << "AG001";
        QTest::newRow("row too wide")
            << sanitationTable({"3550308;1;2"}, false, QStringLiteral("Código IBGE;AG001")) << 0
            << 2 << "3";
        QTest::newRow("year not a year")
            << sanitationTable({"355030;São Paulo;SP;22;S;1;2;3"}) << 0 << 2 << "Ano de Referência";
        QTest::newRow("year not in the table")
            << sanitationTable(kRows) << 2010 << 1 << "Ano de Referência";
        QTest::newRow("indicator twice")
            << sanitationTable({"3550308;1;2"}, false,
                               QStringLiteral("Código IBGE;AG001;AG001 (2)"))
            << 0 << 1 << "AG001 (2)";
    }
    void refusesBadInput()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, year);
        QFETCH(int, line);
        QFETCH(QString, column);
        try {
            SanitationTable::read(content, QStringLiteral("snis.csv"), year);
            QFAIL("read");
        } catch (const TableFormatError &error) {
            QCOMPARE(error.line(), line);
            QCOMPARE(error.column(), column);
        }
    }
};

QTEST_GUILESS_MAIN(SanitationTableTest)
#include "tst_sanitation_table.moc"
