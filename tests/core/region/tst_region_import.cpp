// Public tables made up here in each layout, taken into a region: the inputs of each
// municipality compared with the tables, what a table marks not available kept from the
// template and flagged, the preview's lists and counts, the planner's two-column tables good
// and bad, and a national table imported against the clock.
#include "core/region/CodeTable.h"
#include "core/region/MunicipalityCode.h"
#include "core/region/RegionImport.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "support/RegionSamples.h"
#include "support/RegionTableFixtures.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace tavi;
using namespace tavi::region;
using namespace testing;

namespace
{

// A region of São Paulo and Belo Horizonte over the default study, its population 12000.
Region twoMunicipalities()
{
    Region region = emptyRegion();
    region.templateStudy.windows[keys::kSupplyWindow].fields[keys::kTotalPopulation] = "12000";
    region.municipalities.push_back(sampleMunicipality("3550308", "São Paulo", "SP"));
    region.municipalities.push_back(sampleMunicipality("3106200", "Belo Horizonte", "MG"));
    return region;
}

// Each municipality's imported inputs, "code window/component=value", as its study has them.
QStringList inputsOf(const Region &region, const QStringList &paths)
{
    QStringList shown;
    for (std::size_t i = 0; i < region.municipalities.size(); ++i) {
        const Study study = municipalityStudy(region, int(i));
        for (const QString &path : paths) {
            const QStringList parts = path.split(QLatin1Char('/'));
            shown << region.municipalities[i].code + QLatin1Char(' ') + path + QLatin1Char('=') +
                         study.windows.value(parts[0]).fields.value(parts[1]);
        }
    }
    return shown;
}

const QString kPopulation = inputPath(keys::kSupplyWindow, keys::kTotalPopulation);
const QString kServed = inputPath(keys::kSupplyWindow, keys::kServedPopulation);
const QString kPerCapita = inputPath(keys::kSupplyWindow, keys::kCurrentPerCapita);
const QString kEfficiency = inputPath(keys::kSupplyWindow, keys::kSupplyEfficiency);

QString herd(int species)
{
    return inputPath(keys::kLivestockWindow, herdFieldName(species));
}

const QStringList kHerdColumns{"Bovino", "Suíno - total", "Equino", "Caprino",
                               "Galináceos - total"};

TableReading population(const Style &style = {})
{
    return readRegionTable(sidra(kPopulationTitles,
                                 {header({"2022"}), row("3550308", "São Paulo (SP)", {"11451999"}),
                                  row("310620", "Belo Horizonte (MG)", {"..."}),
                                  row("5300108", "Brasília (DF)", {"2817381"})},
                                 style),
                           "populacao.csv");
}

} // namespace

class RegionImportTest : public QObject
{
    Q_OBJECT

private slots:
    void livestockInEachLayout_data();
    void livestockInEachLayout();
    void populationAndSanitation();
    void previewListsAndChangesNothing();
    void laterTablesOverrideEarlierOnes();
    void addsMissingMunicipalities();
    void codeTables_data();
    void codeTables();
    void badCodeTables_data();
    void badCodeTables();
    void nationalTableInUnderASecond();
};

