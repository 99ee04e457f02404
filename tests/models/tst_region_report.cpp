// The region's report: every municipality, the totals of each group and of the region, the
// failures with their places, the inputs by the table they came from; the figures grouped for
// reading; and the PDF on landscape pages whose long tables repeat their headings.
#include "support/RegionResultsByHand.h"
#include "support/WindowTesting.h"

#include "core/base/TaviError.h"
#include "core/numbers/ReadableNumber.h"
#include "models/U_Regiao/RegionReport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tavi;
using namespace tavi::region;

namespace
{

QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(120000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class RegionReportTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    void htmlHasTheRegion()
    {
        const testing::RegionByHand made = testing::regionByHand();
        const QString html = RegionReport::reportHtml(made.region, made.results);
        QVERIFY(html.contains(QStringLiteral("Bacia do Rio Claro")));
        // The notes as written, never taken for markup.
        QVERIFY(html.contains(QStringLiteral("&lt;preliminar&gt;<br>segunda linha")));
        for (const MunicipalityResult &municipality : made.results.municipalities) {
            QVERIFY2(html.contains(municipality.name), qPrintable(municipality.name));
            QVERIFY2(html.contains(municipality.code), qPrintable(municipality.code));
        }
        for (const char *group : {"Alto Claro", "Baixo Claro", "Sem grupo", "Região"})
            QVERIFY2(html.contains(QString::fromUtf8(group)), group);
        // Grouped for reading: the region's total, a municipality's supply, a group's total.
        QVERIFY(html.contains(formatReadable(made.results.region.annualTotal, kVolumeDecimals)));
        QVERIFY(html.contains(QStringLiteral("1.012.346")));
        QCOMPARE(made.results.groups.size(), std::size_t(3));
        for (const RegionTotal &group : made.results.groups)
            QVERIFY2(html.contains(formatReadable(group.annualTotal, kVolumeDecimals)),
                     qPrintable(group.group));
        // The failure, its place, and the partial totals said on the first page.
        QVERIFY(html.contains(QStringLiteral("'abc' não é um valor")));
        QVERIFY(html.contains(QStringLiteral("Série, dia 100, coluna ETP")));
        QVERIFY(html.indexOf(QStringLiteral("não pôde ser calculado")) <
                html.indexOf(QStringLiteral("Entradas")));
    }

    // The horizon's final years and the balance in a table of their own, after the year's.
    void horizonAndBalanceApart()
    {
        const testing::RegionByHand made = testing::regionByHand(4, true);
        QCOMPARE(made.results.scenarios, (QStringList{"Base", "Alto"}));
        const QString html = RegionReport::reportHtml(made.region, made.results);
        const int apart =
            html.indexOf(QStringLiteral("Horizonte (ano final) e balanço hídrico por município"));
        QVERIFY(apart > html.indexOf(QStringLiteral("Demanda no ano")));
        for (const QString &column :
             {QStringLiteral("Base 2046 (m³/ano)"), QStringLiteral("Alto 2046 (m³/ano)"),
              QStringLiteral("Vazão de referência (m³/s)")})
            QVERIFY2(html.indexOf(column, html.indexOf(QStringLiteral("Demanda no ano"))) > apart,
                     qPrintable(column));
        QVERIFY(html.contains(QStringLiteral(">Confortável<")));
        QVERIFY(html.contains(
            formatReadable(1.4L * made.results.municipalities[0].annualTotal, kVolumeDecimals)));
        QVERIFY(html.contains(QLatin1String("[[grafico-cenarios]]")));
        QVERIFY(!RegionReport::reportHtml(made.region, testing::regionByHand().results)
                     .contains(QLatin1String("[[grafico-cenarios]]")));
    }

    // A table per source table, a column per input it gave, "n.d." where it gave none.
    void inputsBySource()
    {
        const testing::RegionByHand made = testing::regionByHand();
        const QString html = RegionReport::reportHtml(made.region, made.results);
        for (const char *table : {"populacao.csv, 2024: 4 municípios",
                                  "rebanhos.csv, 2022: 4 municípios, 1 valor não disponível"})
            QVERIFY2(html.contains(QString::fromUtf8(table)), table);
        QVERIFY(!html.contains(QStringLiteral("linha 4")));
        QVERIFY(html.contains(QStringLiteral(">n.d.<")));
        QVERIFY(html.contains(QStringLiteral("Estudo modelo")));
    }

    // A region of a few hundred municipalities: landscape pages, each page of a long table
    // with its headings, the footer counting the pages.
    void pdfPages()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("região.pdf"));
        const testing::RegionByHand made = testing::regionByHand(240);
        RegionReport::write(path, made.region, made.results);

        const QString info = poppler(QStringLiteral("pdfinfo"), {path});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595"))),
                 qPrintable(info));
        const int pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        QVERIFY2(pages > 8, qPrintable(info));

        const QStringList texts =
            poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"})
                .split(QLatin1Char('\f'));
        QVERIFY(texts.size() >= pages);
        int withRows = 0;
        for (int page = 0; page < pages; ++page) {
            const QString &text = texts[page];
            QVERIFY2(text.contains(QStringLiteral("página %1 de %2").arg(page + 1).arg(pages)),
                     qPrintable(text.right(200)));
            if (text.contains(QRegularExpression(QStringLiteral("35\\d{5}\\s+Cidade")))) {
                ++withRows;
                QVERIFY2(text.contains(QStringLiteral("Código")), qPrintable(text.left(400)));
            }
        }
        QVERIFY(withRows > 4);
        const QString all = texts.join(QLatin1Char(' '));
        QVERIFY(all.contains(QStringLiteral("Cidade 240 (SP)")));
    }

    void unwritableFile()
    {
        const testing::RegionByHand made = testing::regionByHand();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sem pasta/região.pdf"));
        try {
            RegionReport::write(path, made.region, made.results);
            QFAIL("written");
        } catch (const TaviError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("região.pdf")),
                     qPrintable(error.message()));
        }
    }
};

QTEST_MAIN(RegionReportTest)
#include "tst_region_report.moc"
