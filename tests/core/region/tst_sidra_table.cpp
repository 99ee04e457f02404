// SIDRA exports made up here in each layout the portal writes (values in columns, herds in
// sub-rows, two header lines, one or several years), in each encoding and quoting, read and
// compared with what was written; and the line and column of each file that cannot be read.
#include "core/region/CodeTable.h"
#include "core/region/RegionTable.h"
#include "core/region/SidraTable.h"
#include "support/RegionTableFixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace tavi;
using namespace tavi::region;
using namespace testing;

namespace
{

// Each row as "code name state v1 v2 ...", "NA" where the value is not available.
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

QStringList names(const TableReading &reading)
{
    QStringList list;
    for (const TableQuantity quantity : reading.quantities)
        list << quantityName(quantity);
    return list;
}

const QStringList kHerds{QStringLiteral("Bovino"), QStringLiteral("Suíno - total"),
                         QStringLiteral("Equino"), QStringLiteral("Caprino"),
                         QStringLiteral("Galináceos - total")};

} // namespace

class SidraTableTest : public QObject
{
    Q_OBJECT

private slots:
    void readsLayouts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("readYear");
        QTest::addColumn<QStringList>("quantities");
        QTest::addColumn<QStringList>("expected");

        const QList<QStringList> herdColumns{
            header(kHerds + QStringList{QStringLiteral("Bubalino")}),
            row("3550308", "São Paulo (SP)", {"1200", "-", "35", "...", "150000", "7"}),
            row("310620", "Belo Horizonte (MG)", {"X", "12", "..", "4", "0", "-"})};
        const QStringList herdRows{"3550308|São Paulo|SP|1200|0|35|NA|150000",
                                   "3106200|Belo Horizonte|MG|NA|12|NA|4|0"};
        const QList<Style> styles{{false, true, false, false},
                                  {true, true, false, false},
                                  {false, false, true, false},
                                  {true, false, true, true},
                                  {false, true, true, true}};
        for (const Style &style : styles)
            QTest::addRow("herd columns, latin1=%d quoted=%d crlf=%d trailing=%d", style.latin1,
                          style.quoted, style.crlf, style.trailingSeparator)
                << sidra(kLivestockTitles, herdColumns, style) << 0 << 2022 << kHerds << herdRows;

        // Sub-rows by herd, Galináceos split into parts summed, a part withheld leaving the
        // whole unknown, and a later municipality's rows left blank under its first.
        const QList<QStringList> subRows{
            header({"Tipo de rebanho", "Valor"}),
            row("5300108", "Brasília (DF)", {"Bovino", "80"}),
            row("5300108", "Brasília (DF)", {"Galináceos - galinhas", "1000"}),
            row("5300108", "Brasília (DF)",
                {"Galináceos - frangos, galos, frangas e pintos", "2500"}),
            row("5300108", "Brasília (DF)", {"Ovino", "9"}),
            row("431490", "Porto Alegre (RS)", {"Bovino", "-"}),
            {"", "", "", "Galináceos - galinhas", "X"},
            {"", "", "", "Galináceos - frangos, galos, frangas e pintos", "30"}};
        QTest::newRow("herd sub-rows, Galináceos split")
            << sidra(kLivestockTitles, subRows) << 0 << 2022
            << QStringList{"Bovino", "Galináceos - total"}
            << QStringList{"5300108|Brasília|DF|80|3500", "4314902|Porto Alegre|RS|0|NA"};

        // A total given beside its parts is the figure; the parts are not added to it.
        const QList<QStringList> totalAndParts{
            header({"Galináceos - total", "Galináceos - galinhas"}),
            row("2927408", "Salvador (BA)", {"500", "200"})};
        QTest::newRow("Galináceos total beside a part")
            << sidra(kLivestockTitles, totalAndParts) << 0 << 2022
            << QStringList{"Galináceos - total"} << QStringList{"2927408|Salvador|BA|500"};

        // Two header lines: the herd over the year.
        const QList<QStringList> crossed{
            header({"Bovino", "Bovino", "Caprino", "Caprino"}),
            {"", "", "", "2021", "2022", "2021", "2022"},
            row("3550308", "São Paulo (SP)", {"10", "11", "20", "..."})};
        QTest::newRow("crossed, latest year")
            << sidra({kLivestockTitles[0]}, crossed) << 0 << 2022
            << QStringList{"Bovino", "Caprino"} << QStringList{"3550308|São Paulo|SP|11|NA"};
        QTest::newRow("crossed, year asked")
            << sidra({kLivestockTitles[0]}, crossed) << 2021 << 2021
            << QStringList{"Bovino", "Caprino"} << QStringList{"3550308|São Paulo|SP|10|20"};