void RegionImportTest::livestockInEachLayout_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("missing");

    const QList<QStringList> columns{
        header(kHerdColumns),
        row("3550308", "São Paulo (SP)", {"1200", "-", "35", "...", "150000"}),
        row("310620", "Belo Horizonte (MG)", {"X", "12", "..", "4", "0"})};
    // The template's herds are empty texts: that is what a value not available keeps.
    const QStringList columnInputs{"3550308 TF_Mod_Pecuaria/e_qte_bovino=1200",
                                   "3550308 TF_Mod_Pecuaria/e_qte_suino=0",
                                   "3550308 TF_Mod_Pecuaria/e_qte_equino=35",
                                   "3550308 TF_Mod_Pecuaria/e_qte_caprino=",
                                   "3550308 TF_Mod_Pecuaria/e_qte_galinaceo=150000",
                                   "3106200 TF_Mod_Pecuaria/e_qte_bovino=",
                                   "3106200 TF_Mod_Pecuaria/e_qte_suino=12",
                                   "3106200 TF_Mod_Pecuaria/e_qte_equino=",
                                   "3106200 TF_Mod_Pecuaria/e_qte_caprino=4",
                                   "3106200 TF_Mod_Pecuaria/e_qte_galinaceo=0"};
    const QStringList columnMissing{"3550308 " + herd(3), "3106200 " + herd(0),
                                    "3106200 " + herd(2)};
    const QList<Style> styles{{false, true, false, false},
                              {true, true, true, false},
                              {false, false, false, true},
                              {true, false, true, true}};
    for (const Style &style : styles)
        QTest::addRow("herd columns, latin1=%d quoted=%d", style.latin1, style.quoted)
            << sidra(kLivestockTitles, columns, style) << columnInputs << columnMissing;

    const QList<QStringList> subRows{
        header({"Tipo de rebanho", "Valor"}),
        row("3550308", "São Paulo (SP)", {"Bovino", "80"}),
        row("3550308", "São Paulo (SP)", {"Galináceos - galinhas", "1000"}),
        row("3550308", "São Paulo (SP)", {"Galináceos - frangos, galos, frangas e pintos", "2500"}),
        row("310620", "Belo Horizonte (MG)", {"Bovino", "-"}),
        {"", "", "", "Galináceos - galinhas", "X"},
        {"", "", "", "Galináceos - frangos, galos, frangas e pintos", "30"}};
    QTest::newRow("herd sub-rows, Galináceos split, Latin-1")
        << sidra(kLivestockTitles, subRows, {true, true, false, false})
        << QStringList{"3550308 TF_Mod_Pecuaria/e_qte_bovino=80",
                       "3550308 TF_Mod_Pecuaria/e_qte_galinaceo=3500",
                       "3106200 TF_Mod_Pecuaria/e_qte_bovino=0",
                       "3106200 TF_Mod_Pecuaria/e_qte_galinaceo="}
        << QStringList{"3106200 " + herd(4)};
}

void RegionImportTest::livestockInEachLayout()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, missing);

    const TableReading table = readRegionTable(content, "rebanhos.csv");
    QStringList paths;
    for (const TableQuantity quantity : table.quantities)
        paths << herd(int(quantity) - int(TableQuantity::Cattle));
    const Region before = twoMunicipalities();
    const ImportPreview preview = previewImport(before, {{table}, {}});
    const Region after = applyImport(before, preview);
    QCOMPARE(inputsOf(after, paths), expected);

    QStringList listed;
    for (const ImportMissing &each : preview.missing)
        listed << each.row.code + QLatin1Char(' ') + each.input;
    QCOMPARE(listed, missing);
    for (const ImportMissing &each : preview.missing) {
        const Municipality &municipality =
            after.municipalities[std::size_t(after.indexOf(each.row.code))];
        QVERIFY2(
            municipality.notAvailable.value(each.input).startsWith("rebanhos.csv, 2022, linha "),
            qPrintable(municipality.notAvailable.value(each.input)));
        QVERIFY(!municipality.sources.contains(each.input));
    }
    // Every value given has its source, the line of the municipality's row.
    const Municipality &saoPaulo = after.municipalities[0];
    QVERIFY2(saoPaulo.sources.value(herd(0)).startsWith("rebanhos.csv, 2022, linha "),
             qPrintable(saoPaulo.sources.value(herd(0))));
}

void RegionImportTest::populationAndSanitation()
{
    const TableReading sanitation =
        readRegionTable(sanitationTable({"355030;São Paulo;SP;2021;SABESP;30,5;11.451.245;180,2",
                                         "355030;São Paulo;SP;2022;SABESP;29,8;11.500.000;152,3",
                                         "310620;Belo Horizonte;MG;2022;COPASA;-;X;,8"}),
                        "snis.csv");
    const Region before = twoMunicipalities();
    const Region after =
        applyImport(before, previewImport(before, {{population(), sanitation}, {}}));
    // Exact texts: L/hab/dia to m3/dia.hab and losses to the efficiency, no binary noise.
    QCOMPARE(
        inputsOf(after, {kPopulation, kServed, kPerCapita, kEfficiency}),
        (QStringList{"3550308 " + kPopulation + "=11451999", "3550308 " + kServed + "=11500000",
                     "3550308 " + kPerCapita + "=0.1523", "3550308 " + kEfficiency + "=70.2",
                     "3106200 " + kPopulation + "=12000", "3106200 " + kServed + "=",
                     "3106200 " + kPerCapita + "=0.0008", "3106200 " + kEfficiency + "=100"}));
    QCOMPARE(after.municipalities[0].sources.value(kPerCapita),
             QStringLiteral("snis.csv, 2022, linha 3"));
    QCOMPARE(after.municipalities[1].notAvailable.keys(), (QStringList{kServed, kPopulation}));
}

