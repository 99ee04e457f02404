// `tavi regiao` run as a planner scripts it: a region built with --criar from SIDRA and
// sanitation exports, a groups table and a reference flows table; computed to a .csv whose
// every row is that municipality's study computed alone, under a decimal comma and a decimal
// point; the totals printed, the workbook and the report written; and the exit statuses of a
// bad table, a missing file, bad arguments and a municipality that fails.
#include "export/XlsxReadBack.h"
#include "support/ProgramRun.h"
#include "support/RegionTableFixtures.h"
#include "support/SummaryStudies.h"

#include "core/numbers/GeneralFormat.h"
#include "core/region/CodeTable.h"
#include "core/region/RegionFile.h"
#include "core/region/RegionImport.h"
#include "core/region/RegionTables.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyFile.h"
#include "core/summary/MunicipalSummary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::region;

namespace
{

struct Place {
    const char *code;
    const char *name;
    const char *state;
    const char *population; // as SIDRA writes it; "..." not available
    const char *cattle;
    const char *group; // "" for none
};

const Place kPlaces[] = {
    {"3550308", "São Paulo", "SP", "41000", "1200", "Alto Tietê"},
    {"3106200", "Belo Horizonte", "MG", "38.500", "-", "Rio das Velhas"},
    {"5300108", "Brasília", "DF", "52000", "8000", ""},
    {"3304557", "Rio de Janeiro", "RJ", "...", "300", "Guanabara"},
    {"2927408", "Salvador", "BA", "33000", "450", "Recôncavo"},
    {"4106902", "Curitiba", "PR", "36000", "2500", "Alto Iguaçu"},
    {"4314902", "Porto Alegre", "RS", "31000", "X", "Guaíba"},
    {"2304400", "Fortaleza", "CE", "44000", "700", "Metropolitana"},
    {"1302603", "Manaus", "AM", "47000", "5000", "Negro"},
    {"2611606", "Recife", "PE", "30500", "60", "Capibaribe"},
};
constexpr int kPlaceCount = int(sizeof kPlaces / sizeof kPlaces[0]);

QString placeName(const Place &place)
{
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(place.name), QLatin1String(place.state));
}

QByteArray populationTable()
{
    QList<QStringList> rows{testing::header({"2024"})};
    for (const Place &place : kPlaces)
        rows << testing::row(place.code, placeName(place), {place.population});
    return testing::sidra(testing::kPopulationTitles, rows);
}

// Latin-1, unquoted and CRLF, as older exports come.
QByteArray livestockTable()
{
    QList<QStringList> rows{
        testing::header({"Bovino", "Suíno - total", "Equino", "Caprino", "Galináceos - total"})};
    for (const Place &place : kPlaces)
        rows << testing::row(place.code, placeName(place), {place.cattle, "25", "8", "-", "1500"});
    return testing::sidra(testing::kLivestockTitles, rows, {true, false, true, false});
}

// Two years, six-digit codes, for half the places.
QByteArray sanitationTable()
{
    QStringList rows;
    for (int i = 0; i < kPlaceCount; i += 2)
        for (const int year : {2021, 2022})
            rows << QStringLiteral("%1;%2;%3;%4;Companhia;%5;%6;%7")
                        .arg(QLatin1String(kPlaces[i].code).left(6),
                             QString::fromUtf8(kPlaces[i].name), QLatin1String(kPlaces[i].state))
                        .arg(year)
                        .arg(year == 2021 ? QStringLiteral("31,2") : QStringLiteral("28,4"))
                        .arg(year == 2021 ? 20000 + 100 * i : 21000 + 100 * i)
                        .arg(year == 2021 ? QStringLiteral("150,5") : QStringLiteral("162,3"));
    return testing::sanitationTable(rows);
}

QByteArray groupsTable()
{
    QStringList lines{"codigo;grupo"};
    for (const Place &place : kPlaces)
        if (*place.group)
            lines << QStringLiteral("%1;%2").arg(QLatin1String(place.code),
                                                 QString::fromUtf8(place.group));
    return lines.join(QLatin1Char('\n')).toUtf8();
}

QByteArray flowsTable()
{
    return QByteArrayLiteral("codigo;vazao\n3550308;12,5\n2304400;3,75\n");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

bool closeTo(long double read, long double expected)
{
    return std::fabs(double(read - expected)) <= 1e-12 * std::max(1.0L, std::fabs(expected));
}

} // namespace

class RegionCommandTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_template;
    QString m_region;
    QStringList m_tables;
    QStringList m_codeTables;

    QString path(const QString &name) const { return m_folder.filePath(name); }

    testing::ProgramRun create(const QString &region, const QStringList &more = {}) const
    {
        return testing::runProgram(
            QStringList{"regiao", "--criar", region, "--modelo", m_template} + m_tables +
            m_codeTables + more);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_template = path(QStringLiteral("modelo.tavi"));
        saveStudyFile(m_template, testing::everySectorStudy());
        const std::pair<const char *, QByteArray> tables[] = {{"populacao.csv", populationTable()},
                                                              {"rebanhos.csv", livestockTable()},
                                                              {"snis.csv", sanitationTable()}};
        for (const auto &[name, content] : tables) {
            m_tables << path(QLatin1String(name));
            QVERIFY(writeFile(m_tables.last(), content));
        }
        QVERIFY(writeFile(path("grupos.csv"), groupsTable()));
        QVERIFY(writeFile(path("vazoes.csv"), flowsTable()));
        m_codeTables = QStringList{"--grupos", path("grupos.csv"), "--vazoes", path("vazoes.csv")};

        m_region = path(QStringLiteral("bacia.tavi-regiao"));
        const testing::ProgramRun run = create(m_region);
        CHECK_STATUS(run, 0);
        QVERIFY2(QFile::exists(m_region), qPrintable(run.out));
    }

    // What --criar printed is the import's own preview of those tables, and the region holds
    // every municipality they name, with its group, its reference flow and where its inputs
    // came from.
    void createdFromTheTables()
    {
        ImportTables tables;
        for (const QString &table : m_tables)
            tables.tables.push_back(loadRegionTable(table));
        tables.codeTables.push_back(loadCodeTable(path("grupos.csv"), CodeTableKind::Groups));
        tables.codeTables.push_back(
            loadCodeTable(path("vazoes.csv"), CodeTableKind::ReferenceFlows));
        Region empty = emptyRegion();
        empty.templateStudy = testing::everySectorStudy();
        ImportOptions options;
        options.addMissingMunicipalities = true;
        const ImportPreview preview = previewImport(empty, tables, options);

        const testing::ProgramRun run = create(path(QStringLiteral("outra.tavi-regiao")));
        CHECK_STATUS(run, 0);
        QVERIFY2(run.out.contains(preview.countsText()), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("10 municípios")));

        const Region region = loadRegionFile(m_region).region;
        QCOMPARE(region.name, QStringLiteral("bacia"));
        QCOMPARE(int(region.municipalities.size()), kPlaceCount);
        for (const Place &place : kPlaces) {
            const int index = region.indexOf(QLatin1String(place.code));
            QVERIFY2(index >= 0, place.code);
            const Municipality &municipality = region.municipalities[std::size_t(index)];
            QCOMPARE(municipality.name, QString::fromUtf8(place.name));
            QCOMPARE(municipality.group, QString::fromUtf8(place.group));
            QVERIFY2(!municipality.sources.isEmpty(), place.code);
        }
        const auto flowOf = [&region](const char *code) {
            return region.municipalities[std::size_t(region.indexOf(QLatin1String(code)))]
                .referenceFlow;
        };
        QCOMPARE(flowOf("3550308"), QStringLiteral("12.5"));
        QCOMPARE(flowOf("2304400"), QStringLiteral("3.75"));
        QCOMPARE(flowOf("3106200"), QString());
        // "..." and "X" keep the template's value, flagged.
        for (const char *code : {"3304557", "4314902"})
            QVERIFY2(!region.municipalities[std::size_t(region.indexOf(QLatin1String(code)))]
                          .notAvailable.isEmpty(),
                     code);
    }

    // --ano picks the sanitation year; without it the latest is read.
    void sanitationYear()
    {
        const QString asked = path(QStringLiteral("2021.tavi-regiao"));
        CHECK_STATUS(create(asked, {"--ano", "2021"}), 0);
        const auto sanitationSources = [](const Region &region) {
            QStringList found;
            for (const QString &source : region.municipalities.front().sources)
                if (source.contains(QLatin1String("snis.csv")))
                    found << source;
            return found.join(QLatin1Char('|'));
        };
        const QString earlier = sanitationSources(loadRegionFile(asked).region);
        const QString latest = sanitationSources(loadRegionFile(m_region).region);
        QVERIFY2(earlier.contains(QLatin1String("2021")) &&
                     !earlier.contains(QLatin1String("2022")),
                 qPrintable(earlier));
        QVERIFY2(latest.contains(QLatin1String("2022")), qPrintable(latest));
    }

    // One row per municipality in the region's order, each figure that municipality's study
    // computed alone, to the digit, whatever the decimal separator.
    void csvRowByRow_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QChar>("decimal");
        QTest::newRow("decimal comma") << "pt_BR.UTF-8" << QChar(',');
        QTest::newRow("decimal point") << "en_US.UTF-8" << QChar('.');
    }
    void csvRowByRow()
    {
        QFETCH(QString, locale);
        QFETCH(QChar, decimal);
        const QString out = path(QStringLiteral("bacia.csv"));
        const testing::ProgramRun run = testing::runProgram(
            {"regiao", m_region, "--saida", out},
            testing::programEnvironment({"LC_ALL=" + locale, "LANG=" + locale}));
        CHECK_STATUS(run, 0);
        QVERIFY(run.out.contains(QStringLiteral("Salvo em")));
        const QStringList lines = QString::fromUtf8(contentOf(out))
                                      .split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0),
                 QStringLiteral("codigo;municipio;grupo;abastecimento;pecuaria;agricultura;total"));
        const Region region = loadRegionFile(m_region).region;
        QCOMPARE(lines.size(), 1 + kPlaceCount);
        LocaleSettings settings = LocaleSettings::current();
        settings.decimalSeparator = decimal;
        bool sawDecimals = false;
        for (int i = 0; i < kPlaceCount; ++i) {
            const Municipality &municipality = region.municipalities[std::size_t(i)];
            const MunicipalSummary alone =
                summarizeStudy(municipalityStudy(region, i), SupplyScenario::Current);
            QVERIFY2(alone.errors().isEmpty(), qPrintable(alone.errors().join('\n')));
            const QStringList fields = lines[i + 1].split(QLatin1Char(';'));
            QCOMPARE(fields.size(), 7);
            QCOMPARE(fields[0], municipality.code);
            QVERIFY2(fields[1].contains(municipality.name), qPrintable(lines[i + 1]));
            QCOMPARE(fields[2], municipality.group);
            for (int c = 3; c < 7; ++c) {
                long double value = 0;
                QVERIFY2(tryTextToNumber(fields[c], &value, settings), qPrintable(fields[c]));
                const long double expected =
                    c < 6 ? alone.sectors[std::size_t(c - 3)].annual : alone.annualTotal;
                QVERIFY2(closeTo(value, expected), qPrintable(lines[i + 1]));
                sawDecimals = sawDecimals || fields[c].contains(decimal);
            }
        }
        QVERIFY(sawDecimals);
    }

    // Without --saida: the region's name, then core's text of the totals, text for text.
    void totalsPrinted()
    {
        const testing::ProgramRun run = testing::runProgram({"regiao", m_region});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        const RegionResults results = computeRegion(loadRegionFile(m_region).region);
        QCOMPARE(run.out.trimmed(), (QStringLiteral("Região bacia\n\n") +
                                     regionText(results, LocaleSettings::current()))
                                        .trimmed());
    }

    void workbookAndReport()
    {
        const QString book = path(QStringLiteral("bacia.xlsx"));
        CHECK_STATUS(testing::runProgram({"regiao", m_region, "--saida", book}), 0);
        QByteArray xml;
        QString error;
        QVERIFY2(testing::readPackageMember(book, "xl/workbook.xml", &xml, &error),
                 qPrintable(error));
        QVERIFY2(xml.count("<sheet name=") >= 4, xml.constData());

        const QString report = path(QStringLiteral("bacia.pdf"));
        const testing::ProgramRun run =
            testing::runProgram({"regiao", m_region, "--saida", report});
        CHECK_STATUS(run, 0);
        const QString text = pdfText(report);
        QVERIFY2(text.contains(QStringLiteral("Região — bacia")), qPrintable(text.left(300)));
        for (const Place &place : kPlaces)
            QVERIFY2(text.contains(QString::fromUtf8(place.name)), place.name);
    }

    // A municipality whose series cannot be read: the others are written, its agriculture left
    // empty, and the status is the one `tavi calcular` gives for a sector that failed.
    void failedMunicipality()
    {
        Region region = loadRegionFile(m_region).region;
        const int failing = 4;
        region.municipalities[failing]
            .overrides.grids[QString(keys::kAgricultureWindow)][QString(keys::kSeries)] =
            testing::agricultureFailingStudy()
                .windows[QString(keys::kAgricultureWindow)]
                .grids[QString(keys::kSeries)];
        const QString damaged = path(QStringLiteral("com falha.tavi-regiao"));
        saveRegionFile(damaged, region);
        const QString out = path(QStringLiteral("com falha.csv"));
        const testing::ProgramRun run = testing::runProgram({"regiao", damaged, "--saida", out});
        CHECK_STATUS(run, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Salvador")), qPrintable(run.err));
        QVERIFY2(run.err.contains(QString::fromUtf8(testing::kSpoiledCellPlace)),
                 qPrintable(run.err));
        const QStringList lines = QString::fromUtf8(contentOf(out))
                                      .split(QRegularExpression("\r?\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + kPlaceCount);
        for (int i = 0; i < kPlaceCount; ++i) {
            const QStringList fields = lines[i + 1].split(QLatin1Char(';'));
            QCOMPARE(fields.value(5).isEmpty(), i == failing);
            QVERIFY(!fields.value(6).isEmpty());
        }
    }

    // Nothing written, and the message says what and where.
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("notWritten");

        QVERIFY(writeFile(
            path("ruim.csv"),
            testing::sidra(testing::kPopulationTitles,
                           {testing::header({"2024"}),
                            testing::row("3550308", "São Paulo (SP)", {"12"}),
                            testing::row("3106200", "Belo Horizonte (MG)", {"muitos"})})));
        QVERIFY(writeFile(path("vazio.csv"), QByteArray()));
        const QString fresh = path("nova.tavi-regiao");
        const QString model = path("modelo.tavi");
        QTest::newRow("text in a number column")
            << QStringList{"regiao", "--criar", fresh, "--modelo", model, path("ruim.csv")}
            << "ruim.csv\", linha 5, coluna 2024" << fresh;
        QTest::newRow("an empty table")
            << QStringList{"regiao", "--criar", fresh, "--modelo", model, path("vazio.csv")}
            << "vazio.csv" << fresh;
        QTest::newRow("a missing table")
            << QStringList{"regiao", "--criar", fresh, "--modelo", model, path("nada.csv")}
            << "nada.csv" << fresh;
        QTest::newRow("a missing template")
            << QStringList{"regiao",   "--criar",         fresh,
                           "--modelo", path("nada.tavi"), path("populacao.csv")}
            << "nada.tavi" << fresh;
        QTest::newRow("a region file of another kind")
            << QStringList{"regiao",   "--criar", path("nova.tavi"),
                           "--modelo", model,     path("populacao.csv")}
            << ".tavi-regiao" << path("nova.tavi");
        QTest::newRow("no template")
            << QStringList{"regiao", "--criar", fresh, path("populacao.csv")} << "--modelo"
            << fresh;
        QTest::newRow("a year without the sanitation table")
            << QStringList{"regiao", "--criar", fresh, "--modelo", model, path("populacao.csv"),
                           "--ano",  "2021"}
            << "--ano" << fresh;
        QTest::newRow("a missing region")
            << QStringList{"regiao", path("nada.tavi-regiao"), "--saida", path("nada.csv")}
            << "nada.tavi-regiao" << path("nada.csv");
        QTest::newRow("an output of no known kind")
            << QStringList{"regiao", path("bacia.tavi-regiao"), "--saida", path("bacia.txt")}
            << "bacia.txt" << path("bacia.txt");
        QTest::newRow("an output in no folder")
            << QStringList{"regiao", path("bacia.tavi-regiao"), "--saida",
                           path("sem pasta/bacia.csv")}
            << "sem pasta" << path("sem pasta/bacia.csv");
        QTest::newRow("two regions")
            << QStringList{"regiao", path("bacia.tavi-regiao"), path("2021.tavi-regiao")}
            << "uma região" << QString();
        QTest::newRow("--saida with --criar")
            << QStringList{"regiao",  "--criar",    fresh, "--modelo", model, path("populacao.csv"),
                           "--saida", path("x.csv")}
            << "--saida" << path("x.csv");
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        QFETCH(QString, notWritten);
        const testing::ProgramRun run = testing::runProgram(arguments);
        CHECK_STATUS(run, 2);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        if (!notWritten.isEmpty())
            QVERIFY(!QFile::exists(notWritten));
        // No temporary file left beside an output that could not be made.
        QCOMPARE(QDir(m_folder.path()).entryList({".tavi-*"}, QDir::Hidden | QDir::Files),
                 QStringList{});
    }

    // The region file is never written over with a region's own output.
    void outputIsTheRegion()
    {
        const QString copy = path(QStringLiteral("cópia.tavi-regiao"));
        QVERIFY(QFile::copy(m_region, copy));
        const QString renamed = path(QStringLiteral("cópia.csv"));
        QVERIFY(QFile::link(copy, renamed));
        const QByteArray before = contentOf(copy);
        CHECK_STATUS(testing::runProgram({"regiao", copy, "--saida", renamed}), 2);
        QCOMPARE(contentOf(copy), before);
    }

    void help()
    {
        const testing::ProgramRun run = testing::runProgram({"regiao", "--ajuda"});
        CHECK_STATUS(run, 0);
        for (const char *word : {"tavi regiao REGIAO.tavi-regiao", "--criar", "--modelo",
                                 "--grupos", "--vazoes", "--ano", "agricultura;total"})
            QVERIFY2(run.out.contains(QLatin1String(word)), word);
    }
};

QTEST_GUILESS_MAIN(RegionCommandTest)
#include "tst_region.moc"
