// Each calendar month's own flow-duration curve: a synthetic series whose every day's flow is
// known, its months' Q95 against a ranking done here; months with too many days missing left
// out of their month's curve; too few complete months giving no curve.
#include "core/flows/MonthlyFlows.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using namespace tavi::flows;

namespace
{

// Distinct in every day: the month in the hundreds, the day in the units, the year in the
// thousandths.
long double flowOn(const QDate &date)
{
    return date.month() * 100 + date.day() + (date.year() - 1980) * 0.001L;
}

FlowSeries knownSeries(const QDate &first, const QDate &last)
{
    FlowSeries series;
    series.first = first;
    for (QDate d = first; d <= last; d = d.addDays(1))
        series.days.push_back(flowOn(d));
    return series;
}

// Q95 by the Weibull plotting position, done here from scratch: the flows largest first, the
// m-th at m / (n + 1); 95 % falls at rank 0.95 (n + 1), between two ranks.
long double q95Of(std::vector<long double> flows)
{
    std::sort(flows.begin(), flows.end(), std::greater<long double>());
    const long double rank = 0.95L * (flows.size() + 1);
    const std::size_t below = std::size_t(std::floor(rank));
    const long double share = rank - below;
    return flows[below - 1] + share * (flows[below] - flows[below - 1]);
}

// The flows of every `month` of the series, the days in `left` left out.
std::vector<long double> flowsOfMonth(const FlowSeries &series, int month,
                                      const std::vector<QDate> &left)
{
    std::vector<long double> flows;
    for (std::size_t i = 0; i < series.days.size(); ++i) {
        const QDate date = series.first.addDays(qint64(i));
        if (date.month() == month && series.days[i] &&
            std::find(left.begin(), left.end(), date) == left.end())
            flows.push_back(*series.days[i]);
    }
    return flows;
}

void blank(FlowSeries &series, const QDate &date)
{
    series.days[std::size_t(series.first.daysTo(date))].reset();
}

} // namespace

class MonthlyFlowsTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeMonthsGiveTheirQ95()
    {
        const FlowSeries series = knownSeries(QDate(1990, 1, 1), QDate(1997, 12, 31));
        const std::array<MonthFlows, 12> months = monthlyFlows(series);
        for (int m = 1; m <= 12; ++m) {
            const MonthFlows &month = months[std::size_t(m - 1)];
            QCOMPARE(month.completeMonths, 8);
            QVERIFY(month.q95);
            const long double expected = q95Of(flowsOfMonth(series, m, {}));
            QVERIFY2(std::fabs(*month.q95 - expected) < 1e-12L,
                     qPrintable(QStringLiteral("month %1: %2 against %3")
                                    .arg(m)
                                    .arg(double(*month.q95))
                                    .arg(double(expected))));
            // The month's curve is its own: its Q95 lies among its own days' flows.
            QVERIFY(*month.q95 > m * 100 && *month.q95 < m * 100 + 32);
        }
        // February of a leap year brings its 29th day.
        QCOMPARE(flowsOfMonth(series, 2, {}).size(), std::size_t(8 * 28 + 2));
    }

    // A month with more than 5 % of its days missing is left out whole, its days with values
    // too; one day missing in 31 (3.2 %) keeps the month, without that day.
    void monthsWithGapsLeftOut_data()
    {
        QTest::addColumn<int>("missingDays"); // in January 1993, from the 10th
        QTest::addColumn<int>("complete");
        QTest::newRow("one day missing") << 1 << 8;
        QTest::newRow("two days missing") << 2 << 7;
        QTest::newRow("the whole month") << 31 << 7;
    }
    void monthsWithGapsLeftOut()
    {
        QFETCH(int, missingDays);
        QFETCH(int, complete);
        FlowSeries series = knownSeries(QDate(1990, 1, 1), QDate(1997, 12, 31));
        std::vector<QDate> left;
        for (int d = 0; d < missingDays; ++d) {
            const QDate date = QDate(1993, 1, 1).addDays(9 + d);
            if (date.month() != 1)
                break;
            blank(series, date);
        }
        if (complete < 8)
            for (int d = 1; d <= 31; ++d)
                left.push_back(QDate(1993, 1, d));
        const std::array<MonthFlows, 12> months = monthlyFlows(series);
        QCOMPARE(months[0].completeMonths, complete);
        QVERIFY(std::fabs(*months[0].q95 - q95Of(flowsOfMonth(series, 1, left))) < 1e-12L);
        QCOMPARE(months[1].completeMonths, 8);
    }

    // A series that starts mid-month and stops mid-month: its first and last months are not
    // complete, so March has 4 complete months and no curve, while April has 5 and one.
    void tooFewCompleteMonths()
    {
        const FlowSeries series = knownSeries(QDate(1990, 3, 15), QDate(1995, 3, 10));
        const std::array<MonthFlows, 12> months = monthlyFlows(series);
        QCOMPARE(months[2].completeMonths, 4);
        QVERIFY(!months[2].q95);
        QCOMPARE(months[3].completeMonths, 5);
        QVERIFY(months[3].q95);
        QVERIFY(std::fabs(*months[3].q95 - q95Of(flowsOfMonth(series, 4, {}))) < 1e-12L);
        QCOMPARE(kFewestMonthsForCurve, 5);
    }

    void emptySeries()
    {
        const std::array<MonthFlows, 12> months = monthlyFlows(FlowSeries());
        for (const MonthFlows &month : months) {
            QCOMPARE(month.completeMonths, 0);
            QVERIFY(!month.q95);
        }
    }
};

QTEST_GUILESS_MAIN(MonthlyFlowsTest)
#include "tst_monthly_flows.moc"