void RegionImportTest::previewListsAndChangesNothing()
{
    Region before = twoMunicipalities();
    before.municipalities[1].overrides.fields[keys::kSupplyWindow][keys::kTotalPopulation] =
        "2000000";
    const Region kept = before;
    const QByteArray duplicated =
        sidra(kPopulationTitles, {header({"2022"}), row("3550308", "São Paulo (SP)", {"11451999"}),
                                  row("310620", "Belo Horizonte (MG)", {"..."}),
                                  row("5300108", "Brasília (DF)", {"2817381"}),
                                  row("3550308", "São Paulo (SP)", {"1"})});
    const TableReading table = readRegionTable(duplicated, "populacao.csv");
    const ImportPreview preview = previewImport(before, {{table}, {}});
    QVERIFY(before == kept);

    QCOMPARE(int(preview.matched.size()), 2);
    QCOMPARE(int(preview.unmatched.size()), 1);
    QCOMPARE(preview.unmatched[0].name, QStringLiteral("Brasília (DF)"));
    QCOMPARE(int(preview.duplicates.size()), 1);
    QCOMPARE(preview.duplicates[0].line, 7);
    QCOMPARE(int(preview.missing.size()), 1);
    // Belo Horizonte's own population gives way to the template's, since the table has none.
    QCOMPARE(int(preview.changes.size()), 2);
    QCOMPARE(preview.changes[0].before, QStringLiteral("12000"));
    QCOMPARE(preview.changes[0].after, QStringLiteral("11451999"));
    QCOMPARE(preview.changes[0].caption,
             QStringLiteral("Abastecimento Público: População total do município (habitantes)"));
    QCOMPARE(preview.changes[1].before, QStringLiteral("2000000"));
    QCOMPARE(preview.changes[1].after, QStringLiteral("12000"));
    QCOMPARE(preview.countsText(),
             QStringLiteral("2 linhas reconhecidas, 1 sem município na região, 1 repetida, 1 valor "
                            "não disponível, 2 valores alterados em 2 municípios"));

    // The region applied is the one the preview describes, change for change.
    const Region after = applyImport(before, preview);
    for (const ImportChange &change : preview.changes) {
        const Study study = municipalityStudy(after, after.indexOf(change.code));
        const QStringList parts = change.input.split('/');
        QCOMPARE(study.windows[parts[0]].fields[parts[1]], change.after);
    }
    QCOMPARE(int(after.municipalities.size()), 2);
}

void RegionImportTest::laterTablesOverrideEarlierOnes()
{
    const TableReading first = population();
    const TableReading second = readRegionTable(
        sidra(kPopulationTitles, {header({"2023"}), row("3550308", "São Paulo (SP)", {"..."}),
                                  row("3106200", "Belo Horizonte (MG)", {"2315560"})}),
        "estimativa.csv");
    const Region before = twoMunicipalities();
    const Region after = applyImport(before, previewImport(before, {{first, second}, {}}));
    // The later table's value wins; its "..." does not undo the earlier table's.
    QCOMPARE(inputsOf(after, {kPopulation}), (QStringList{"3550308 " + kPopulation + "=11451999",
                                                          "3106200 " + kPopulation + "=2315560"}));
    QCOMPARE(after.municipalities[0].sources.value(kPopulation),
             QStringLiteral("populacao.csv, 2022, linha 4"));
    QCOMPARE(after.municipalities[1].sources.value(kPopulation),
             QStringLiteral("estimativa.csv, 2023, linha 5"));
    QVERIFY(after.municipalities[0].notAvailable.isEmpty());
    QVERIFY(after.municipalities[1].notAvailable.isEmpty());
}

