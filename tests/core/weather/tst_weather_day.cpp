// A station's days, some complete and some lacking humidity, radiation or wind: each day's
// ETo against FAO-56's equations worked apart (support/Fao56ByHand.h) with the paper's own
// estimates put in by hand, and what the day says it estimated.
#include "core/weather/WeatherDay.h"

#include "support/Fao56ByHand.h"

#include <QTest>
#include <cmath>

using namespace tavi::eto;

namespace
{

// An inland station of the Planalto, in the dry season.
constexpr double kLatitude = -15.79;
constexpr double kAltitude = 1160;
constexpr double kTMax = 28.4;
constexpr double kTMin = 14.2;
constexpr double kRhMax = 78;
constexpr double kRhMin = 31;
constexpr double kWindAtTenMetres = 2.6;
constexpr double kSolarRadiation = 19.8;
constexpr double kSunshine = 9.1;

StationSite planalto()
{
    StationSite site;
    site.name = QStringLiteral("Planalto");
    site.latitude = kLatitude;
    site.altitude = kAltitude;
    return site;
}

EtoSettings settingsWith(EtoMethodChoice method, double radiationCoefficient)
{
    EtoSettings settings;
    settings.method = method;
    settings.radiationCoefficient = radiationCoefficient;
    return settings;
}

// Every quantity measured, radiation among them.
DailyRecord completeDay(int dayOfAugust)
{
    DailyRecord r;
    r.date = QDate(2023, 8, dayOfAugust);
    r.tMax = kTMax;
    r.tMin = kTMin;
    r.rhMax = kRhMax;
    r.rhMin = kRhMin;
    r.windSpeed = kWindAtTenMetres;
    r.windHeight = 10;
    r.solarRadiation = kSolarRadiation;
    return r;
}

// One day of the station, and what Penman-Monteith must make of it.
struct StationDay {
    const char *name;
    DailyRecord record;
    double radiationCoefficient = 0.16;
    // The day's inputs once FAO-56's estimates have filled what it lacks.
    double ea = 0;
    double u2 = 0;
    double rs = 0;
    Estimates estimates;
    const char *methodText = "PM";
};

std::vector<StationDay> stationDays()
{
    const int j0 = QDate(2023, 8, 1).dayOfYear();
    const double measuredEa = fao56::vapourFromRhMaxMin(kTMax, kTMin, kRhMax, kRhMin);
    const double measuredU2 = fao56::windAtTwoMetres(kWindAtTenMetres, 10);
    std::vector<StationDay> days;
    days.reserve(16); // each day is filled in through a reference to it
    auto add = [&](const char *name, int dayOfAugust) -> StationDay & {
        StationDay day;
        day.name = name;
        day.record = completeDay(dayOfAugust);
        day.ea = measuredEa;
        day.u2 = measuredU2;
        day.rs = kSolarRadiation;
        days.push_back(day);
        return days.back();
    };
    auto j = [&](const StationDay &day) { return j0 + day.record.date.day() - 1; };

    add("complete, measured Rs", 1);

    StationDay &sunshine = add("complete, sunshine instead of Rs", 2);
    sunshine.record.solarRadiation.reset();
    sunshine.record.sunshineHours = kSunshine;
    sunshine.rs = fao56::rsFromSunshine(kSunshine, kLatitude, j(sunshine));

    StationDay &dry = add("no humidity measured", 3);
    dry.record.rhMax.reset();
    dry.record.rhMin.reset();
    dry.ea = fao56::saturation(kTMin);
    dry.estimates.vapourFromTMin = true;
    dry.methodText = "PM, ea de Tmin";

    StationDay &minOnly = add("RHmin alone", 4);
    minOnly.record.rhMax.reset();
    minOnly.ea = fao56::saturation(kTMin);
    minOnly.estimates.vapourFromTMin = true;
    minOnly.methodText = "PM, ea de Tmin";

    StationDay &dark = add("no radiation nor sunshine, interior", 5);
    dark.record.solarRadiation.reset();
    dark.rs = fao56::rsFromTemperature(kTMax, kTMin, kLatitude, kAltitude, j(dark), 0.16);
    dark.estimates.radiationFromTemperature = true;
    dark.methodText = "PM, Rs de T";

    StationDay &coast = add("no radiation nor sunshine, coastal", 6);
    coast.record.solarRadiation.reset();
    coast.radiationCoefficient = 0.19;
    coast.rs = fao56::rsFromTemperature(kTMax, kTMin, kLatitude, kAltitude, j(coast), 0.19);
    coast.estimates.radiationFromTemperature = true;
    coast.methodText = "PM, Rs de T";

    // 0.19 sqrt(22) = 0.89 of Ra, more than the clear sky lets through.
    StationDay &wide = add("no radiation, coastal, range beyond the clear sky", 7);
    wide.record.solarRadiation.reset();
    wide.record.tMax = 34.2;
    wide.record.tMin = 12.2;
    wide.radiationCoefficient = 0.19;
    wide.ea = fao56::vapourFromRhMaxMin(34.2, 12.2, kRhMax, kRhMin);
    wide.rs = fao56::clearSky(kLatitude, kAltitude, j(wide));
    wide.estimates.radiationFromTemperature = true;
    wide.methodText = "PM, Rs de T";

    StationDay &still = add("no wind measured", 8);
    still.record.windSpeed.reset();
    still.u2 = 2;
    still.estimates.defaultWind = true;
    still.methodText = "PM, vento 2 m/s";

    StationDay &light = add("light wind, u2 under 0.5 m/s", 9);
    light.record.windSpeed = 0.4;
    light.u2 = 0.5;
    light.estimates.windFloor = true;
    light.methodText = "PM, vento mín. 0,5 m/s";

    StationDay &calm = add("calm, 0 m/s at 2 m", 10);
    calm.record.windSpeed = 0;
    calm.record.windHeight = 2;
    calm.u2 = 0.5;
    calm.estimates.windFloor = true;
    calm.methodText = "PM, vento mín. 0,5 m/s";

    StationDay &bare = add("temperatures alone", 11);
    bare.record.rhMax.reset();
    bare.record.rhMin.reset();
    bare.record.windSpeed.reset();
    bare.record.solarRadiation.reset();
    bare.ea = fao56::saturation(kTMin);
    bare.u2 = 2;
    bare.rs = fao56::rsFromTemperature(kTMax, kTMin, kLatitude, kAltitude, j(bare), 0.16);
    bare.estimates.vapourFromTMin = true;
    bare.estimates.radiationFromTemperature = true;
    bare.estimates.defaultWind = true;
    bare.methodText = "PM, ea de Tmin, Rs de T, vento 2 m/s";

    StationDay &filled = add("complete, one hour filled between its neighbours", 12);
    filled.record.interpolatedHours = 1;
    filled.methodText = "PM, 1 h interpolada";

    return days;
}

} // namespace

