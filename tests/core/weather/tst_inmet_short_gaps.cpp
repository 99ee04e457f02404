// Short gaps in INMET hourly files filled between their neighbours: which gaps are filled and
// how, case by case on a day whose readings change linearly (so that a gap filled as it should
// be gives the whole day's figures back), and the ETo a year of realistic weather recovers
// across gaps of one or two daylight hours.
#include "core/weather/InmetStationFile.h"

#include "support/InmetDayByHand.h"

#include <QTest>
#include <cstdint>

using namespace tavi::eto;
using namespace inmet;

namespace
{

// What a case leaves out.
enum Removed { NoTemperature = 1, NoHumidity = 2, NoWind = 4, NoRadiation = 8, NoRain = 16 };

// Readings that change linearly through the day, radiation at a constant clearness index and
// the sensor's offset at night; the rain comes in uneven showers.
Hour straightHour(const QDate &day, int end)
{
    Hour h;
    h.dryBulb = 12 + 0.5 * end;
    h.tMax = h.dryBulb + 0.4;
    h.tMin = h.dryBulb - 0.6;
    h.dew = 6 + 0.2 * end;
    h.rh = 95 - 2 * end;
    h.rhMax = h.rh + 3;
    h.rhMin = h.rh - 4;
    h.wind = 0.5 + 0.2 * end;
    h.rain = end == 15 ? 2.0 : end == 16 ? 0.2 : end == 17 ? 1.0 : 0;
    const double ra = raOfLocalHour(day, end);
    h.radiation = ra > 0 ? tenths(550 * ra) : -2.0;
    return h;
}

void remove(Hour &h, int removed)
{
    if (removed & NoTemperature)
        h.dryBulb = h.tMax = h.tMin = kNaN;
    if (removed & NoHumidity)
        h.rh = h.rhMax = h.rhMin = h.dew = kNaN;
    if (removed & NoWind)
        h.wind = kNaN;
    if (removed & NoRadiation)
        h.radiation = kNaN;
    if (removed & NoRain)
        h.rain = kNaN;
}

DailyRecord dayRead(const QByteArray &file, const QDate &day)
{
    for (const DailyRecord &r : readInmetStationFile(file).days)
        if (r.date == day)
            return r;
    return {};
}

double mean(const DayHours &hours, double Hour::*field)
{
    double sum = 0;
    int n = 0;
    for (const Hour &h : hours)
        if (!std::isnan(h.*field))
            sum += h.*field, ++n;
    return sum / n;
}

double value(const std::optional<long double> &v)
{
    return v ? static_cast<double>(*v) : kNaN;
}

// A deterministic uniform number in [0, 1) for a day, an hour and a purpose.
double uniform(const QDate &day, int hour, int purpose)
{
    std::uint64_t x = std::uint64_t(day.toJulianDay()) * 1000003u + std::uint64_t(hour) * 7919u +
                      std::uint64_t(purpose) * 104729u + 0x9E3779B97F4A7C15u;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    x ^= x >> 31;
    return double(x >> 11) * 0x1.0p-53;
}

// How clear a day's sky is (Rs/Ra) and how much its hours wander around that: overcast,
// broken cumulus passing over, or clear, about a third of the days each.
struct Sky {
    double clearness;
    double wander;
};
Sky skyOf(const QDate &day)
{
    const double u = uniform(day, 0, 1), v = uniform(day, 0, 2);
    if (u < 0.3)
        return {0.15 + 0.2 * v, 0.35};
    if (u < 0.7)
        return {0.4 + 0.2 * v, 0.5};
    return {0.65 + 0.1 * v, 0.08};
}

// São Paulo's weather as a station sees it: the sky of the day and of each hour, the air
// lower in the morning sun, temperatures whose range follows the sky, humidity from a dew
// point, a breeze in the afternoon and showers on overcast afternoons.
Hour variedHour(const QDate &day, int end)
{
    const double pi = 3.14159265358979323846;
    const double season = std::cos(2 * pi * (day.dayOfYear() - 15) / 365.0);
    const Sky sky = skyOf(day);
    const auto noise = [&](int purpose) { return 2 * uniform(day, end, purpose) - 1; };
    Hour h;
    const double ra = raOfLocalHour(day, end);
    const double airMass = std::pow(std::min(1.0, ra / 3.0), 0.15);
    const double k = std::clamp(sky.clearness * airMass * (1 + sky.wander * noise(3)), 0.03, 0.8);
    h.radiation = ra > 0 ? tenths(1000 * ra * k) : kNaN;

    const double mean = 19 + 4 * season + 3 * (2 * uniform(day, 0, 4) - 1);
    const double range = 3 + 11 * sky.clearness;
    // Coldest at 06:00, warmest at 15:00.
    const double shape = end >= 6 && end <= 15 ? -std::cos(pi * (end - 6) / 9.0)
                                               : std::cos(pi * ((end + 24 - 15) % 24) / 15.0);
    h.dryBulb = tenths(mean + range / 2 * shape + 0.4 * noise(5));
    h.tMax = tenths(h.dryBulb + 0.2 + 0.3 * uniform(day, end, 6));
    h.tMin = tenths(h.dryBulb - 0.2 - 0.3 * uniform(day, end, 7));
    h.dew = tenths(mean - range / 2 - 0.5 - 2 * sky.clearness + 0.3 * noise(8));
    const double rh =
        std::min(100.0, 100 * fao56::saturation(h.dew) / fao56::saturation(h.dryBulb));
    h.rh = tenths(rh);
    h.rhMax = tenths(std::min(100.0, rh + 2));
    h.rhMin = tenths(std::max(0.0, rh - 2));
    const double breeze = 1 + 2.5 * uniform(day, 0, 9);
    h.wind =
        tenths(std::max(0.0, breeze + 0.8 * std::sin(2 * pi * (end - 9) / 24) + 0.3 * noise(10)));
    h.rain = sky.clearness < 0.35 && end >= 14 && end <= 17 ? tenths(2 * uniform(day, end, 11)) : 0;
    return h;
}

// The gap a day of the realistic year is given: every third day, one or two daylight hours
// from 09:00 to 17:00, of radiation alone or of temperature and humidity, by turns.
struct Gap {
    int removed = 0;
    int first = 0;
    int length = 0;
};
Gap gapOf(const QDate &day)
{
    const qint64 n = day.toJulianDay();
    if (n % 3 != 0)
        return {};
    return {(n / 3) % 2 ? NoTemperature | NoHumidity : NoRadiation,
            9 + int(8 * uniform(day, 0, 12)), 1 + int(2 * uniform(day, 0, 13))};
}

Hour gappedHour(const QDate &day, int end)
{
    Hour h = variedHour(day, end);
    const Gap gap = gapOf(day);
    if (end >= gap.first && end < gap.first + gap.length)
        remove(h, gap.removed);
    return h;
}

struct Rmse {
    double sum = 0;
    int n = 0;
    void add(double a, double b) { sum += (a - b) * (a - b), ++n; }
    double value() const { return std::sqrt(sum / n); }
};

} // namespace

