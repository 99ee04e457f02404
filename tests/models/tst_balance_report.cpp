// The report's chapter on the water balance: only for a study with a balance, after the
// horizon's, the pages before it unchanged; the tables core fills, each class named on its
// colour, the charts where the series gives them; a balance with a problem says it and still
// prints the river's figures; and the PDF gains its pages.
#include "support/HorizonRuns.h"
#include "support/ReportBalanceStudy.h"
#include "support/RiverSeries.h"
#include "support/SummaryStudies.h"

#include "core/balance/BalanceTables.h"
#include "core/horizon/HorizonDrivers.h"
#include "models/U_Resumo_Municipio/SummaryReport.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tavi;
using namespace tavi::balance;

Q_DECLARE_METATYPE(tavi::Study)

namespace
{

const QString kDurationMark = QStringLiteral("[[grafico-balanco-permanencia]]");
const QString kMinimaMark = QStringLiteral("[[grafico-balanco-minimas]]");
const QString kMonthsMark = QStringLiteral("[[grafico-balanco-mensal]]");
const QString kHorizonMark = QStringLiteral("[[grafico-balanco-horizonte]]");
const QString kEnd = QStringLiteral("</body></html>");

std::vector<horizon::ScenarioRun> handMadeRuns()
{
    return {testing::handMadeRun(QStringLiteral("Base"), 0),
            testing::handMadeRun(QStringLiteral("Alto"), 2),
            testing::failedRun(QStringLiteral("Sem contagens"))};
}

Study withHorizon(Study study)
{
    study.horizon = horizon::newHorizon(study, 2026);
    return study;
}

// What the report adds for the balance: everything after the report without it.
QString chapterOf(const Study &study, const std::vector<horizon::ScenarioRun> &runs = {})
{
    Study without = study;
    without.balance.reset();
    const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current);
    const QString before = SummaryReport::reportHtml(without, summary, runs);
    const QString with = SummaryReport::reportHtml(study, summary, runs);
    if (!with.startsWith(before.chopped(kEnd.size())))
        return QStringLiteral("<the pages before the chapter changed>");
    return with.mid(before.size() - kEnd.size());
}

// Every text a table of core holds, as the page prints it.
template <typename Fill> QStringList tableTexts(int columns, Fill fill)
{
    CellTable table(columns, 16, 16, true);
    fill(table);
    QStringList texts;
    for (int r = 0; r < table.storedRows(); ++r)
        for (int c = 0; c < columns; ++c)
            if (!table.cell(c, r).isEmpty())
                texts << QString(table.cell(c, r))
                             .replace(QLatin1String("m3"), QStringLiteral("m³"))
                             .toHtmlEscaped();
    return texts;
}

// A class's name on a cell of its colour.
bool showsClass(const QString &html, StressClass stress)
{
    return html.contains(QRegularExpression(
        QStringLiteral("<td bgcolor='%1'[^>]*><span[^>]*>%2")
            .arg(stressClassColour(stress), QRegularExpression::escape(stressClassName(stress))),
        QRegularExpression::CaseInsensitiveOption));
}

int pdfPages(const QByteArray &pdf, QString *problem)
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("r.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return 0;
    file.close();
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {file.fileName()});
    if (!process.waitForStarted() || !process.waitForFinished(60000) || process.exitCode() != 0) {
        *problem = QStringLiteral("pdfinfo did not run");
        return 0;
    }
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
            .match(QString::fromUtf8(process.readAllStandardOutput()));
    return pages.captured(1).toInt();
}

QByteArray reportOf(const Study &study, const std::vector<horizon::ScenarioRun> &runs)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SummaryReport::write(buffer, study, summarizeStudy(study, SupplyScenario::Current), runs);
    return buffer.data();
}

} // namespace

class BalanceReportTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    // No balance, no chapter; with one, the chapter comes last, after the horizon's, from a new
    // page, the pages before it as they were.
    void chapterOnlyWithABalance()
    {
        Study plain = withHorizon(testing::everySectorStudy());
        const MunicipalSummary summary = summarizeStudy(plain, SupplyScenario::Current);
        const QString without = SummaryReport::reportHtml(plain, summary, handMadeRuns());
        QVERIFY(!without.contains(QStringLiteral("Balanço Hídrico")));
        QVERIFY(!without.contains(QStringLiteral("grafico-balanco")));

        Study balanced = plain;
        balanced.balance = testing::balanceStudy().balance;
        const QString chapter = chapterOf(balanced, handMadeRuns());
        QVERIFY(chapter.startsWith(QStringLiteral("<p style='margin-top: 10px; margin-bottom: "
                                                  "4px; page-break-before: always'>")));
        QVERIFY(chapter.contains(QStringLiteral("Balanço Hídrico")));
        QVERIFY(!chapter.contains(QStringLiteral("Horizonte de planejamento<")));
        QVERIFY(chapter.endsWith(kEnd));
    }

    // The series as it was read, the tables' every text, the chosen reference and the share
    // that may be granted, each ratio's class on its colour, and the charts' marks where there
    // is something to draw.
    void chapterHoldsTheBalance_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("typedFlow");
        QTest::addColumn<bool>("horizon");
        QTest::addColumn<QString>("firstMonth");
        QTest::addColumn<QStringList>("years"); // used, then left out
        const QStringList calendar{"Anos usados (29): 1971–1984, 1986–2000.",
                                   "(1): 1985 (40 de 365 dias sem dado)."};
        QTest::newRow("Q95") << "Q95"
                             << "" << false << "1" << calendar;
        QTest::newRow("Q7,10, with a horizon") << "Q7,10"
                                               << "" << true << "1" << calendar;
        // The days of a hydrological year before the series begins or after it ends count as
        // missing: October to December 1970, and January to September 2001.
        QTest::newRow("QMLT, years from October")
            << "QMLT"
            << "" << false << "10"
            << QStringList{"Anos hidrológicos, a partir de outubro.",
                           "Anos usados (28): 1971/72–1983/84, 1985/86–1999/00.",
                           "1970/71 (92 de 365 dias sem dado); 1984/85 (40 de 365 dias sem "
                           "dado); 2000/01 (273 de 365 dias sem dado)."};
        QTest::newRow("typed, no series, with a horizon") << "digitada"
                                                          << "3.5" << true << "1" << QStringList();
    }
    void chapterHoldsTheBalance()
    {
        QFETCH(QString, reference);
        QFETCH(QString, typedFlow);
        QFETCH(bool, horizon);
        QFETCH(QString, firstMonth);
        QFETCH(QStringList, years);
        Study study = testing::balanceStudy(reference, QStringLiteral("40"), typedFlow);
        study.balance->firstMonth = firstMonth;
        const std::vector<horizon::ScenarioRun> runs =
            horizon ? handMadeRuns() : std::vector<horizon::ScenarioRun>();
        const QString chapter = chapterOf(study, runs);
        const WaterBalance balance =
            computeBalance(study, summarizeStudy(study, SupplyScenario::Current));
        QVERIFY2(balance.computed(), qPrintable(balance.problem));
        QVERIFY(!chapter.contains(QStringLiteral("O balanço não pôde ser calculado")));

        QStringList texts =
            tableTexts(kReferenceFlowColumns,
                       [&](CellTable &t) { fillReferenceFlowTable(t, balance); }) +
            tableTexts(kRatioColumns, [&](CellTable &t) { fillRatioTable(t, balance); }) +
            tableTexts(kMonthColumns, [&](CellTable &t) { fillMonthTable(t, balance); });
        const bool series = typedFlow.isEmpty();
        if (series) {
            texts += tableTexts(kFitColumns, [&](CellTable &t) { fillFitTable(t, balance); });
            texts << QStringLiteral("56110000 - RIO CLARO EM ÁGUAS CLARAS")
                  << QStringLiteral("01/01/1971 a 31/12/2000")
                  << QStringLiteral("vazoes_56110000.csv") << years;
        } else {
            texts << QStringLiteral("Sem série de vazões");
        }
        texts << QStringLiteral("Fração outorgável: 40,0 %; vazão outorgável: ")
              << QStringLiteral("Vazão de referência escolhida: %1").arg(balance.referenceName);
        QVERIFY(texts.size() > 40);
        for (const QString &text : texts)
            QVERIFY2(chapter.contains(text), qPrintable(text));

        for (const Ratio &ratio : {balance.meanDay, balance.peakDay})
            QVERIFY2(showsClass(chapter, ratio.stress), qPrintable(stressClassName(ratio.stress)));
        for (const MonthBalance &month : balance.months)
            QVERIFY(showsClass(chapter, month.ofReference.stress));
        // A demand beyond what may be granted is said in words too.
        QCOMPARE(chapter.contains(QStringLiteral("excede a vazão outorgável")),
                 balance.peakDay.grantUse > 100);
        // The legend names every class with its range.
        for (StressClass stress : kStressClasses)
            QVERIFY(chapter.contains(stressClassRange(stress).toHtmlEscaped()));

        QCOMPARE(chapter.contains(kDurationMark), series);
        QCOMPARE(chapter.contains(kMinimaMark), series);
        QVERIFY(chapter.contains(kMonthsMark));
        QCOMPARE(chapter.contains(kHorizonMark), horizon);
        if (!horizon)
            return;
        const std::vector<ScenarioBalance> scenarios = horizonBalance(runs, balance);
        QCOMPARE(scenarios.size(), runs.size());
        for (const ScenarioBalance &scenario : scenarios) {
            const QString row =
                chapter.section(QStringLiteral("<tr><td>%1</td>").arg(scenario.name), 1)
                    .section(QStringLiteral("</tr>"), 0, 0);
            QVERIFY2(!row.isEmpty(), qPrintable(scenario.name));
            if (scenario.years.empty()) {
                QVERIFY(row.contains(scenario.problem.toHtmlEscaped()));
                continue;
            }
            QVERIFY(showsClass(row, scenario.years.back().meanDay.stress));
            QVERIFY(row.contains(scenario.firstCriticalYear
                                     ? QString::number(*scenario.firstCriticalYear)
                                     : QStringLiteral("nenhum")));
        }
    }

    // The balance stands on the current supply demand, whichever the summary printed.
    void theCurrentDemandUnderAFutureSummary()
    {
        Study study = testing::balanceStudy();
        // Next year's per-capita demand 10 % above the current one.
        study.windows["TF_Abast_Publico"].fields.insert(QStringLiteral("e_p_1"),
                                                        QStringLiteral("0.05"));
        const WaterBalance current = balanceOfStudy(study);
        const MunicipalSummary nextYear = summarizeStudy(study, SupplyScenario::NextYear);
        QVERIFY(computeBalance(study, nextYear).meanDay.demand > current.meanDay.demand);
        const QString html = SummaryReport::reportHtml(study, nextYear, {});
        for (const QString &text :
             tableTexts(kRatioColumns, [&](CellTable &t) { fillRatioTable(t, current); }))
            QVERIFY2(html.contains(text), qPrintable(text));
    }

    // A balance that cannot be computed says why, and prints what the river's series gives:
    // its reference flows and the charts of the series, never a ratio.
    void aProblemIsPrinted_data()
    {
        QTest::addColumn<Study>("study");
        QTest::addColumn<bool>("riverFigures");
        Study shortSeries = testing::balanceStudy(QStringLiteral("Q7,10"));
        shortSeries.balance->series = testing::seasonalRiver(1990, 6);
        QTest::newRow("grant share out of range")
            << testing::balanceStudy(QStringLiteral("Q95"), QStringLiteral("120")) << true;
        QTest::newRow("too few years for Q7,10") << shortSeries << true;
        Study noFlow = testing::balanceStudy(QStringLiteral("digitada"), QStringLiteral("50"),
                                             QStringLiteral("x"));
        noFlow.balance->typedFlow.clear();
        QTest::newRow("typed reference left empty") << noFlow << false;
    }
    void aProblemIsPrinted()
    {
        QFETCH(Study, study);
        QFETCH(bool, riverFigures);
        const WaterBalance balance =
            computeBalance(study, summarizeStudy(study, SupplyScenario::Current));
        QVERIFY(!balance.computed());
        const QString chapter = chapterOf(study, handMadeRuns());
        QVERIFY2(chapter.contains(balance.problem.toHtmlEscaped()), qPrintable(balance.problem));
        QVERIFY(chapter.contains(QStringLiteral("color:#a00000")));
        QCOMPARE(chapter.contains(kDurationMark), riverFigures);
        QCOMPARE(chapter.contains(kMinimaMark), riverFigures);
        QVERIFY(!chapter.contains(kMonthsMark));
        QVERIFY(!chapter.contains(kHorizonMark));
        QVERIFY(!chapter.contains(QStringLiteral("Dia médio")));
        if (riverFigures)
            for (const QString &text : tableTexts(kReferenceFlowColumns, [&](CellTable &t) {
                     fillReferenceFlowTable(t, balance);
                 }))
                QVERIFY2(chapter.contains(text), qPrintable(text));
    }

    // The PDF is written with the chapter's pages added: its tables, the classes and the
    // charts' labels drawn, within the page's width.
    void thePdfGainsTheChapter()
    {
        // The river of the window's screenshots, storms, recessions, gaps and all.
        Study study = withHorizon(testing::balanceStudy());
        study.balance->series = RiverSeries::flowSeries();
        Study without = study;
        without.balance.reset();
        QString problem;
        const QByteArray with = reportOf(study, handMadeRuns());
        const int pagesWith = pdfPages(with, &problem);
        const int pagesWithout = pdfPages(reportOf(without, handMadeRuns()), &problem);
        if (!problem.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY2(pagesWith >= pagesWithout + 2,
                 qPrintable(QStringLiteral("%1 against %2").arg(pagesWith).arg(pagesWithout)));
        // To look at the pages: the report of the study's own horizon.
        if (qEnvironmentVariableIsSet("TAVI_BALANCE_REPORT")) {
            QFile kept(qEnvironmentVariable("TAVI_BALANCE_REPORT"));
            QVERIFY(kept.open(QIODevice::WriteOnly));
            SummaryReport::write(kept, study, summarizeStudy(study, SupplyScenario::Current));
        }

        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("balanco.pdf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(with);
        file.close();
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(pagesWithout + 1),
                    QStringLiteral("-bbox"), file.fileName(), QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        const QString boxes = QString::fromUtf8(text.readAllStandardOutput());
        const QRegularExpression word(
            QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" "
                           "xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]+)<"));
        QStringList words;
        for (auto m = word.globalMatch(boxes); m.hasNext();) {
            const QRegularExpressionMatch box = m.next();
            words << box.captured(3);
            QVERIFY2(box.captured(1).toDouble() >= 42 && box.captured(2).toDouble() <= 553.5,
                     qPrintable(box.captured(3)));
        }
        const WaterBalance balance =
            computeBalance(study, summarizeStudy(study, SupplyScenario::Current));
        for (const QString &whole :
             {QStringLiteral("Hídrico"), QStringLiteral("Q7,10"), QStringLiteral("outorgável"),
              QStringLiteral("Weibull"), QStringLiteral("Excelente"), QStringLiteral("Crítica"),
              stressClassName(balance.meanDay.stress).section(QLatin1Char(' '), 0, 0)})
            QVERIFY2(words.contains(whole), qPrintable(whole));
    }
};

QTEST_MAIN(BalanceReportTest)
#include "tst_balance_report.moc"