void RegionImportTest::addsMissingMunicipalities()
{
    const Region empty = emptyRegion();
    const CodeTable groups = readCodeTable("codigo;bacia\n5300108;Paranoá\n3550308;Tietê\n",
                                           "grupos.csv", CodeTableKind::Groups);
    const ImportPreview preview = previewImport(empty, {{population()}, {groups}}, {true});
    QCOMPARE(preview.addedMunicipalities, 3);
    QCOMPARE(preview.countsText(),
             QStringLiteral("0 linhas reconhecidas, 5 linhas de municípios que a região não tinha, "
                            "0 repetidas, 1 valor "
                            "não disponível, 4 valores alterados em 2 municípios, 3 municípios "
                            "acrescentados"));
    const Region after = applyImport(empty, preview);
    QCOMPARE(int(after.municipalities.size()), 3);
    QCOMPARE(after.municipalities[1].displayName(), QStringLiteral("Belo Horizonte (MG)"));
    QCOMPARE(after.municipalities[1].code, QStringLiteral("3106200"));
    QCOMPARE(after.municipalities[2].group, QStringLiteral("Paranoá"));
    // Added without a value, it keeps the template's, flagged.
    QCOMPARE(inputsOf(after, {kPopulation})[1],
             "3106200 " + kPopulation + "=" +
                 defaultStudy().windows[keys::kSupplyWindow].fields[keys::kTotalPopulation]);
    QVERIFY(after.municipalities[1].notAvailable.contains(kPopulation));
    // Nothing the tables gave was lost on the way.
    QCOMPARE(previewImport(after, {{population()}, {groups}}).changes.size(), std::size_t(0));
}

void RegionImportTest::codeTables_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("groups, header, quoted, Latin-1")
        << QString(
               "\"Código\";\"Bacia\"\n\"3550308\";\"Alto Tietê\"\n\"310620\";\"Rio das Velhas\"\n")
               .toLatin1()
        << int(CodeTableKind::Groups)
        << QStringList{"3550308=Alto Tietê@2", "3106200=Rio das Velhas@3"};
    QTest::newRow("groups, no header, trailing separator, notes")
        << QByteArray("3550308;Tietê;\r\n5300108;Paranoá;\r\n\r\nFonte: comitê\r\n")
        << int(CodeTableKind::Groups) << QStringList{"3550308=Tietê@1", "5300108=Paranoá@2"};
    QTest::newRow("flows, comma decimals, not available, duplicate")
        << QByteArray("codigo;vazao\n3550308;12,5\n3106200;,8\n5300108;...\n3550308;99\n")
        << int(CodeTableKind::ReferenceFlows)
        << QStringList{"3550308=12.5@2", "3106200=0.8@3", "5300108=@4", "dup 3550308@5<2"};
    QTest::newRow("flows, UTF-8 BOM and tab")
        << QByteArray("\xEF\xBB\xBF"
                      "3550308\t0.0523\n")
        << int(CodeTableKind::ReferenceFlows) << QStringList{"3550308=0.0523@1"};
}

void RegionImportTest::codeTables()
{
    QFETCH(QByteArray, content);
    QFETCH(int, kind);
    QFETCH(QStringList, expected);
    const CodeTable table = readCodeTable(content, "tabela.csv", CodeTableKind(kind));
    QStringList shown;
    for (const CodeTableRow &row : table.rows)
        shown << QStringLiteral("%1=%2@%3").arg(row.code, row.value).arg(row.line);
    for (const TableDuplicate &duplicate : table.duplicates)
        shown << QStringLiteral("dup %1@%2<%3")
                     .arg(duplicate.code)
                     .arg(duplicate.line)
                     .arg(duplicate.firstLine);
    QCOMPARE(shown, expected);

    if (CodeTableKind(kind) != CodeTableKind::ReferenceFlows)
        return;
    // A flow becomes the balance's typed reference of its municipality.
    Region region = twoMunicipalities();
    region = applyImport(region, previewImport(region, {{}, {table}}));
    const Study study = municipalityStudy(region, 0);
    QCOMPARE(study.balance->typedFlow, table.rows[0].value);
    QCOMPARE(region.municipalities[0].referenceFlowSource,
             QStringLiteral("tabela.csv, linha %1").arg(table.rows[0].line));
}

