// The horizon's charts and the report's chapter on it: the chapter only for a study with a
// horizon, everything before it as it was; what each scenario sets; the year tables within the
// page; the charts drawn from the runs, a failure left out, years written as years.
#include "support/HorizonRuns.h"
#include "support/SummaryStudies.h"
#include "support/WindowTesting.h"

#include "core/horizon/HorizonDrivers.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "frame/ChartAxes.h"
#include "models/U_Horizonte/HorizonCharts.h"
#include "models/U_Resumo_Municipio/SummaryReport.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tavi;
using namespace tavi::horizon;

namespace
{

QString poppler(const QString &tool, const QStringList &arguments, QString *problem)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(60000) || process.exitCode() != 0) {
        *problem = tool + QStringLiteral(" did not run");
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

Study horizonStudy()
{
    Study study = testing::everySectorStudy();
    StudyHorizon horizon = newHorizon(study, 2026);
    Scenario target{QStringLiteral("Tendencial"), {}};
    target.inputs.drivers.insert(QString(keys::kCoverageTarget), QStringLiteral("95.5"));
    target.inputs.windows[QStringLiteral("TF_Mod_Pecuaria")].fields.insert(
        QStringLiteral("e_qte_bovino"), QStringLiteral("15000"));
    horizon.scenarios.push_back(target);
    study.horizon = horizon;
    return study;
}

std::vector<ScenarioRun> handMadeRuns()
{
    return {testing::handMadeRun(QStringLiteral("Base"), 0),
            testing::withSectorFailed(testing::handMadeRun(QStringLiteral("Tendencial"), 1),
                                      AgricultureSector)};
}

QStringList xLabels(QChartView *view)
{
    return ChartAxes::labels(view->chart()->axes(Qt::Horizontal).value(0));
}

} // namespace

class HorizonReportTest : public QObject
{
    Q_OBJECT

    const Study m_study = horizonStudy();

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    // A study without a horizon prints as it always has; with one, the same pages come first,
    // unchanged, and the chapter after them.
    void chapterOnlyWithAHorizon()
    {
        Study plain = m_study;
        plain.horizon.reset();
        const MunicipalSummary summary = summarizeStudy(plain, SupplyScenario::Current);
        const QString before = SummaryReport::reportHtml(plain, summary);
        QCOMPARE(SummaryReport::reportHtml(plain, summary, handMadeRuns()), before);
        QVERIFY(!before.contains(QStringLiteral("Horizonte de planejamento")));

        const QString with = SummaryReport::reportHtml(m_study, summary, handMadeRuns());
        const QString end = QStringLiteral("</body></html>");
        QVERIFY(with.startsWith(before.chopped(end.size())));
        const QString chapter = with.mid(before.size() - end.size());
        QVERIFY(chapter.contains(QStringLiteral("page-break-before")));
        QVERIFY(chapter.contains(QStringLiteral("Horizonte de planejamento")));
        // What the other scenario sets, as the reader knows it, in the user's numbers.
        QVERIFY2(chapter.contains(QStringLiteral("Cobertura-alvo (%): 95,5")), qPrintable(chapter));
        QVERIFY(chapter.contains(QStringLiteral("Pecuária: Número de cabeças")));
        QVERIFY(chapter.contains(QStringLiteral("Geométrico")));
        // The failed sector said in its scenario, every scenario's sector chart but none
        // for a failed one, and the chart of the totals.
        QVERIFY(chapter.contains(handMadeRuns()[1].errors[AgricultureSector].toHtmlEscaped()));
        QVERIFY(chapter.contains(QStringLiteral("[[grafico-horizonte-setores-0]]")));
        QVERIFY(chapter.contains(QStringLiteral("[[grafico-horizonte-setores-1]]")));
        QVERIFY(chapter.contains(QStringLiteral("[[grafico-horizonte-totais]]")));
        std::vector<ScenarioRun> failed = handMadeRuns();
        failed[1] = testing::failedRun(QStringLiteral("Tendencial"));
        const QString withFailure = SummaryReport::reportHtml(m_study, summary, failed);
        QVERIFY(!withFailure.contains(QStringLiteral("[[grafico-horizonte-setores-1]]")));
        QVERIFY(withFailure.contains(failed[1].problem.toHtmlEscaped()));
    }