class InmetShortGapsTest : public QObject
{
    Q_OBJECT

private slots:
    // 21 June 2023: the sun is up for the hours ending 07:00 (barely: Ra 0.01 MJ/m²) to
    // 18:00 (0.08 MJ/m²); the first with a clearness index worth taking ends at 08:00.
    void fillsShortGapsOnly_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<QList<int>>("ends");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<int>("interpolated");
        QTest::addColumn<double>("firstSunlitKj");
        const double none = kNaN;
        QTest::newRow("1 hour of humidity")
            << int(NoHumidity) << QList<int>{12} << true << 1 << none;
        QTest::newRow("2 hours of wind") << int(NoWind) << QList<int>{12, 13} << true << 2 << none;
        QTest::newRow("3 hours of wind: left missing")
            << int(NoWind) << QList<int>{12, 13, 14} << false << 0 << none;
        QTest::newRow("the day's first hour: left missing")
            << int(NoHumidity) << QList<int>{1} << false << 0 << none;
        QTest::newRow("the day's last 2 hours: left missing")
            << int(NoHumidity | NoWind) << QList<int>{23, 24} << false << 0 << none;
        QTest::newRow("2 hours of radiation at midday, by the clearness index")
            << int(NoRadiation) << QList<int>{12, 13} << true << 2 << none;
        QTest::newRow("a night hour of radiation: 0")
            << int(NoRadiation) << QList<int>{3} << true << 1 << none;
        QTest::newRow("2 hours of radiation across sunrise, from the hour after")
            << int(NoRadiation) << QList<int>{7, 8} << true << 2 << none;
        // A reading of 150 kJ/m² under a Ra of 10 kJ/m²: an index of 15, which the hours
        // after must not take.
        QTest::newRow("after a sunrise hour whose index means nothing")
            << int(NoRadiation) << QList<int>{8, 9} << true << 2 << 150.0;
        QTest::newRow("2 hours of everything but rain, counted once each")
            << int(NoTemperature | NoHumidity | NoWind | NoRadiation) << QList<int>{12, 13} << true
            << 2 << none;
        QTest::newRow("rainfall: never filled")
            << int(NoRain) << QList<int>{16} << false << 0 << none;
    }
    void fillsShortGapsOnly()
    {
        QFETCH(int, removed);
        QFETCH(QList<int>, ends);
        QFETCH(bool, filled);
        QFETCH(int, interpolated);
        QFETCH(double, firstSunlitKj);
        const QDate day(2023, 6, 21);
        const auto whole = [&](const QDate &d, int end) {
            Hour h = straightHour(d, end);
            if (d == day && end == 7 && !std::isnan(firstSunlitKj))
                h.radiation = firstSunlitKj;
            return h;
        };
        const auto gapped = [&](const QDate &d, int end) {
            Hour h = whole(d, end);
            if (d == day && ends.contains(end))
                remove(h, removed);
            return h;
        };
        HoursByDay wholeHours, gappedHours;
        const DailyRecord full =
            dayRead(stationFile(day.addDays(-1), day.addDays(1), {}, whole, &wholeHours), day);
        const DailyRecord read =
            dayRead(stationFile(day.addDays(-1), day.addDays(1), {}, gapped, &gappedHours), day);
        QCOMPARE(read.date, day);
        QCOMPARE(read.interpolatedHours, interpolated);

        const DayHours &hours = gappedHours[day];
        // Filled, a straight course comes back whole; left missing, the day is the mean or the
        // sum of the hours read.
        const auto check = [&](const char *what, const std::optional<long double> &got,
                               const std::optional<long double> &whole, double ofHoursRead) {
            const double expected = filled ? value(whole) : ofHoursRead;
            QVERIFY2(std::fabs(value(got) - expected) < 1e-9,
                     qPrintable(QStringLiteral("%1: %2, expected %3")
                                    .arg(QString::fromUtf8(what))
                                    .arg(value(got))
                                    .arg(expected)));
        };
        if (removed & NoHumidity) {
            check("RH", read.rhMean, full.rhMean, mean(hours, &Hour::rh));
            check("dew point", read.dewPoint, full.dewPoint, mean(hours, &Hour::dew));
        }
        if (removed & NoWind)
            check("wind", read.windSpeed, full.windSpeed, mean(hours, &Hour::wind));
        if (removed & NoRain)
            check("rainfall", read.rainfall, full.rainfall, 23 * mean(hours, &Hour::rain));
        if (removed & NoRadiation) {
            // The filled hours take their neighbours' index; the hours read were rounded to
            // tenths of kJ/m², so their index is not quite the day's.
            QVERIFY(read.solarRadiation);
            QVERIFY2(std::fabs(value(read.solarRadiation) - value(full.solarRadiation)) < 2e-4,
                     qPrintable(QStringLiteral("Rs %1, whole %2")
                                    .arg(value(read.solarRadiation))
                                    .arg(value(full.solarRadiation))));
        }
    }

    // The acceptance figure: over a year of São Paulo's weather, the days given a gap of one
    // or two daylight hours come to nearly the ETo of their whole record.
    void etoRecoveredAcrossShortGaps()
    {
        HoursByDay wholeHours, gappedHours;
        const StationSeries whole = readInmetStationFile(
            stationFile(QDate(2023, 1, 1), QDate(2023, 12, 31), {}, variedHour, &wholeHours));
        const StationSeries gapped = readInmetStationFile(
            stationFile(QDate(2023, 1, 1), QDate(2023, 12, 31), {}, gappedHour, &gappedHours));
        QCOMPARE(gapped.days.size(), whole.days.size());

        Rmse filled, unfilled, radiationFilled, radiationUnfilled, airFilled, airUnfilled;
        double clearest = 0, cloudiest = 1;
        for (std::size_t i = 0; i < whole.days.size(); ++i) {
            const DailyRecord &w = whole.days[i];
            const Gap gap = gapOf(w.date);
            if (w.date.year() != 2023 || !gap.removed)
                continue;
            const DailyEto reference = dailyEto(w, whole.site);
            const DailyEto read = dailyEto(gapped.days[i], gapped.site);
            QVERIFY(reference.eto && !reference.estimates.any());
            QVERIFY2(read.eto && !read.estimates.radiationFromTemperature,
                     qPrintable(w.date.toString(Qt::ISODate)));
            QCOMPARE(read.interpolatedHours, gap.length);
            const double truth = value(reference.eto);
            // What the same hours gave before short gaps were filled: the radiation of a day
            // lost with its hour, Rs then from the temperature range (eq. 50).
            const double before = expectedDay(w.date, gappedHours[w.date], false).eto;
            filled.add(value(read.eto), truth);
            unfilled.add(before, truth);
            (gap.removed == NoRadiation ? radiationFilled : airFilled).add(value(read.eto), truth);
            (gap.removed == NoRadiation ? radiationUnfilled : airUnfilled).add(before, truth);
            const double clearness =
                value(w.solarRadiation) / fao56::ra(kLatitude, w.date.dayOfYear());
            clearest = std::max(clearest, clearness);
            cloudiest = std::min(cloudiest, clearness);
        }
        qInfo("%d days with gaps, Rs/Ra from %.2f to %.2f. ETo RMSE, mm/day: filled %.3f, "
              "unfilled %.3f; radiation gaps (%d days) %.3f against %.3f; temperature and "
              "humidity gaps (%d days) %.3f against %.3f",
              filled.n, cloudiest, clearest, filled.value(), unfilled.value(), radiationFilled.n,
              radiationFilled.value(), radiationUnfilled.value(), airFilled.n, airFilled.value(),
              airUnfilled.value());
        QVERIFY(filled.n > 100);
        QVERIFY(clearest - cloudiest > 0.4);
        QVERIFY(filled.value() <= 0.25);
        QVERIFY(radiationFilled.value() < radiationUnfilled.value() / 2);
    }
};

QTEST_GUILESS_MAIN(InmetShortGapsTest)
#include "tst_inmet_short_gaps.moc"