void RegionImportTest::badCodeTables_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << QByteArray(" \n\n") << 1 << "1"
                           << "o arquivo está vazio.";
    QTest::newRow("not a code") << QByteArray("3550308;1\n35503;2\n") << 2 << "código"
                                << "\"35503\" não é um código de município do IBGE.";
    QTest::newRow("no state's code") << QByteArray("codigo;vazao\n9950308;2\n") << 2 << "codigo"
                                     << "\"9950308\" não é um código de município do IBGE.";
    QTest::newRow("text in the flow column")
        << QByteArray("codigo;vazao\n3550308;muita\n") << 2 << "vazao"
        << "\"muita\" não é um número.";
    QTest::newRow("negative flow") << QByteArray("3550308;-2\n") << 1 << "vazão (m3/s)"
                                   << "valor negativo (-2).";
    QTest::newRow("too narrow") << QByteArray("codigo;vazao\n3550308\n") << 2 << "vazao"
                                << "a linha tem 1 colunas, e o cabeçalho tem 2; falta esta coluna.";
    QTest::newRow("too wide") << QByteArray("3550308;1;2\n") << 1 << "3"
                              << "a linha tem 3 colunas, e o cabeçalho só tem 2.";
    QTest::newRow("header of three") << QByteArray("codigo;vazao;data\n3550308;1;2\n") << 1 << "3"
                                     << "a tabela deve ter duas colunas";
    QTest::newRow("a public table") << sidra(kPopulationTitles, {header({"2022"})}) << 1 << "2"
                                    << "a tabela deve ter duas colunas";
    QTest::newRow("header only") << QByteArray("codigo;vazao\n") << 2 << "codigo"
                                 << "a tabela não tem nenhum município.";
}

void RegionImportTest::badCodeTables()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, column);
    QFETCH(QString, message);
    try {
        readCodeTable(content, "vazoes.csv", CodeTableKind::ReferenceFlows);
        QFAIL("read");
    } catch (const TableFormatError &error) {
        QVERIFY2(error.message().startsWith(
                     QStringLiteral("Tabela \"vazoes.csv\", linha %1, coluna %2: ")
                         .arg(line)
                         .arg(column)),
                 qPrintable(error.message()));
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
}

void RegionImportTest::nationalTableInUnderASecond()
{
    // Every municipality of the country, in its state's order of codes.
    QList<QStringList> rows{header({"2022"})};
    QSet<QString> codes;
    for (int state : {11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 24, 25, 26, 27,
                      28, 29, 31, 32, 33, 35, 41, 42, 43, 50, 51, 52, 53}) {
        for (int n = 0; n < 207 && codes.size() < 5570; ++n) {
            const QString six =
                QStringLiteral("%1%2").arg(state).arg(n * 10 + 1, 4, 10, QLatin1Char('0'));
            const QString code = six + QString::number(MunicipalityCode::checkDigit(six));
            codes.insert(code);
            rows << row(code,
                        QStringLiteral("Município %1 (%2)").arg(code, stateAbbreviation(state)),
                        {QString::number(1000 + n * 37)});
        }
    }
    QCOMPARE(codes.size(), 5570);
    const QByteArray content = sidra(kPopulationTitles, rows);

    QElapsedTimer clock;
    clock.start();
    const TableReading table = readRegionTable(content, "populacao.csv");
    const Region empty = emptyRegion();
    const ImportPreview preview = previewImport(empty, {{table}, {}}, {true});
    const Region region = applyImport(empty, preview);
    const qint64 elapsed = clock.elapsed();
    qInfo("5570 rows read, previewed and applied in %lld ms", elapsed);
    QCOMPARE(int(region.municipalities.size()), 5570);
    QCOMPARE(preview.addedMunicipalities, 5570);
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
}

QTEST_GUILESS_MAIN(RegionImportTest)
#include "tst_region_import.moc"
