// `tavi calcular --horizonte` run as a user runs it: the final year printed, the CSV of every
// scenario and year read back under a decimal comma and a decimal point, the workbook's sheets
// and the report's chapter; a sector that fails, and a study without a horizon refused with
// nothing written.
#include "export/XlsxReadBack.h"
#include "support/ProgramRun.h"
#include "support/SummaryStudies.h"

#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonTables.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/study/StudyFile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

Study withHorizon(Study study)
{
    StudyHorizon horizon = newHorizon(study, 2026);
    Scenario target{QStringLiteral("Tendencial"), {}};
    target.inputs.drivers.insert(QString(keys::kCoverageTarget), QStringLiteral("95"));
    horizon.scenarios.push_back(target);
    study.horizon = horizon;
    return study;
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

class HorizonCommandTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_study;
    QString m_failing;
    QString m_plain;

    QString path(const QString &name) const { return m_folder.filePath(name); }

    // The scenarios as the program computes them from the file it was given.
    std::vector<ScenarioRun> runsOf(const QString &studyPath) const
    {
        return runHorizon(loadStudyFile(studyPath).study, LocaleSettings::current());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_study = path(QStringLiteral("horizonte.tavi"));
        m_failing = path(QStringLiteral("agricultura com erro.tavi"));
        m_plain = path(QStringLiteral("sem horizonte.tavi"));
        saveStudyFile(m_study, withHorizon(testing::everySectorStudy()));
        saveStudyFile(m_failing, withHorizon(testing::agricultureFailingStudy()));
        saveStudyFile(m_plain, testing::everySectorStudy());
        QVERIFY2(loadStudyFile(m_study).study.horizon,
                 "the study file does not keep the planning horizon yet");
    }

    void finalYearPrinted()
    {
        const testing::ProgramRun run = testing::runProgram({"calcular", m_study, "--horizonte"});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        const QString expected = finalYearText(runsOf(m_study), LocaleSettings::current());
        QCOMPARE(run.out.trimmed(), expected.trimmed());
        for (const char *scenario : {"Base", "Tendencial"})
            QVERIFY2(run.out.contains(QLatin1String(scenario)), scenario);
    }

    // One row per scenario and year, in the horizon's order, every figure the run's to the
    // digit, whatever the decimal separator.
    void csvOfEveryScenarioAndYear_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QChar>("decimal");
        QTest::newRow("decimal comma") << "pt_BR.UTF-8" << QChar(',');
        QTest::newRow("decimal point") << "en_US.UTF-8" << QChar('.');
    }
    void csvOfEveryScenarioAndYear()
    {
        QFETCH(QString, locale);
        QFETCH(QChar, decimal);
        const QString out = path(QStringLiteral("horizonte.csv"));
        const testing::ProgramRun run = testing::runProgram(
            {"calcular", m_study, "--horizonte", "--saida", out},
            testing::programEnvironment({"LC_ALL=" + locale, "LANG=" + locale}));
        CHECK_STATUS(run, 0);
        QVERIFY(run.out.contains(QStringLiteral("Salvo em")));
        const QStringList lines =
            QString::fromUtf8(contentOf(out)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0),
                 QStringLiteral("cenario;ano;abastecimento;pecuaria;agricultura;total"));
        const std::vector<ScenarioRun> runs = runsOf(m_study);
        QCOMPARE(int(runs.size()), 2);
        QCOMPARE(lines.size(), 1 + 2 * 21);
        LocaleSettings settings = LocaleSettings::current();
        settings.decimalSeparator = decimal;
        int line = 1;
        bool sawDecimals = false;
        for (const ScenarioRun &scenario : runs)
            for (const HorizonYear &year : scenario.years) {
                const QStringList fields = lines[line++].split(QLatin1Char(';'));
                QCOMPARE(fields.size(), 6);
                QCOMPARE(fields[0], scenario.name);
                QCOMPARE(fields[1].toInt(), year.year);
                for (int c = 2; c < 6; ++c) {
                    long double value = 0;
                    QVERIFY2(tryTextToNumber(fields[c], &value, settings), qPrintable(fields[c]));
                    const long double expected =
                        c < 5 ? year.sectors[std::size_t(c - 2)].annual : year.total.annual;
                    QVERIFY2(closeTo(value, expected), qPrintable(lines[line - 1]));
                    sawDecimals = sawDecimals || fields[c].contains(decimal);
                }
            }
        // The agriculture's volumes have fractions: the separator was really tried.
        QVERIFY(sawDecimals);
    }

    // The workbook's sheets, read from the package itself.
    void workbook()
    {
        const QString out = path(QStringLiteral("horizonte.xlsx"));
        const testing::ProgramRun run =
            testing::runProgram({"calcular", m_study, "--horizonte", "--saida", out});
        CHECK_STATUS(run, 0);
        QByteArray xml;
        QString error;
        QVERIFY2(testing::readPackageMember(out, "xl/workbook.xml", &xml, &error),
                 qPrintable(error));
        QStringList names;
        static const QRegularExpression sheet(QStringLiteral("<sheet name=\"([^\"]+)\""));
        for (auto m = sheet.globalMatch(QString::fromUtf8(xml)); m.hasNext();)
            names << m.next().captured(1);
        QCOMPARE(names, (QStringList{"Setores (Base)", "Total por Cenário", "Totais", "Diferenças",
                                     "Cenário Base", "Cenário Tendencial"}));
        // The sectors stacked, the totals each a line of its own.
        QByteArray first, second;
        QVERIFY(testing::readPackageMember(out, "xl/charts/chart1.xml", &first, &error));
        QVERIFY(testing::readPackageMember(out, "xl/charts/chart2.xml", &second, &error));
        const QByteArray charts = first + second;
        QCOMPARE(charts.count("<c:areaChart>"), 1);
        QCOMPARE(charts.count("<c:lineChart>"), 1);
        QCOMPARE(charts.count("<c:grouping val=\"stacked\"/>"), 1);
        QCOMPARE(charts.count("<c:ser>"), 3 + 2);
        // Their points named by the years, not numbered.
        QCOMPARE(charts.count("<c:cat>"), 3 + 2);
        QVERIFY(charts.contains("<c:f>Totais!$A$2:$A$22</c:f>"));
    }

    // Any report of a study with a horizon ends with its chapter; one without, as before.
    void reportChapter_data()
    {
        QTest::addColumn<bool>("horizonAsked");
        QTest::addColumn<bool>("hasHorizon");
        QTest::newRow("--horizonte") << true << true;
        QTest::newRow("the summary's report") << false << true;
        QTest::newRow("a study without a horizon") << false << false;
    }
    void reportChapter()
    {
        QFETCH(bool, horizonAsked);
        QFETCH(bool, hasHorizon);
        const QString out = path(QStringLiteral("relatório.pdf"));
        QStringList arguments{"calcular", hasHorizon ? m_study : m_plain, "--saida", out};
        if (horizonAsked)
            arguments << "--horizonte";
        const testing::ProgramRun run = testing::runProgram(
            arguments,
            testing::programEnvironment({"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="}));
        CHECK_STATUS(run, 0);
        const QString text = pdfText(out);
        QVERIFY(text.contains(QStringLiteral("Totais anuais")));
        QCOMPARE(text.contains(QStringLiteral("Horizonte de planejamento")), hasHorizon);
        QCOMPARE(text.contains(QStringLiteral("Cenário Tendencial")), hasHorizon);
    }

    // A sector that fails in every scenario: named per scenario on standard error, status 1,
    // and the rest written, the failed sector's field empty.
    void failedSectorInEveryScenario()
    {
        const QString out = path(QStringLiteral("parcial.csv"));
        const testing::ProgramRun run =
            testing::runProgram({"calcular", m_failing, "--horizonte", "--saida", out});
        CHECK_STATUS(run, 1);
        const QStringList errors = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(errors.filter(QStringLiteral("tavi: Cenário Base: Agricultura:")).size() == 1);
        QVERIFY(errors.filter(QStringLiteral("tavi: Cenário Tendencial: Agricultura:")).size() ==
                1);
        const QStringList lines =
            QString::fromUtf8(contentOf(out)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 2 * 21);
        QCOMPARE(lines[1].split(QLatin1Char(';')).value(4), QString());
        QVERIFY(!run.out.trimmed().isEmpty());
    }

    // Refused with status 2, the reason on standard error, and nothing written.
    void refused_data()
    {
        QTest::addColumn<QString>("study");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("no horizon") << "sem horizonte.tavi" << QStringList{"--horizonte"}
                                    << "não tem horizonte de planejamento";
        QTest::newRow("with --setor")
            << "horizonte.tavi" << QStringList{"--horizonte", "--setor", "pecuaria"}
            << "a opção --setor não vale com --horizonte";
        QTest::newRow("with a value") << "horizonte.tavi" << QStringList{"--horizonte=sim"}
                                      << "a opção --horizonte não leva valor";
    }
    void refused()
    {
        QFETCH(QString, study);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const QString out = path(QStringLiteral("recusado.csv"));
        const testing::ProgramRun run = testing::runProgram(QStringList{"calcular", path(study)} +
                                                            options + QStringList{"--saida", out});
        CHECK_STATUS(run, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("tavi: ")) && run.err.contains(message),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_GUILESS_MAIN(HorizonCommandTest)
#include "tst_horizon.moc"
