// `tavi calcular` run as a user runs it: what it prints, what it says on standard error and
// the status it ends with, for a study that computes, one whose agriculture fails, a choice
// of sectors, and arguments or studies it cannot use.
#include "support/ProgramRun.h"
#include "support/SummaryStudies.h"

#include "core/numbers/ReadableNumber.h"
#include "core/study/StudyFile.h"
#include "core/summary/MunicipalSummary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace tavi;

namespace
{

// The line of the printed table that begins with `name`, or an empty text.
QString lineOf(const QString &text, const QString &name)
{
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.startsWith(name + QLatin1String("  ")))
            return line;
    return QString();
}

// The figures of a table line, after its name: blanks between them.
QStringList figuresOf(const QString &line, const QString &name)
{
    return line.mid(name.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// What the line of a computed sector must hold: its annual volume, share, the day of its
// largest daily demand (the first, on a tie) and that demand.
QStringList expectedSectorFigures(const MunicipalSummary &summary, int sector)
{
    const std::vector<long double> &daily = summary.sectors[sector].daily;
    const auto peak = std::max_element(daily.begin(), daily.end());
    return {formatReadable(summary.sectors[sector].annual, kVolumeDecimals),
            formatReadable(summary.shares[sector], kShareDecimals),
            QString::number(peak - daily.begin() + 1), formatReadable(*peak, kVolumeDecimals)};
}

} // namespace

class CalculateTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_everySector;
    QString m_agricultureFails;

    QString path(const QString &name) const { return m_folder.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_everySector = path(QStringLiteral("todos.tavi"));
        m_agricultureFails = path(QStringLiteral("agricultura com erro.tavi"));
        saveStudyFile(m_everySector, testing::everySectorStudy());
        saveStudyFile(m_agricultureFails, testing::agricultureFailingStudy());
    }

    // Every sector's figures, the total with its peak and the dilution's maximum, in the
    // locale's numbers, and nothing on standard error.
    void everySectorComputed()
    {
        const MunicipalSummary summary =
            summarizeStudy(testing::everySectorStudy(), SupplyScenario::Current);
        const testing::ProgramRun run = testing::runProgram({"calcular", m_everySector});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        QVERIFY(run.out.contains(QStringLiteral("Município de Águas Claras")));
        for (int s = 0; s < kSummarySectors; ++s) {
            const QString name = summarySectorName(s);
            QCOMPARE(figuresOf(lineOf(run.out, name), name), expectedSectorFigures(summary, s));
        }
        QCOMPARE(figuresOf(lineOf(run.out, QStringLiteral("Total")), QStringLiteral("Total")),
                 (QStringList{formatReadable(summary.annualTotal, kVolumeDecimals),
                              formatReadable(100, kShareDecimals), QString::number(summary.peakDay),
                              formatReadable(summary.peakTotal, kVolumeDecimals)}));
        QVERIFY(!run.out.contains(QStringLiteral("parcial")));
        QVERIFY(summary.dilutionPoint > 0);
        QVERIFY2(run.out.contains(QStringLiteral("%1 m3/s, no ponto %2")
                                      .arg(formatReadable(summary.dilutionMaximum, kFlowDecimals))
                                      .arg(summary.dilutionPoint)),
                 qPrintable(run.out));
    }

    // A sector that fails is named on standard error with its cell, as the window's error box
    // names it; the others are still printed, under a total that says it is partial, and the
    // output is still written.
    void failingSectorLeavesTheOthers()
    {
        const QString csv = path(QStringLiteral("parcial.csv"));
        const testing::ProgramRun run =
            testing::runProgram({"calcular", m_agricultureFails, "--saida", csv});
        CHECK_STATUS(run, 1);
        QCOMPARE(run.err, QStringLiteral("tavi: Agricultura: 'abc' não é um valor de ponto "
                                         "flutuante válido.\n%1\n")
                              .arg(QString::fromUtf8(testing::kSpoiledCellPlace)));
        const MunicipalSummary summary =
            summarizeStudy(testing::agricultureFailingStudy(), SupplyScenario::Current);
        const QString supply = summarySectorName(SupplySector);
        QCOMPARE(figuresOf(lineOf(run.out, supply), supply),
                 expectedSectorFigures(summary, SupplySector));
        QCOMPARE(figuresOf(lineOf(run.out, QStringLiteral("Agricultura")),
                           QStringLiteral("Agricultura")),
                 QStringList(4, QStringLiteral("—")));
        const QString total = QStringLiteral("Total parcial (sem Agricultura)");
        QCOMPARE(figuresOf(lineOf(run.out, total), total).first(),
                 formatReadable(summary.annualTotal, kVolumeDecimals));
        QVERIFY(run.out.contains(QStringLiteral("Total parcial, sem Agricultura:")));
        QVERIFY(QFile::exists(csv));
    }

    // Only the sectors named are computed, printed and totalled: a sector left out cannot
    // fail, and the total is the sum of the ones chosen.
    void chosenSectors()
    {
        const testing::ProgramRun run = testing::runProgram(
            {"calcular", "--setor", "abastecimento", m_agricultureFails, "--setor=Pecuária"});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        SectorSelection chosen = SectorSelection::none();
        chosen.add(SectorId::Supply);
        chosen.add(SectorId::Livestock);
        const MunicipalSummary summary =
            summarizeStudy(testing::agricultureFailingStudy(), SupplyScenario::Current, chosen);
        QCOMPARE(summary.annualTotal,
                 summary.sectors[SupplySector].annual + summary.sectors[LivestockSector].annual);
        const QString total = QStringLiteral("Total parcial (sem Agricultura)");
        QCOMPARE(figuresOf(lineOf(run.out, total), total).first(),
                 formatReadable(summary.annualTotal, kVolumeDecimals));
        QVERIFY(lineOf(run.out, QStringLiteral("Agricultura")).isEmpty());
        QVERIFY(!run.out.contains(summarySectorName(kSummarySectors)));

        // The dilution alone: no table of consuming sectors, only its maximum.
        const testing::ProgramRun dilution =
            testing::runProgram({"calcular", m_everySector, "--setor", "diluicao"});
        CHECK_STATUS(dilution, 0);
        QVERIFY(!dilution.out.contains(QStringLiteral("Total")));
        QVERIFY(dilution.out.contains(QStringLiteral("no ponto")));
    }

    // Arguments it cannot use: a message in Portuguese, the way to the help, status 2, and
    // neither a summary nor an output file.
    void unusableArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString study = QStringLiteral("<estudo>");
        const QString out = QStringLiteral("<saida>");
        QTest::newRow("no study") << QStringList{"calcular", "--saida", out} << "falta o estudo";
        QTest::newRow("two studies")
            << QStringList{"calcular", study, study, "--saida", out} << "só um estudo por vez";
        QTest::newRow("unknown option")
            << QStringList{"calcular", study, "--saida", out, "--rapido"}
            << "opção desconhecida: --rapido";
        QTest::newRow("unknown option first") << QStringList{"--rapido"} << "opção desconhecida";
        QTest::newRow("output without file")
            << QStringList{"calcular", study, "--saida"} << "--saida precisa do nome";
        QTest::newRow("output of no known kind")
            << QStringList{"calcular", study, "--saida", "resumo.txt"} << ".xlsx";
        QTest::newRow("two outputs")
            << QStringList{"calcular", study, "--saida", out, "--saida", out} << "mais de uma vez";
        QTest::newRow("unknown sector")
            << QStringList{"calcular", study, "--saida", out, "--setor", "industria"}
            << "setor desconhecido: \"industria\"";
        QTest::newRow("sector missing")
            << QStringList{"calcular", study, "--saida", out, "--setor"} << "precisa do setor";
    }
    void unusableArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QString out = path(QStringLiteral("nunca.csv"));
        arguments.replaceInStrings(QStringLiteral("<estudo>"), m_everySector);
        arguments.replaceInStrings(QStringLiteral("<saida>"), out);
        const testing::ProgramRun run = testing::runProgram(arguments);
        CHECK_STATUS(run, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("tavi: ")) && run.err.contains(message),
                 qPrintable(run.err));
        QVERIFY(run.err.contains(QStringLiteral("tavi --ajuda")));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(out));
    }

    // A study missing or damaged is named with why it cannot be opened; nothing is written.
    void unreadableStudy_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "o arquivo não existe.";
        QTest::newRow("damaged") << QByteArray("{\"formato\": \"tavi-estudo\", \"versao\": 1, ")
                                 << "";
        QTest::newRow("not a study") << QByteArray("[1, 2, 3]") << "";
    }
    void unreadableStudy()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString study = path(QStringLiteral("ilegivel.tavi"));
        QFile::remove(study);
        if (!content.isEmpty()) {
            QFile file(study);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QString out = path(QStringLiteral("nunca.xlsx"));
        const testing::ProgramRun run = testing::runProgram({"calcular", study, "--saida", out});
        CHECK_STATUS(run, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("tavi: Não foi possível abrir o estudo \"%1\": ")
                                        .arg(QDir::toNativeSeparators(study))) &&
                     run.err.contains(reason),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(out));
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Hidden | QDir::Files).filter(".tavi-"),
                 QStringList());
    }

    void helpAndVersion()
    {
        for (const char *help : {"--ajuda", "--help"}) {
            const testing::ProgramRun run = testing::runProgram({help});
            CHECK_STATUS(run, 0);
            for (const char *word : {"tavi calcular ESTUDO.tavi", "--saida", "--setor", ".xlsx",
                                     ".csv", ".pdf", "abastecimento", "diluicao"})
                QVERIFY2(run.out.contains(QLatin1String(word)), word);
        }
        // The version the package carries: the changelog's latest entry.
        QFile changelog(qEnvironmentVariable("TAVI_SOURCE_DIR") +
                        QStringLiteral("/packaging/changelog"));
        QVERIFY(changelog.open(QIODevice::ReadOnly));
        const QByteArray top = changelog.readLine();
        const QString version = QString::fromUtf8(
            top.mid(top.indexOf('(') + 1, top.indexOf(')') - top.indexOf('(') - 1));
        const testing::ProgramRun run = testing::runProgram({"--versao"});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.out, QStringLiteral("tavi %1\n").arg(version));
    }
};

QTEST_GUILESS_MAIN(CalculateTest)
#include "tst_calculate.moc"