class WeatherDayTest : public QObject
{
    Q_OBJECT

    static void stationDayRows()
    {
        QTest::addColumn<int>("index");
        const std::vector<StationDay> days = stationDays();
        for (int i = 0; i < int(days.size()); ++i)
            QTest::newRow(days[i].name) << i;
    }

private slots:
    void penmanMonteithFillsWhatTheDayLacks_data() { stationDayRows(); }
    void penmanMonteithFillsWhatTheDayLacks()
    {
        QFETCH(int, index);
        const StationDay day = stationDays()[index];
        const DailyEto eto =
            dailyEto(day.record, planalto(),
                     settingsWith(EtoMethodChoice::PenmanMonteith, day.radiationCoefficient));
        QCOMPARE(int(eto.method), int(Method::PenmanMonteith));
        QVERIFY(eto.eto && eto.terms);
        QVERIFY(eto.estimates == day.estimates);
        QVERIFY(eto.terms->estimates == day.estimates);
        QCOMPARE(dayMethodText(eto.method, eto.estimates, eto.interpolatedHours),
                 QString::fromUtf8(day.methodText));

        const double expected = fao56::penmanMonteith(
            kLatitude, kAltitude, day.record.date.dayOfYear(), double(*day.record.tMax),
            double(*day.record.tMin), day.ea, day.u2, day.rs);
        QVERIFY2(std::fabs(static_cast<double>(*eto.eto) - expected) < 1e-9,
                 qPrintable(QStringLiteral("%1 against %2").arg(double(*eto.eto)).arg(expected)));
    }

    // The coast's kRs only stands in for radiation nobody measured.
    void measuredRadiationIgnoresTheCoast()
    {
        for (const StationDay &day : stationDays()) {
            if (day.estimates.radiationFromTemperature)
                continue;
            const auto etoWith = [&](double krs) {
                return double(*dailyEto(day.record, planalto(),
                                        settingsWith(EtoMethodChoice::PenmanMonteith, krs))
                                   .eto);
            };
            QCOMPARE(etoWith(0.16), etoWith(0.19));
        }
    }

    void hargreavesSamaniWhenChosen_data() { stationDayRows(); }
    void hargreavesSamaniWhenChosen()
    {
        QFETCH(int, index);
        const StationDay day = stationDays()[index];
        const DailyEto eto =
            dailyEto(day.record, planalto(), settingsWith(EtoMethodChoice::HargreavesSamani, 0.16));
        QCOMPARE(int(eto.method), int(Method::HargreavesSamani));
        QVERIFY(!eto.terms);
        QVERIFY(!eto.estimates.any());
        const QString text = dayMethodText(eto.method, eto.estimates, eto.interpolatedHours);
        QCOMPARE(text, day.record.interpolatedHours ? QStringLiteral("HS, 1 h interpolada")
                                                    : QStringLiteral("HS"));
        const double expected =
            fao56::hargreaves(double(*day.record.tMax), double(*day.record.tMin), kLatitude,
                              day.record.date.dayOfYear());
        QVERIFY(std::fabs(static_cast<double>(*eto.eto) - expected) < 1e-9);
    }

    void noTemperaturesNoEto_data()
    {
        QTest::addColumn<int>("method");
        QTest::newRow("Penman-Monteith") << int(EtoMethodChoice::PenmanMonteith);
        QTest::newRow("Hargreaves-Samani") << int(EtoMethodChoice::HargreavesSamani);
    }
    void noTemperaturesNoEto()
    {
        QFETCH(int, method);
        const EtoSettings settings = settingsWith(EtoMethodChoice(method), 0.16);
        DailyRecord withoutMax = completeDay(13);
        withoutMax.tMax.reset();
        DailyRecord withoutMin = completeDay(13);
        withoutMin.tMin.reset();
        for (const DailyRecord &record : {withoutMax, withoutMin}) {
            const DailyEto eto = dailyEto(record, planalto(), settings);
            QCOMPARE(int(eto.method), int(Method::Missing));
            QVERIFY(!eto.eto);
            QCOMPARE(dayMethodText(eto.method, eto.estimates, eto.interpolatedHours),
                     QStringLiteral("sem dados"));
        }
    }
};

QTEST_GUILESS_MAIN(WeatherDayTest)
#include "tst_weather_day.moc"
