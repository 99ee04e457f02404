// Every chart of the program writes its numbers with the separators of the locale it runs
// under, read once at start: the result window's, the workbook window's, the summary's (which
// the printed report draws too) and the station dialog's. Registered under pt_BR, en_US,
// de_DE and ar_EG, whose "٫" no locale of Qt's writes beside Latin digits.
#include "core/base/LocaleSettings.h"
#include "core/numbers/NumberText.h"
#include "core/summary/MunicipalSummary.h"
#include "core/workbook/Workbook.h"
#include "core/workbook/WorkbookRange.h"
#include "export/ChartSheetView.h"
#include "export/ResultChartDialog.h"
#include "frame/ChartAxes.h"
#include "models/U_Mod_Agricultura/StationYearChart.h"
#include "models/U_Resumo_Municipio/SummaryCharts.h"

#include <QChart>
#include <QChartView>
#include <QLocale>
#include <QPieSeries>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using tavi::LocaleSettings;

namespace
{

// A number as the user's settings write it: grouped thousands, and places after the decimal
// separator if any.
QRegularExpression localeNumber()
{
    const LocaleSettings &locale = LocaleSettings::current();
    return QRegularExpression(QStringLiteral("^-?\\d{1,3}(%1\\d{3})*(%2\\d+)?$")
                                  .arg(QRegularExpression::escape(locale.thousandSeparator),
                                       QRegularExpression::escape(locale.decimalSeparator)));
}

// Values that only an axis with decimal places can tell apart: 0,2 to 2,3.
double smallValue(int i)
{
    return 0.2 + 0.1 * (i % 22);
}

} // namespace

class ChartNumbersTest : public QObject
{
    Q_OBJECT

    // Every label of the chart's value axes reads as a number in the user's settings, and
    // some carry the decimal separator.
    void checkValueAxes(QChart *chart)
    {
        const QRegularExpression number = localeNumber();
        const QList<QAbstractAxis *> axes = chart->axes(Qt::Vertical);
        QVERIFY(!axes.isEmpty());
        for (QAbstractAxis *axis : axes) {
            const QStringList labels = ChartAxes::labels(axis);
            QVERIFY2(labels.size() >= 2, qPrintable(axis->titleText()));
            for (const QString &label : labels)
                QVERIFY2(number.match(label).hasMatch(), qPrintable(label));
            QVERIFY2(labels.join(QString()).contains(LocaleSettings::current().decimalSeparator),
                     qPrintable(labels.join(QStringLiteral(" | "))));
        }
        for (const QString &label : ChartAxes::labels(chart->axes(Qt::Horizontal).value(0)))
            QVERIFY2(number.match(label).hasMatch(), qPrintable(label));
    }

private slots:
    // The settings are the environment's: under ar_EG the Arabic separators.
    void initTestCase()
    {
        if (QLocale::system().name() == QLatin1String("ar_EG")) {
            QCOMPARE(LocaleSettings::current().decimalSeparator, QChar(0x066B));
            QCOMPARE(LocaleSettings::current().thousandSeparator, QChar(0x066C));
        }
    }

    void resultChart()
    {
        tavi::ResultChart chart;
        chart.title = QStringLiteral("Vazão acumulada");
        chart.xTitle = QStringLiteral("Ponto");
        chart.yTitle = QStringLiteral("Vazão (m³/s)");
        tavi::ChartLine line{QStringLiteral("Qind.n"), {}};
        for (int i = 0; i < 30; ++i)
            line.values.push_back(smallValue(i));
        chart.lines.push_back(line);
        ResultChartDialog dialog(chart);
        checkValueAxes(dialog.chartView()->chart());
    }

    void workbookChart()
    {
        tavi::Workbook book;
        for (int row = 1; row <= 40; ++row)
            book.worksheet(1).setEntry(row, 2, tavi::formatGeneral(smallValue(row)));
        tavi::WorkbookChart chart;
        chart.setSeriesValues(1, tavi::parseRangeReference("Plan1", "B1:B40"));
        std::unique_ptr<QChartView> view(makeChartView(book, chart));
        checkValueAxes(view->chart());
    }

    // The summary's charts in the window and in the report: the daily demand's axis, and the
    // shares beside the pie.
    void summaryCharts()
    {
        tavi::MunicipalSummary summary;
        for (tavi::SectorSeries &sector : summary.sectors) {
            for (int day = 0; day < tavi::kSummaryDays; ++day)
                sector.daily.push_back(smallValue(day) / 3);
            sector.annual = 100;
        }
        summary.shares = {50, 25.5L, 24.5L};
        std::unique_ptr<QChartView> daily(makeDailyDemandChart(summary, nullptr));
        checkValueAxes(daily->chart());

        std::unique_ptr<QChartView> shares(makeAnnualSharesChart(summary, nullptr));
        auto *pie = qobject_cast<QPieSeries *>(shares->chart()->series().value(0));
        QVERIFY(pie);
        QCOMPARE(pie->slices().value(1)->label(), QStringLiteral("Pecuária (25") +
                                                      LocaleSettings::current().decimalSeparator +
                                                      QStringLiteral("5%)"));
    }

    // A sector whose volume lies beyond a double's range (1E4000 litres per head typed by
    // mistake) still gets its slice, sized by its share, beside the others.
    void sharesBeyondADouble()
    {
        tavi::MunicipalSummary summary;
        for (tavi::SectorSeries &sector : summary.sectors)
            sector.annual = 100;
        summary.sectors[tavi::LivestockSector].annual = 1e4000L;
        summary.shares = {0, 100, 0};
        std::unique_ptr<QChartView> shares(makeAnnualSharesChart(summary, nullptr));
        auto *pie = qobject_cast<QPieSeries *>(shares->chart()->series().value(0));
        QVERIFY(pie);
        QCOMPARE(pie->count(), 3);
        QCOMPARE(pie->slices().value(1)->percentage(), 1.0);
    }

    void stationYearChart()
    {
        std::vector<tavi::eto::YearDay> days(366);
        for (int d = 0; d < 366; ++d)
            days[std::size_t(d)] = {tavi::eto::Method::HargreavesSamani, smallValue(d) / 3,
                                    smallValue(d) / 2};
        StationYearChart chart;
        chart.showYear(days, 365);
        checkValueAxes(chart.chart());
    }
};

QTEST_MAIN(ChartNumbersTest)
#include "tst_chart_numbers.moc"