    // The chapter's pages: its tables within the page's width, the charts drawn as vectors,
    // and one more page at least than the summary alone.
    void chapterPagesFitThePage()
    {
        const MunicipalSummary summary = summarizeStudy(m_study, SupplyScenario::Current);
        QTemporaryDir folder;
        const QString path = folder.filePath("horizonte.pdf");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        SummaryReport::write(file, m_study, summary, handMadeRuns());
        file.close();
        QString problem;
        const QString boxes = poppler("pdftotext", {"-bbox", path, "-"}, &problem);
        if (boxes.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY(boxes.contains(QStringLiteral(">Horizonte<")));
        // A4 is 595 points wide; the margins are 15 mm, about 42.5 points.
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
        QVERIFY(words.size() > 500);
        // Every heading drawn (text after the summary's charts once went missing), and none of
        // the narrow columns' heading words broken.
        for (const char *whole : {"Projeção", "Direcionadores", "Comparação", "Tendencial",
                                  "Abastecimento", "Agricultura", "atendida"})
            QVERIFY2(words.contains(QString::fromUtf8(whole)), whole);
        const QString images = poppler("pdfimages", {"-list", path}, &problem);
        QCOMPARE(images.trimmed().split(QLatin1Char('\n')).size(), 2); // the list's headings
    }

    // The sectors stacked over the years in hm3/ano, a failed sector left out; a scenario not
    // computed draws nothing.
    void sectorsChart_data()
    {
        QTest::addColumn<int>("failedSector"); // -1: none, 3: the whole scenario
        QTest::addColumn<int>("bands");
        QTest::newRow("every sector") << -1 << 3;
        QTest::newRow("livestock failed") << int(LivestockSector) << 2;
        QTest::newRow("scenario not computed") << 3 << 0;
    }
    void sectorsChart()
    {
        QFETCH(int, failedSector);
        QFETCH(int, bands);
        ScenarioRun run = testing::handMadeRun(QStringLiteral("Tendencial"), 1);
        if (failedSector == 3)
            run = testing::failedRun(run.name);
        else if (failedSector >= 0)
            run = testing::withSectorFailed(run, failedSector);
        std::unique_ptr<QChartView> view(makeHorizonSectorsChart(run, nullptr));
        const QList<QAbstractSeries *> series = view->chart()->series();
        QCOMPARE(series.size(), bands);
        QVERIFY(view->chart()->title().contains(QStringLiteral("Tendencial")));
        if (bands == 0)
            return;
        auto *top = qobject_cast<QAreaSeries *>(series.last());
        QVERIFY(top);
        const QPointF last = top->upperSeries()->points().last();
        QCOMPARE(last.x(), 2046.0);
        QCOMPARE(last.y(), double(run.years.back().total.annual / 1e6L));
        if (failedSector >= 0)
            for (QAbstractSeries *band : series)
                QVERIFY(band->name() != summarySectorName(failedSector));
        QCOMPARE(view->chart()->axes(Qt::Vertical).value(0)->titleText(),
                 QStringLiteral("hm³/ano"));
    }

    // Every computed scenario's total a line, the base the widest; one not computed left out.
    void totalsChart()
    {
        std::vector<ScenarioRun> runs = handMadeRuns();
        runs.push_back(testing::failedRun(QStringLiteral("Sem contagens")));
        runs.push_back(testing::handMadeRun(QStringLiteral("Meta"), 2));
        std::unique_ptr<QChartView> view(makeScenarioTotalsChart(runs, nullptr));
        QStringList names;
        for (QAbstractSeries *series : view->chart()->series())
            names << series->name();
        QCOMPARE(names.size(), 3);
        QCOMPARE(names[0], QStringLiteral("Base"));
        QVERIFY(names[1].startsWith(QStringLiteral("Tendencial")));
        QCOMPARE(names[2], QStringLiteral("Meta"));
        const auto *base = qobject_cast<QLineSeries *>(view->chart()->series()[0]);
        const auto *meta = qobject_cast<QLineSeries *>(view->chart()->series()[2]);
        QVERIFY(base->pen().widthF() > meta->pen().widthF());
        QCOMPARE(meta->points()[5].y(), double(runs[3].years[5].total.annual / 1e6L));
    }

    // Years are labelled as years, never grouped as thousands; the final year always.
    void yearsAsYears_data()
    {
        QTest::addColumn<int>("years");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("5 years") << 5 << QStringList{"2026", "2027", "2028", "2029", "2030"};
        QTest::newRow("21 years") << 21 << QStringList{"2026", "2031", "2036", "2041", "2046"};
        QTest::newRow("24 years, the last apart")
            << 24 << QStringList{"2026", "2031", "2036", "2041", "2046", "2049"};
        QTest::newRow("23 years, the last too near")
            << 23 << QStringList{"2026", "2031", "2036", "2041", "2048"};
        QTest::newRow("51 years") << 51
                                  << QStringList{"2026", "2036", "2046", "2056", "2066", "2076"};
    }
    void yearsAsYears()
    {
        QFETCH(int, years);
        QFETCH(QStringList, labels);
        const ScenarioRun run = testing::handMadeRun(QStringLiteral("Base"), 0, 2026, years);
        std::unique_ptr<QChartView> sectors(makeHorizonSectorsChart(run, nullptr));
        std::unique_ptr<QChartView> totals(makeScenarioTotalsChart({run}, nullptr));
        QCOMPARE(xLabels(sectors.get()), labels);
        QCOMPARE(xLabels(totals.get()), labels);
    }
};

QTEST_MAIN(HorizonReportTest)
#include "tst_horizon_report.moc"
