// `tavi calcular` of a study with a water balance, run as a user runs it: the balance printed
// after the summary (and with --horizonte each scenario's), its sheets after the summary's in
// the workbook, a balance that cannot be made named on standard error with status 1 and the
// rest still printed and written; a study without a balance exactly as before.
#include "export/XlsxReadBack.h"
#include "support/ProgramRun.h"
#include "support/SummaryStudies.h"

#include "cli/SummaryText.h"
#include "core/balance/BalanceTables.h"
#include "core/balance/BalanceWorkbook.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonRun.h"
#include "core/horizon/HorizonTables.h"
#include "core/horizon/HorizonWorkbook.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/study/StudyFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tavi;

namespace
{

// Twelve years of a river with a wet and a dry season, a fortnight missing each dry season:
// enough for Q7,10, and a demand of Águas Claras that is a few percent of its Q95.
flows::FlowSeries riverSeries()
{
    flows::FlowSeries series;
    series.station = QStringLiteral("56110000 - RIO CLARO");
    series.first = QDate(2008, 1, 1);
    const int days = int(series.first.daysTo(QDate(2019, 12, 31))) + 1;
    for (int d = 0; d < days; ++d) {
        const QDate day = series.first.addDays(d);
        if (day.month() == 8 && day.day() <= 3)
            series.days.push_back(std::nullopt);
        else
            series.days.push_back(
                std::round((6 + 4 * std::cos(2 * M_PI * d / 365.25) + (d % 11) * 0.05) * 100) /
                100);
    }
    return series;
}

Study withBalance(Study study, const StudyBalance &balance)
{
    study.balance = balance;
    return study;
}

StudyBalance seriesBalance()
{
    StudyBalance balance;
    balance.series = riverSeries();
    balance.seriesSource = QStringLiteral("rio_claro.csv");
    return balance;
}

// The typed reference chosen and no flow typed: no balance can be made.
StudyBalance balanceWithoutReference()
{
    StudyBalance balance;
    balance.reference = keys::kReferenceTyped;
    return balance;
}

QStringList sheetNames(const QString &path)
{
    QByteArray xml;
    QString error;
    if (!testing::readPackageMember(path, QStringLiteral("xl/workbook.xml"), &xml, &error))
        return {error};
    QStringList names;
    static const QRegularExpression sheet(QStringLiteral("<sheet name=\"([^\"]+)\""));
    for (auto m = sheet.globalMatch(QString::fromUtf8(xml)); m.hasNext();)
        names << m.next().captured(1);
    return names;
}

// The workbook balanceWorkbook makes for that balance, by its sheets' names.
QStringList balanceSheetNames(const balance::WaterBalance &waterBalance,
                              const std::vector<balance::ScenarioBalance> &scenarios)
{
    const Workbook book = balance::balanceWorkbook(balance::balanceBook(waterBalance, scenarios));
    QStringList names;
    for (int s = 1; s <= book.sheetCount(); ++s)
        names << book.sheet(s).name;
    return names;
}

} // namespace

class BalanceCommandTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_balance;
    QString m_broken;
    QString m_plain;
    QString m_horizon;

    QString path(const QString &name) const { return m_folder.filePath(name); }

    // The balance as the program computes it from the file it was given.
    balance::WaterBalance balanceOf(const QString &studyPath) const
    {
        const Study study = loadStudyFile(studyPath).study;
        return balance::computeBalance(
            study, summarizeStudy(study, SupplyScenario::Current, LocaleSettings::current()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_balance = path(QStringLiteral("balanço.tavi"));
        m_broken = path(QStringLiteral("sem referência.tavi"));
        m_plain = path(QStringLiteral("sem balanço.tavi"));
        m_horizon = path(QStringLiteral("horizonte e balanço.tavi"));
        saveStudyFile(m_balance, withBalance(testing::everySectorStudy(), seriesBalance()));
        saveStudyFile(m_broken,
                      withBalance(testing::everySectorStudy(), balanceWithoutReference()));
        saveStudyFile(m_plain, testing::everySectorStudy());
        Study planned = withBalance(testing::everySectorStudy(), seriesBalance());
        planned.horizon = horizon::newHorizon(planned, 2026);
        saveStudyFile(m_horizon, planned);
        QVERIFY2(loadStudyFile(m_balance).study.balance, "the study file keeps no balance");
    }

    // The summary as before, then the balance as core makes it: the lines follow the summary
    // and nothing else changes.
    void balancePrintedAfterTheSummary()
    {
        const testing::ProgramRun plain = testing::runProgram({"calcular", m_plain});
        CHECK_STATUS(plain, 0);
        const testing::ProgramRun run = testing::runProgram({"calcular", m_balance});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        const balance::WaterBalance computed = balanceOf(m_balance);
        QVERIFY2(computed.computed(), qPrintable(computed.problem));
        const QString lines = balance::balanceText(computed, LocaleSettings::current());
        QVERIFY(!lines.trimmed().isEmpty());
        // Same name, same sectors: the summary is the plain study's, to the character.
        QVERIFY(run.out.startsWith(plain.out));
        QCOMPARE(run.out.mid(plain.out.size()), cli::balanceSummaryText(computed, {}));
        QVERIFY(run.out.contains(QStringLiteral("Q95")));
        QVERIFY(run.out.contains(balance::stressClassName(computed.meanDay.stress)));
        QVERIFY(!plain.out.contains(QStringLiteral("Q95")));
    }

    // The current demand's balance, then each scenario's first critical year, from the runs
    // the horizon's own lines came from.
    void horizonPrintsEachScenario()
    {
        const testing::ProgramRun run = testing::runProgram({"calcular", m_horizon, "--horizonte"});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        const Study study = loadStudyFile(m_horizon).study;
        const std::vector<horizon::ScenarioRun> runs =
            horizon::runHorizon(study, LocaleSettings::current());
        const balance::WaterBalance computed =
            balance::balanceOfStudy(study, LocaleSettings::current());
        const std::vector<balance::ScenarioBalance> scenarios =
            balance::horizonBalance(runs, computed);
        QCOMPARE(int(scenarios.size()), int(runs.size()));
        const QString horizonLines =
            balance::horizonBalanceText(scenarios, LocaleSettings::current());
        QVERIFY(!horizonLines.trimmed().isEmpty());
        QCOMPARE(run.out, horizon::finalYearText(runs, LocaleSettings::current()) +
                              cli::balanceSummaryText(computed, scenarios));
        QVERIFY(run.out.indexOf(horizonLines) > run.out.indexOf(QStringLiteral("Q95")));
    }

    // After the summary's two sheets, the balance's, in the order its own workbook has them;
    // a study without a balance keeps the summary's alone. With --horizonte, after the
    // horizon's.
    void workbookGainsTheBalanceSheets_data()
    {
        QTest::addColumn<QString>("study");
        QTest::addColumn<bool>("horizon");
        QTest::addColumn<bool>("hasBalance");
        QTest::newRow("balance") << "balanço.tavi" << false << true;
        QTest::newRow("no balance") << "sem balanço.tavi" << false << false;
        QTest::newRow("--horizonte") << "horizonte e balanço.tavi" << true << true;
    }
    void workbookGainsTheBalanceSheets()
    {
        QFETCH(QString, study);
        QFETCH(bool, horizon);
        QFETCH(bool, hasBalance);
        const QString out = path(QStringLiteral("resumo.xlsx"));
        QFile::remove(out);
        QStringList arguments{"calcular", path(study), "--saida", out};
        if (horizon)
            arguments << "--horizonte";
        const testing::ProgramRun run = testing::runProgram(arguments);
        CHECK_STATUS(run, 0);

        const Study read = loadStudyFile(path(study)).study;
        QStringList expected;
        std::vector<balance::ScenarioBalance> scenarios;
        std::optional<balance::WaterBalance> computed;
        if (hasBalance)
            computed = balance::balanceOfStudy(read, LocaleSettings::current());
        if (horizon) {
            const std::vector<horizon::ScenarioRun> runs =
                horizon::runHorizon(read, LocaleSettings::current());
            const Workbook own = horizon::horizonWorkbook(runs, 0);
            for (int s = 1; s <= own.sheetCount(); ++s)
                expected << own.sheet(s).name;
            scenarios = balance::horizonBalance(runs, *computed);
        } else {
            expected << QStringLiteral("Demanda Diária") << QStringLiteral("Resumo");
        }
        const int own = int(expected.size());
        // The balance's scenario sheets share their names with the horizon's: told apart.
        if (computed)
            for (const QString &name : balanceSheetNames(*computed, scenarios))
                expected << (expected.contains(name) ? QStringLiteral("Balanço ") + name : name);
        const QStringList names = sheetNames(out);
        QCOMPARE(names, expected);
        QCOMPARE(names.size() > own, hasBalance);

        // The sheets hold what the balance's book put in them, read by another reader.
        if (!hasBalance)
            return;
        testing::ReadWorkbook book;
        READ_XLSX(out, book);
        const balance::BalanceBook balanceBook = balance::balanceBook(*computed, scenarios);
        QVERIFY(!balanceBook.worksheets.empty());
        const balance::BalanceWorksheet &first = balanceBook.worksheets.front();
        QVERIFY(book.sheets.contains(first.name));
        QCOMPARE(book.sheets[first.name].at(1, 1).value.toString(), first.rows[0][0]);
        QCOMPARE(book.chartSheetNames.size(), int(balanceBook.charts.size()) + (horizon ? 2 : 1));
    }

    // The balance cannot be made: said on standard error after the sectors' messages, status
    // 1, the summary still printed and its workbook still written.
    void balanceWithAProblem()
    {
        const QString out = path(QStringLiteral("parcial.xlsx"));
        const testing::ProgramRun run = testing::runProgram({"calcular", m_broken, "--saida", out});
        CHECK_STATUS(run, 1);
        const balance::WaterBalance computed = balanceOf(m_broken);
        QVERIFY(!computed.computed());
        QVERIFY2(run.err.startsWith(QStringLiteral("tavi: Balanço hídrico: ") + computed.problem),
                 qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
        QVERIFY(run.out.contains(QStringLiteral("Resumo do Município")));
        QVERIFY(run.out.contains(QStringLiteral("Salvo em")));
        QVERIFY(sheetNames(out).startsWith(QStringLiteral("Demanda Diária")));

        // With a sector failing as well: both said, the status still 1.
        const QString both = path(QStringLiteral("dois problemas.tavi"));
        saveStudyFile(both,
                      withBalance(testing::agricultureFailingStudy(), balanceWithoutReference()));
        const testing::ProgramRun twice = testing::runProgram({"calcular", both});
        CHECK_STATUS(twice, 1);
        QVERIFY(twice.err.contains(QStringLiteral("tavi: Agricultura:")));
        QVERIFY(twice.err.contains(QStringLiteral("tavi: Balanço hídrico: ")));
    }
};

QTEST_GUILESS_MAIN(BalanceCommandTest)
#include "tst_balance.moc"