        const QList<QStringList> herdRowsByYear{
            header({"Tipo de rebanho", "2021", "2022"}),
            row("3550308", "São Paulo (SP)", {"Equino", "3", "4"}),
            row("3550308", "São Paulo (SP)", {"Suíno - matrizes de suínos", "1", "1"}),
            row("3550308", "São Paulo (SP)", {"Suíno - total", "8", "..."})};
        QTest::newRow("herd sub-rows by year columns, year asked")
            << sidra({kLivestockTitles[0]}, herdRowsByYear) << 2021 << 2021
            << QStringList{"Suíno - total", "Equino"} << QStringList{"3550308|São Paulo|SP|8|3"};

        // SIDRA's CSV for other locales: "," between fields, the title in quotes for its own.
        QTest::newRow("comma separated")
            << QStringLiteral("\"Tabela 3939 - Efetivo dos rebanhos, por tipo de rebanho\"\n"
                              "\"Nível\",\"Cód.\",\"Município\",\"Bovino\",\"Caprino\"\n"
                              "\"MU\",\"5300108\",\"Brasília (DF)\",\"1250\",\"-\"\n")
                   .toUtf8()
            << 0 << 0 << QStringList{"Bovino", "Caprino"}
            << QStringList{"5300108|Brasília|DF|1250|0"};

        const QList<QStringList> years{
            header({"2020", "2021", "2024"}),
            row("3550308", "São Paulo (SP)", {"11.869.660", "11.451.245", "11895578"}),
            row("310620", "Belo Horizonte (MG)", {"2521564", "2315560", "..."})};
        QTest::newRow("population by year, latest")
            << sidra(kPopulationTitles, years) << 0 << 2024 << QStringList{"População"}
            << QStringList{"3550308|São Paulo|SP|11895578", "3106200|Belo Horizonte|MG|NA"};
        QTest::newRow("population by year, asked, grouped thousands")
            << sidra(kPopulationTitles, years, {true, false, true, true}) << 2020 << 2020
            << QStringList{"População"}
            << QStringList{"3550308|São Paulo|SP|11869660", "3106200|Belo Horizonte|MG|2521564"};

        const QList<QStringList> single{header({"População residente (Pessoas)"}),
                                        {"BR", "1", "Brasil", "203080756"},
                                        row("5300108", "Brasília (DF)", {"2817381"})};
        QTest::newRow("population, one column, a country row set aside")
            << sidra(kPopulationTitles, single, {}, QString()) << 0 << 0 << QStringList{"População"}
            << QStringList{"5300108|Brasília|DF|2817381"};

        // The census splits the population beside its total, the figure taken.
        const QList<QStringList> census{
            header({"Urbana", "Total", "Rural"}),
            {"", "", "", "2022", "2022", "2022"},
            row("5300108", "Brasília (DF)", {"2700000", "2817381", "X"})};
        QTest::newRow("census, total beside urban and rural")
            << sidra(kPopulationTitles, census) << 0 << 2022 << QStringList{"População"}
            << QStringList{"5300108|Brasília|DF|2817381"};

