// The region's tables, its command-line CSV and text, and its workbook, from results made by
// hand: headings with and without a horizon and a balance, "—" for what failed, totals that
// add up, the CSV in both decimal conventions, and the sheets and charts over them.
#include "core/numbers/GeneralFormat.h"
#include "core/numbers/ReadableNumber.h"
#include "core/region/RegionTables.h"
#include "core/region/RegionWorkbook.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/tables/CellTable.h"
#include "core/workbook/WorkbookChart.h"

#include <QTest>

Q_DECLARE_METATYPE(tavi::LocaleSettings)

using namespace tavi;
using namespace tavi::region;

namespace
{

MunicipalityResult made(const QString &code, const QString &name, const QString &group,
                        std::array<long double, kSummarySectors> annual, int failedSector = -1)
{
    MunicipalityResult m;
    m.code = code;
    m.name = name;
    m.group = group;
    for (int s = 0; s < kSummarySectors; ++s) {
        const std::size_t at = std::size_t(s);
        m.computed[at] = s != failedSector;
        if (m.computed[at])
            m.annual[at] = annual[at], m.annualTotal += annual[at];
    }
    for (int s = 0; s < kSummarySectors; ++s) {
        const std::size_t at = std::size_t(s);
        m.shares[at] = m.computed[at] ? m.annual[at] / m.annualTotal * 100 : 0;
        m.annualTexts[at] = m.computed[at] ? formatReadable(m.annual[at], 0) : "—";
        m.shareTexts[at] = m.computed[at] ? formatReadable(m.shares[at], 1) : "—";
    }
    m.annualTotalText = formatReadable(m.annualTotal, 0);
    m.peakDay = 40;
    m.peakTotal = m.annualTotal / 300;
    m.peakTotalText = formatReadable(m.peakTotal, 0);
    if (failedSector >= 0) {
        m.errors << summarySectorName(failedSector) + ": 'abc' não é um número";
        m.errorPlaces << "Série, dia 100, coluna ETP";
    }
    return m;
}

ScenarioFinal final(const QString &scenario, int year, long double total)
{
    ScenarioFinal f;
    f.scenario = scenario;
    f.year = year;
    f.total = total;
    f.annual[SupplySector] = total;
    return f;
}

// Three municipalities: São Paulo whole, Campinas without its agriculture, Santos in no group.
RegionResults threeMunicipalities()
{
    RegionResults results;
    results.municipalities.push_back(
        made("3550308", "São Paulo (SP)", "Alto Tietê", {1234567.25L, 2000.5L, 300000}));
    results.municipalities.push_back(made("3509502", "Campinas (SP)", "Alto Tietê",
                                          {400000, 1500, 99999.75L}, AgricultureSector));
    results.municipalities.push_back(made("3548500", "Santos; Baixada (SP)", "", {500000, 0, 10}));
    totalRegion(results);
    return results;
}

RegionResults withHorizonAndBalance()
{
    RegionResults results = threeMunicipalities();
    for (std::size_t i = 0; i < 3; ++i) {
        results.municipalities[i].horizon = {final("Base", 2046, 1000000 * (i + 1)),
                                             final("Alto", 2046, 2000000 * (i + 1))};
    }
    results.municipalities[2].horizon[1].problem = "População não projetada.";
    MunicipalityResult &sp = results.municipalities[0];
    sp.hasBalance = true;
    sp.referenceFlow = 12.5L;
    sp.ratio = 12.25L;
    sp.ratioText = formatReadable(sp.ratio, kShareDecimals);
    sp.stressClassName = "Preocupante";
    results.municipalities[1].hasBalance = true;
    results.municipalities[1].balanceProblem = "Sem vazão.";
    totalRegion(results);
    return results;
}

QStringList rowOf(const CellTable &table, int row)
{
    QStringList cells;
    for (int c = 0; c < table.columns(); ++c)
        cells << table.cell(c, row);
    return cells;
}

const QStringList kSectorHeadings{"Abastecimento Público (m³/ano)",
                                  "Abastecimento Público (%)",
                                  "Pecuária (m³/ano)",
                                  "Pecuária (%)",
                                  "Agricultura (m³/ano)",
                                  "Agricultura (%)"};

} // namespace

class RegionTablesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    // The headings grow with a horizon's scenarios and with a balance.
    void headings()
    {
        QCOMPARE(municipalityHeaders(threeMunicipalities()),
                 (QStringList{"Código", "Município", "Grupo"} + kSectorHeadings +
                  QStringList{"Dia de maior demanda", "Maior demanda diária (m³/dia)",
                              "Total (m³/ano)"}));
        const QStringList full = municipalityHeaders(withHorizonAndBalance());
        QCOMPARE(full.mid(12),
                 (QStringList{"Base 2046 (m³/ano)", "Alto 2046 (m³/ano)",
                              "Vazão de referência (m³/s)", "Demanda/vazão", "Classe"}));
        QCOMPARE(totalHeaders(withHorizonAndBalance()),
                 (QStringList{"Grupo", "Municípios", "Com total parcial"} + kSectorHeadings +
                  QStringList{"Total (m³/ano)", "Base 2046 (m³/ano)", "Alto 2046 (m³/ano)"}));
    }

    // Read, a row holds the municipality's own texts and "—" where a sector, a scenario or a
    // balance has no figure; stored, the numbers in the general format.
    void municipalityRows()
    {
        const RegionResults results = withHorizonAndBalance();
        CellTable table(int(municipalityHeaders(results).size()), 4, 4, true);
        fillMunicipalityTable(table, results);
        QCOMPARE(rowOf(table, 1),
                 (QStringList{"3550308", "São Paulo (SP)", "Alto Tietê", "1.234.567", "80,3",
                              "2.001", "0,1", "300.000", "19,5", dayLabel(40), "5.122", "1.536.568",
                              "1.000.000", "2.000.000", "12,500", "12,3", "Preocupante"}));
        const QStringList campinas = rowOf(table, 2);
        QCOMPARE(campinas.mid(7, 2), (QStringList{"—", "—"}));
        QCOMPARE(campinas.mid(14), (QStringList{"—", "—", "—"}));
        const QStringList santos = rowOf(table, 3);
        QCOMPARE(santos[2], QString());
        QCOMPARE(santos.mid(12), (QStringList{"3.000.000", "—", "—", "—", "—"}));

        fillMunicipalityTable(table, results, FiguresStyle::Stored);
        const QStringList stored = rowOf(table, 1);
        QCOMPARE(stored[3], formatGeneral(1234567.25L));
        QCOMPARE(stored[5], formatGeneral(2000.5L));
        QCOMPARE(stored[11], formatGeneral(1536567.75L));
        QCOMPARE(stored[14], formatGeneral(12.5L));
        QCOMPARE(rowOf(table, 2)[7], QStringLiteral("—"));
    }

    // One row per group by name, "Sem grupo" after them and "Região" last; the groups add up
    // to the region and count the partial municipalities.
    void totals()
    {
        const RegionResults results = withHorizonAndBalance();
        CellTable table(int(totalHeaders(results).size()), 4, 4, true);
        fillTotalTable(table, results);
        QCOMPARE(rowOf(table, 1).mid(0, 4), (QStringList{"Alto Tietê", "2", "1", "1.634.567"}));
        QCOMPARE(rowOf(table, 1)[7], QStringLiteral("300.000"));
        QCOMPARE(rowOf(table, 1).mid(9), (QStringList{"1.938.068", "3.000.000", "6.000.000"}));
        QCOMPARE(rowOf(table, 2).mid(0, 3), (QStringList{"Sem grupo", "1", "0"}));
        QCOMPARE(rowOf(table, 3).mid(0, 3), (QStringList{"Região", "3", "1"}));
        QCOMPARE(rowOf(table, 3)[7], QStringLiteral("300.010"));
        QCOMPARE(rowOf(table, 3)[9], formatReadable(1536567.75L + 401500 + 500010, 0));
        // A scenario some municipality could not compute totals the others.
        QCOMPARE(rowOf(table, 3).mid(10), (QStringList{"6.000.000", "6.000.000"}));
        QVERIFY(results.region.horizon[1].partial);
        QVERIFY(!results.region.horizon[0].partial);
    }

    void failuresAndSources()
    {
        const RegionResults results = threeMunicipalities();
        CellTable failures(3, 3, 3, true);
        fillFailureTable(failures, results);
        QCOMPARE(rowOf(failures, 0), (QStringList{"Município", "Mensagem", "Onde"}));
        QCOMPARE(rowOf(failures, 1),
                 (QStringList{"Campinas (SP)", "Agricultura: 'abc' não é um número",
                              "Série, dia 100, coluna ETP"}));
        QCOMPARE(rowOf(failures, 2), (QStringList{"", "", ""}));

        Region region;
        region.templateStudy = defaultStudy();
        Municipality m;
        m.code = "3550308";
        m.name = "São Paulo";
        m.state = "SP";
        const QString population = inputPath(keys::kSupplyWindow, "me_3");
        const QString herd = inputPath(keys::kLivestockWindow, "e_qte_bovino");
        m.overrides.fields[keys::kSupplyWindow]["me_3"] = "11451999.5";
        m.sources[population] = "populacao.csv, 2022, linha 14";
        m.notAvailable[herd] = "rebanhos.csv, 2022, linha 9: \"X\"";
        m.referenceFlow = "12.5";
        m.referenceFlowSource = "vazoes.csv, linha 2";
        region.municipalities.push_back(m);
        CellTable sources(5, 5, 5, true);
        fillSourceTable(sources, region);
        QCOMPARE(rowOf(sources, 1),
                 (QStringList{"3550308", "São Paulo (SP)", inputCaption(population), "11451999,5",
                              "populacao.csv, 2022, linha 14"}));
        QCOMPARE(rowOf(sources, 2)[4], m.notAvailable[herd]);
        QVERIFY(rowOf(sources, 2)[3].endsWith("(do modelo; não disponível)"));
        QCOMPARE(rowOf(sources, 3).mid(3), (QStringList{"12,5", "vazoes.csv, linha 2"}));
    }

    void largest()
    {
        const RegionResults results = threeMunicipalities();
        QCOMPARE(largestMunicipalities(results), (std::vector<int>{0, 2, 1}));
        QCOMPARE(largestMunicipalities(results, 2), (std::vector<int>{0, 2}));
    }

    // The command line's CSV: its header as scripts expect it, the locale's decimal
    // separator, a failed sector empty, a name with ";" quoted.
    void csv_data()
    {
        QTest::addColumn<LocaleSettings>("locale");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray header =
            "codigo;municipio;grupo;abastecimento;pecuaria;agricultura;total\n";
        QTest::newRow("pt_BR") << LocaleSettings::brazilian()
                               << header +
                                      "3550308;São Paulo (SP);Alto Tietê;1234567,25;2000,5;300000;"
                                      "1536567,75\n"
                                      "3509502;Campinas (SP);Alto Tietê;400000;1500;;401500\n"
                                      "3548500;\"Santos; Baixada (SP)\";;500000;0;10;500010\n";
        QTest::newRow("en_US") << LocaleSettings::decimalPoint()
                               << header +
                                      "3550308;São Paulo (SP);Alto Tietê;1234567.25;2000.5;300000;"
                                      "1536567.75\n"
                                      "3509502;Campinas (SP);Alto Tietê;400000;1500;;401500\n"
                                      "3548500;\"Santos; Baixada (SP)\";;500000;0;10;500010\n";
    }
    void csv()
    {
        QFETCH(LocaleSettings, locale);
        QFETCH(QByteArray, expected);
        QCOMPARE(regionCsv(threeMunicipalities(), locale), expected);
    }

    void text()
    {
        const QString text = regionText(withHorizonAndBalance(), LocaleSettings::brazilian());
        QVERIFY2(text.startsWith("Região: 3 município(s), 1 com total parcial\n"),
                 qPrintable(text));
        QVERIFY(text.contains("  Total: 2.438.078 m³/ano (parcial)\n"));
        QVERIFY(text.contains("\nSem grupo: 1 município(s)\n"));
        QVERIFY(text.contains("Cenário Alto, 2046: 6.000.000 m³/ano (parcial)"));
        QVERIFY(text.contains("Falhas (1):\n  Campinas (SP): Agricultura: 'abc' não é um número"));
    }

    // One sheet per table and the charts over them: the largest municipalities stacked by
    // sector, the groups by sector, the region per scenario.
    void workbook()
    {
        const RegionResults results = withHorizonAndBalance();
        const SheetBook book = regionBook(Region(), results);
        QStringList names;
        for (const BookWorksheet &sheet : book.worksheets)
            names << sheet.name;
        QCOMPARE(names, (QStringList{"Municípios", "Totais", "Falhas", "Entradas por Fonte",
                                     "Maiores Municípios", "Região por Cenário"}));
        QCOMPARE(book.worksheets[0].rows.size(), 4);
        QCOMPARE(book.worksheets[0].rows[1][3], formatGeneral(1234567.25L));
        QCOMPARE(book.worksheets[1].rows.size(), 4);
        QCOMPARE(book.worksheets[4].rows[1],
                 (QStringList{"São Paulo (SP)", formatGeneral(1234567.25L), formatGeneral(2000.5L),
                              formatGeneral(300000)}));
        QCOMPARE(book.worksheets[4].rows[3][3], QStringLiteral("0")); // Campinas' failed sector
        QCOMPARE(book.worksheets[5].rows[2],
                 (QStringList{"Alto", "2046", formatGeneral(6000000), "total parcial"}));

        QCOMPARE(int(book.charts.size()), 3);
        QCOMPARE(book.charts[0].name, QStringLiteral("20 Maiores"));
        QCOMPARE(book.charts[0].chartType, WorkbookChart::kColumnStacked);
        QCOMPARE(book.charts[0].ranges, (QStringList{"B2:B4", "C2:C4", "D2:D4"}));
        QCOMPARE(book.charts[0].categories, QStringLiteral("A2:A4"));
        QCOMPARE(book.charts[1].dataSheet, QStringLiteral("Totais"));
        QCOMPARE(book.charts[1].ranges, (QStringList{"D2:D3", "F2:F3", "H2:H3"}));
        QCOMPARE(book.charts[2].ranges, QStringList{"C2:C3"});

        // Made into a workbook, every chart finds its data.
        const Workbook made = regionWorkbook(Region(), results, LocaleSettings::brazilian());
        QCOMPARE(made.sheetCount(), 9);

        // Without a horizon there is no scenario sheet or chart.
        const SheetBook plain = regionBook(Region(), threeMunicipalities());
        QCOMPARE(int(plain.worksheets.size()), 5);
        QCOMPARE(int(plain.charts.size()), 2);
    }
};

QTEST_GUILESS_MAIN(RegionTablesTest)
#include "tst_region_tables.moc"
