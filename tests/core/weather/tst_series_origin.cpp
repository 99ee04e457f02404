#include "core/weather/SeriesMonths.h"
#include "core/weather/SeriesOrigin.h"

#include <QTest>

using namespace tavi;

namespace
{

SeriesOrigin station(const QString &year = QStringLiteral("2023"))
{
    SeriesOrigin origin;
    origin.station = QStringLiteral("SAO PAULO - MIRANTE");
    origin.code = QStringLiteral("A701");
    origin.year = year;
    origin.methods = QStringLiteral("Penman–Monteith (353 dias), Hargreaves–Samani (13 dias)");
    return origin;
}

std::set<int> days(int first, int last)
{
    std::set<int> out;
    for (int d = first; d <= last; ++d)
        out.insert(d);
    return out;
}

} // namespace

class SeriesOriginTest : public QObject
{
    Q_OBJECT

private slots:
    void dayListsRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("written");
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("one day") << "7" << 1 << "7";
        QTest::newRow("ranges") << "3,17,100-120" << 23 << "3,17,100-120";
        QTest::newRow("joined") << "1,2,3,5" << 4 << "1-3,5";
        QTest::newRow("unordered, repeated") << "9,8,8-9" << 2 << "8-9";
        // Typed by hand into a file: what is not a day of the series is passed over.
        QTest::newRow("beyond the year") << "365-400,0,-5" << 2 << "365-366";
        QTest::newRow("garbage") << "abc,4-x,1-2-3, 6 " << 1 << "6";
    }
    void dayListsRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, written);
        const std::set<int> list = dayList(text);
        QCOMPARE(int(list.size()), count);
        QCOMPARE(dayListText(list), written);
    }

    // A few days changed by hand keep the station; more than half of the days' ETP, or of
    // their P, replaced, and the line says the series was typed or pasted, naming the station
    // only as what came before.
    void lineFollowsTheEdits_data()
    {
        QTest::addColumn<int>("etpDays"); // days 1..etpDays edited in ETP
        QTest::addColumn<int>("rainDays");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QString>("line");
        const QString filled = QStringLiteral("Série: A701 SAO PAULO - MIRANTE, 2023, "
                                              "Penman–Monteith (353 dias), Hargreaves–Samani "
                                              "(13 dias)");
        QTest::newRow("as filled") << 0 << 0 << false << filled;
        QTest::newRow("one day") << 1 << 0 << false << filled + ", editada à mão em 1 dia";
        QTest::newRow("ETP and P of the same days count once")
            << 3 << 3 << false << filled + ", editada à mão em 3 dias";
        QTest::newRow("half of the days")
            << 183 << 0 << false << filled + ", editada à mão em 183 dias";
        QTest::newRow("more than half of P")
            << 0 << 184 << true << "Série: digitada/colada (antes: A701 SAO PAULO - MIRANTE, 2023)";
        QTest::newRow("a whole year pasted")
            << 366 << 366 << true
            << "Série: digitada/colada (antes: A701 SAO PAULO - MIRANTE, 2023)";
    }
    void lineFollowsTheEdits()
    {
        QFETCH(int, etpDays);
        QFETCH(int, rainDays);
        QFETCH(bool, replaced);
        QFETCH(QString, line);
        SeriesOrigin origin = station();
        markEditedDays(origin, days(1, etpDays), days(1, rainDays));
        QCOMPARE(isReplaced(origin), replaced);
        QCOMPARE(seriesOriginLine(origin), line);
    }

    // The choices of the import are told in the user's words; a series filled before they
    // were kept tells none, and its line is as it was.
    void choicesAndFilledDaysAreTold()
    {
        SeriesOrigin origin = station();
        QCOMPARE(seriesOriginChoices(origin), QString());
        const QString before = seriesOriginLine(origin);
        origin.method = QStringLiteral("Penman–Monteith (FAO-56)");
        origin.location = QStringLiteral("litoral (0,19)");
        origin.etpFill = QStringLiteral("vazio");
        origin.rainFill = QStringLiteral("0 (sem chuva)");
        QCOMPARE(seriesOriginChoices(origin),
                 QStringLiteral("Penman–Monteith (FAO-56), local litoral (0,19); dias sem ETo: "
                                "vazio; dias sem chuva: 0 (sem chuva)"));
        QCOMPARE(seriesOriginLine(origin), before);
        origin.filledRainDays = QStringLiteral("20-39");
        QCOMPARE(seriesOriginLine(origin),
                 before + QStringLiteral(", chuva 0 em 20 dias sem registro"));
    }

    void editsAddUp()
    {
        SeriesOrigin origin = station();
        markEditedDays(origin, {5, 6}, {});
        markEditedDays(origin, {6, 7}, {200});
        QCOMPARE(origin.editedEtpDays, QStringLiteral("5-7"));
        QCOMPARE(origin.editedRainDays, QStringLiteral("200"));
        QCOMPARE(editedDayCount(origin), 4);
    }

    // Months of the series' year: a station's leap year (the driest year of several too) has a
    // February of 29 days and no day apart; a common year, a mean year, a replaced series or
    // one typed by hand leave day 366 apart.
    void months_data()
    {
        QTest::addColumn<QString>("year"); // "-": no origin
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<int>("february");
        QTest::addColumn<int>("septemberFirst");
        QTest::addColumn<bool>("day366Apart");
        QTest::newRow("typed") << "-" << false << 28 << 244 << true;
        QTest::newRow("2023") << "2023" << false << 28 << 244 << true;
        QTest::newRow("2024") << "2024" << false << 29 << 245 << false;
        QTest::newRow("2000") << "2000" << false << 29 << 245 << false;
        QTest::newRow("1900") << "1900" << false << 28 << 244 << true;
        QTest::newRow("2024 replaced") << "2024" << true << 28 << 244 << true;
        QTest::newRow("year unreadable") << "dois mil" << false << 28 << 244 << true;
        QTest::newRow("driest, a leap year")
            << "ano mais seco, 2024|2024" << false << 29 << 245 << false;
        QTest::newRow("mean of leap years")
            << "ano médio de 2020, 2024|2020,2024" << false << 28 << 244 << true;
    }
    void months()
    {
        QFETCH(QString, year);
        QFETCH(bool, replaced);
        QFETCH(int, february);
        QFETCH(int, septemberFirst);
        QFETCH(bool, day366Apart);
        std::optional<SeriesOrigin> origin;
        if (year != QLatin1String("-")) {
            origin = station(year.section(QLatin1Char('|'), 0, 0));
            origin->years = year.section(QLatin1Char('|'), 1);
            if (replaced)
                markEditedDays(*origin, days(1, 366), {});
        }
        const std::vector<DaySpan> spans = seriesMonths(origin);
        QCOMPARE(hasDay366Apart(spans), day366Apart);
        QCOMPARE(int(spans.size()), day366Apart ? 13 : 12);
        QCOMPARE(spans[1].label, QStringLiteral("Fev"));
        QCOMPARE(spans[1].lastDay - spans[1].firstDay + 1, february);
        QCOMPARE(spans[8].label, QStringLiteral("Set"));
        QCOMPARE(spans[8].firstDay, septemberFirst);
        QCOMPARE(spans[11].lastDay, day366Apart ? 365 : 366);
        // The spans cover days 1 to 366, each once.
        int next = 1;
        for (const DaySpan &span : spans) {
            QCOMPARE(span.firstDay, next);
            next = span.lastDay + 1;
        }
        QCOMPARE(next, 367);
        if (day366Apart)
            QCOMPARE(spans.back().label, QStringLiteral("Dia 366"));
    }

    void spanSumsAddEachSpansDays()
    {
        std::vector<long double> daily(366);
        for (int d = 1; d <= 366; ++d)
            daily[std::size_t(d - 1)] = d;
        const std::vector<DaySpan> spans = seriesMonths(std::nullopt);
        const std::vector<long double> sums = spanSums(daily, spans);
        QCOMPARE(double(sums[0]), 31.0 * 32 / 2);
        // September of a common year: days 244 to 273.
        QCOMPARE(double(sums[8]), (244.0 + 273) * 30 / 2);
        QCOMPARE(double(sums[12]), 366.0);
    }
};

QTEST_GUILESS_MAIN(SeriesOriginTest)
#include "tst_series_origin.moc"