        const QList<QStringList> yearRows{header({"Ano", "Valor"}),
                                          row("5300108", "Brasília (DF)", {"2021", "3094325"}),
                                          row("5300108", "Brasília (DF)", {"2022", "2817381"})};
        QTest::newRow("population, years in sub-rows")
            << sidra(kPopulationTitles, yearRows) << 0 << 2022 << QStringList{"População"}
            << QStringList{"5300108|Brasília|DF|2817381"};
    }
    void readsLayouts()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, year);
        QFETCH(int, readYear);
        QFETCH(QStringList, quantities);
        QFETCH(QStringList, expected);
        const TableReading reading = readRegionTable(content, QStringLiteral("t.csv"), year);
        QCOMPARE(reading.year, readYear);
        QCOMPARE(names(reading), quantities);
        QCOMPARE(shown(reading), expected);
        QVERIFY(reading.duplicates.empty());
    }

    void listsDuplicatesAndUnmatched()
    {
        const QByteArray content =
            sidra(kPopulationTitles, {header({"2022"}), row("3550308", "São Paulo (SP)", {"5"}),
                                      row("310620", "Belo Horizonte (MG)", {"6"}),
                                      row("355030", "São Paulo (SP)", {"7"})});
        const TableReading reading = readRegionTable(content, QStringLiteral("p.csv"));
        QCOMPARE(shown(reading),
                 (QStringList{"3550308|São Paulo|SP|5", "3106200|Belo Horizonte|MG|6"}));
        QCOMPARE(reading.duplicates.size(), std::size_t(1));
        QCOMPARE(reading.duplicates[0].code, QStringLiteral("3550308"));
        QCOMPARE(reading.duplicates[0].line, 6);
        QCOMPARE(reading.duplicates[0].firstLine, 4);

        const TableMatch match = matchTable(reading, {QStringLiteral("3106200")});
        QCOMPARE(match.matched.size(), std::size_t(1));
        QCOMPARE(match.unmatched.size(), std::size_t(1));
        QCOMPARE(match.unmatched[0]->code, QStringLiteral("3550308"));
        QCOMPARE(match.unmatched[0]->line, 4);
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("column");

        const QStringList herdHeader = header({"Bovino", "Equino"});
        QTest::newRow("empty") << QByteArray("\r\n  \n") << 0 << 1 << "1";
        QTest::newRow("not a table") << QByteArray("a;b\n1;2\n") << 0 << 1 << "1";
        QTest::newRow("neither population nor herds")
            << sidra({"Tabela 1612 - Área plantada"},
                     {header({"Soja"}), row("3550308", "X", {"1"})})
            << 0 << 2 << "Soja";
        QTest::newRow("herd table without the herds read")
            << sidra(kLivestockTitles, {header({"Ovino"}), row("3550308", "X", {"1"})}) << 0 << 4
            << "Ovino";
        QTest::newRow("no value column")
            << sidra(kPopulationTitles, {header({}), row("3550308", "X", {})}) << 0 << 3 << "4";
        QTest::newRow("code of no state")
            << sidra(kLivestockTitles, {herdHeader, row("3550308", "A (SP)", {"1", "2"}),
                                        row("3400000", "B (SP)", {"1", "2"})})
            << 0 << 6 << "Cód.";
        QTest::newRow("code of five digits")
            << sidra(kLivestockTitles, {herdHeader, row("35503", "A (SP)", {"1", "2"})}) << 0 << 5
            << "Cód.";
        QTest::newRow("text in a number column")
            << sidra(kLivestockTitles, {herdHeader, row("3550308", "A (SP)", {"1", "2"}),
                                        row("3106200", "B (MG)", {"1", "dez"})})
            << 0 << 6 << "Equino";
        QTest::newRow("negative herd")
            << sidra(kLivestockTitles, {herdHeader, row("3550308", "A (SP)", {"-4", "2"})}) << 0
            << 5 << "Bovino";
        QTest::newRow("a herd's column repeated")
            << sidra(kLivestockTitles,
                     {header({"Bovino", "Bovino"}), row("3550308", "A (SP)", {"1", "2"})})
            << 0 << 5 << "Bovino";
        QTest::newRow("row too short")
            << sidra(kLivestockTitles, {herdHeader, row("3550308", "A (SP)", {"1"})}) << 0 << 5
            << "Equino";
        QTest::newRow("row too wide")
            << sidra(kLivestockTitles, {herdHeader, row("3550308", "A (SP)", {"1", "2", "3"})}) << 0
            << 5 << "6";
        QTest::newRow("year not in the table")
            << sidra(kPopulationTitles, {header({"2021", "2022"}), row("3550308", "A", {"1", "2"})})
            << 2019 << 3 << "2021";
        QTest::newRow("no municipality row")
            << sidra(kPopulationTitles, {header({"2022"})}) << 0 << 3 << "Cód.";
        QTest::newRow("row between data and notes")
            << sidra(kPopulationTitles,
                     {header({"2022"}), row("3550308", "A", {"1"}), {"Tabela gerada em 2023"}}, {},
                     QString())
            << 0 << 5 << "Cód.";
    }
    void refusesBadInput()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, year);
        QFETCH(int, line);
        QFETCH(QString, column);
        try {
            readRegionTable(content, QStringLiteral("rebanhos.csv"), year);
            QFAIL("read");
        } catch (const TableFormatError &error) {
            QCOMPARE(error.line(), line);
            QCOMPARE(error.column(), column);
            QVERIFY2(error.message().startsWith(QStringLiteral("Tabela \"rebanhos.csv\", linha ")),
                     qPrintable(error.message()));
        }
    }

    // Both table loaders refuse a file they cannot take in the same words but for the tables
    // they name; one over the limit is refused from its size, before its content is read.
    void loadersRefuseUnreadableFiles_data()
    {
        QTest::addColumn<bool>("codeTable");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        for (const bool codeTable : {false, true}) {
            const char *loader = codeTable ? "code table, " : "public table, ";
            QTest::addRow("%sfolder", loader)
                << codeTable << "pasta"
                << "Não foi possível ler a tabela \"%1\": é uma pasta, "
                   "não um arquivo.";
            QTest::addRow("%smissing", loader)
                << codeTable << "nenhuma.csv"
                << "Não foi possível ler a tabela \"%1\": o arquivo não existe.";
            QTest::addRow("%stoo large", loader)
                << codeTable << "grande.csv"
                << QStringLiteral("Tabela \"grande.csv\", linha 1, coluna 1: o arquivo tem 100 "
                                  "MB, mais que os 100 MB de %1.")
                       .arg(codeTable ? "qualquer tabela" : "qualquer tabela pública");
        }
    }

    void loadersRefuseUnreadableFiles()
    {
        QFETCH(bool, codeTable);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (name == QStringLiteral("pasta")) {
            QVERIFY(QDir(dir.path()).mkdir(name));
        } else if (name == QStringLiteral("grande.csv")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(kLargestTableBytes + 1));
        }
        try {
            if (codeTable)
                loadCodeTable(path, CodeTableKind::Groups);
            else
                loadRegionTable(path);
            QFAIL("read");
        } catch (const TaviError &error) {
            QCOMPARE(error.message(), message.arg(QDir::toNativeSeparators(path)));
        }
    }

    // Damaged copies of good tables either read or are refused with a message; none crashes
    // or throws anything else.
    void damagedTablesAreReadOrRefused()
    {
        const QList<QByteArray> good{
            sidra(kLivestockTitles, {header({"Tipo de rebanho", "2021", "2022"}),
                                     row("3550308", "A (SP)", {"Galináceos - galinhas", "1", "2"}),
                                     {"", "", "", "Bovino", "3", "X"}}),
            sidra(kPopulationTitles, {header({"Bovino", "Bovino"}),
                                      {"", "", "", "2021", "2022"},
                                      row("310620", "B (MG)", {"1", "-"})}),
            QByteArray("\"C\xf3"
                       "digo IBGE\";AG001;IN022;Ano\n355030;1.000;2,5;2022\n")};
        QRandomGenerator random(28);
        const char alphabet[] = ";\"\n\r-.,X0123456789 ";
        for (int i = 0; i < 3000; ++i) {
            QByteArray bytes = good[i % good.size()];
            for (int change = random.bounded(1, 6); change > 0; --change) {
                const int at = random.bounded(int(bytes.size()));
                const char c = alphabet[random.bounded(int(sizeof alphabet - 1))];
                switch (random.bounded(3)) {
                case 0:
                    bytes[at] = c;
                    break;
                case 1:
                    bytes.insert(at, c);
                    break;
                default:
                    bytes.remove(at, random.bounded(1, 8));
                }
            }
            try {
                const TableReading reading = readRegionTable(bytes, QStringLiteral("d.csv"));
                for (const TableRow &each : reading.rows)
                    QCOMPARE(each.values.size(), reading.quantities.size());
            } catch (const TableFormatError &error) {
                QVERIFY(error.line() >= 1);
            }
        }
    }

    // The national table, 5,570 municipalities, reads well inside a second.
    void readsTheWholeCountryQuickly()
    {
        QList<QStringList> rows{header(kHerds)};
        for (int i = 0; i < 5570; ++i)
            rows << row(QString::number(3500000 + i), QStringLiteral("M%1 (SP)").arg(i),
                        {QString::number(i), "-", "...", "X", QString::number(2 * i)});
        const QByteArray content = sidra(kLivestockTitles, rows, {true, true, true, false});
        QElapsedTimer timer;
        timer.start();
        const TableReading reading = readRegionTable(content, QStringLiteral("br.csv"));
        const qint64 elapsed = timer.elapsed();
        QCOMPARE(reading.rows.size(), std::size_t(5570));
        QCOMPARE(shown(reading).last(), QStringLiteral("3505569|M5569|SP|5569|0|NA|NA|11138"));
        qInfo("5570 linhas lidas em %lld ms", elapsed);
        QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed)));
    }
};

QTEST_GUILESS_MAIN(SidraTableTest)
#include "tst_sidra_table.moc"
