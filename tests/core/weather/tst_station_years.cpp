// A station's records laid out into the years the import offers: gaps in ETo filled along
// the line between their ends or with the month's mean, or from the other years' same days;
// days without rainfall taken as dry or left empty; the mean year of the complete years and
// the driest of them; and where nothing can be filled, nothing is.
#include "core/base/TaviError.h"
#include "core/weather/StationImport.h"
#include "core/weather/StationYear.h"

#include <QTest>

#include <cmath>
#include <set>

using namespace tavi;
using namespace tavi::eto;

namespace
{

const StationSite kSite{QStringLiteral("Sítio"), QString(), -15.8L, -47.9L, 1160};

// Hargreaves-Samani, so that a day's ETo is a plain function of its date and temperatures.
const EtoSettings kHargreaves{EtoMethodChoice::HargreavesSamani, kRadiationCoefficientInterior};

// Every day of `years`, temperatures varying from day to day, rain on days divisible by
// `rainEvery` of the month (more rain in the later years); days in `gaps` have no record.
StationSeries records(const std::vector<int> &years, const std::set<QDate> &gaps = {},
                      int rainEvery = 7)
{
    StationSeries series;
    series.site = kSite;
    for (int year : years) {
        for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
            if (gaps.count(d))
                continue;
            DailyRecord r;
            r.date = d;
            r.tMax = 28 + (d.dayOfYear() * 7 % 11) / 2.0L;
            r.tMin = 16 + (d.dayOfYear() * 3 % 5) / 2.0L;
            r.rainfall = d.day() % rainEvery == 0 ? (year - 2000) / 2.0L : 0;
            series.days.push_back(r);
        }
    }
    return series;
}

std::set<QDate> daysFrom(const QDate &first, int count)
{
    std::set<QDate> days;
    for (int k = 0; k < count; ++k)
        days.insert(first.addDays(k));
    return days;
}

long double ownEto(const QDate &date)
{
    return hargreavesSamani(28 + (date.dayOfYear() * 7 % 11) / 2.0L,
                            16 + (date.dayOfYear() * 3 % 5) / 2.0L, kSite.latitude,
                            date.dayOfYear());
}

const YearDay &dayOf(const LaidOutYear &year, const QDate &date)
{
    return year.days[std::size_t(date.dayOfYear() - 1)];
}

bool near(long double a, long double b)
{
    return std::fabs(double(a - b)) < 1e-12;
}

} // namespace

class StationYearsTest : public QObject
{
    Q_OBJECT

private slots:
    // A gap of up to five days lies on the line between the days around it, those of the
    // years around included; longer gaps, and those the records do not close, take the mean
    // of what their month measured; a month without any measure stays empty.
    void gapsInEtoAreFilled()
    {
        std::set<QDate> gaps = daysFrom(QDate(2022, 3, 10), 3); // short
        const std::set<QDate> longGap = daysFrom(QDate(2022, 5, 10), 6);
        const std::set<QDate> newYear = daysFrom(QDate(2022, 1, 1), 2); // 31/12/2021 is there
        const std::set<QDate> november = daysFrom(QDate(2022, 11, 1), 30);
        const std::set<QDate> lastDays = daysFrom(QDate(2022, 12, 29), 3); // nothing after
        for (const auto *more : {&longGap, &newYear, &november, &lastDays})
            gaps.insert(more->begin(), more->end());
        const StationYears years(records({2021, 2022}, gaps), kHargreaves);
        const LaidOutYear year =
            years.layOut(YearChoice::single(2022), GapFill(), LeapDayFill::Empty);

        const long double before = ownEto(QDate(2022, 3, 9)), after = ownEto(QDate(2022, 3, 13));
        for (int k = 0; k < 3; ++k) {
            const YearDay &day = dayOf(year, QDate(2022, 3, 10 + k));
            QCOMPARE(day.etoFill, EtoFill::Interpolated);
            QVERIFY(near(*day.eto, before + (after - before) * (k + 1) / 4));
            QCOMPARE(day.method, Method::Missing);
        }
        const YearDay &first = dayOf(year, QDate(2022, 1, 1));
        QCOMPARE(first.etoFill, EtoFill::Interpolated);
        QVERIFY(
            near(*first.eto, ownEto(QDate(2021, 12, 31)) +
                                 (ownEto(QDate(2022, 1, 3)) - ownEto(QDate(2021, 12, 31))) / 3));

        long double may = 0;
        int measured = 0;
        for (QDate d(2022, 5, 1); d.month() == 5; d = d.addDays(1))
            if (!longGap.count(d))
                may += ownEto(d), ++measured;
        for (const QDate &d : longGap) {
            QCOMPARE(dayOf(year, d).etoFill, EtoFill::MonthMean);
            QVERIFY(near(*dayOf(year, d).eto, may / measured));
        }
        QCOMPARE(dayOf(year, QDate(2022, 12, 30)).etoFill, EtoFill::MonthMean);
        QVERIFY(!dayOf(year, QDate(2022, 11, 15)).eto);
        QCOMPARE(dayOf(year, QDate(2022, 11, 15)).etoFill, EtoFill::None);
        QVERIFY(!dayOf(year, QDate(2022, 3, 9)).etoFilled());

        // Rain: every day without records taken as dry, and said so.
        for (const QDate &d : gaps) {
            QCOMPARE(*dayOf(year, d).rainfall, 0.0L);
            QVERIFY(dayOf(year, d).rainfallFilled);
        }
        QVERIFY(!dayOf(year, QDate(2022, 3, 9)).rainfallFilled);

        const MethodCounts counts = countMethods(year.days, 365);
        QCOMPARE(counts.interpolated, 3 + 2);
        QCOMPARE(counts.monthMean, 6 + 3);
        QCOMPARE(counts.missing, 30);
        QCOMPARE(counts.hargreavesSamani, 365 - int(gaps.size()));
    }

    // "vazio" leaves every gap as the records have it.
    void emptyFillsNothing()
    {
        const StationYears years(records({2022}, daysFrom(QDate(2022, 3, 10), 2)), kHargreaves);
        const LaidOutYear year = years.layOut(
            YearChoice::single(2022), {EtoGapFill::Empty, RainGapFill::Empty}, LeapDayFill::Empty);
        QVERIFY(!dayOf(year, QDate(2022, 3, 10)).eto);
        QVERIFY(!dayOf(year, QDate(2022, 3, 10)).rainfall);
        QCOMPARE(countMissingRainfall(year.days, 365), 2);
        QCOMPARE(countFilledRainfall(year.days, 365), 0);
    }

    // The other years' same calendar day, where they have it; 29 February of a leap year
    // takes their 28th; a day none of them has is filled as a gap of its own year.
    void otherYearsFillTheSameDays()
    {
        std::set<QDate> gaps{QDate(2021, 6, 5), QDate(2020, 2, 29), QDate(2021, 8, 1),
                             QDate(2020, 8, 1), QDate(2022, 8, 1)};
        const StationYears years(records({2020, 2021, 2022}, gaps), kHargreaves);
        const GapFill fill{EtoGapFill::OtherYears, RainGapFill::Dry};
        const LaidOutYear y2021 = years.layOut(YearChoice::single(2021), fill, LeapDayFill::Empty);
        const YearDay &june = dayOf(y2021, QDate(2021, 6, 5));
        QCOMPARE(june.etoFill, EtoFill::OtherYears);
        QVERIFY(near(*june.eto, (ownEto(QDate(2020, 6, 5)) + ownEto(QDate(2022, 6, 5))) / 2));
        // 1 August is missing in every year: its own year's neighbours.
        QCOMPARE(dayOf(y2021, QDate(2021, 8, 1)).etoFill, EtoFill::Interpolated);

        const LaidOutYear y2020 = years.layOut(YearChoice::single(2020), fill, LeapDayFill::Empty);
        const YearDay &leapDay = dayOf(y2020, QDate(2020, 2, 29));
        QCOMPARE(leapDay.etoFill, EtoFill::OtherYears);
        QVERIFY(near(*leapDay.eto, (ownEto(QDate(2021, 2, 28)) + ownEto(QDate(2022, 2, 28))) / 2));
    }

    // The mean year is the day-by-day mean of the complete years, matched by calendar date
    // (a leap year's 1 March with the others' 1 March); the driest is the complete year of
    // least rainfall. A year the fill cannot complete takes part in neither.
    void meanAndDriestYears()
    {
        // 2023 has records for its first half only.
        std::set<QDate> gaps = daysFrom(QDate(2023, 7, 1), 184);
        const StationYears years(records({2020, 2021, 2022, 2023}, gaps), kHargreaves);
        const GapFill fill;
        QCOMPARE(years.completeYears(fill), (std::vector<int>{2020, 2021, 2022}));
        QCOMPARE(years.driestYear(fill), 2020);
        QVERIFY(years.completeYears({EtoGapFill::Empty, RainGapFill::Dry}).size() == 3);
        QCOMPARE(years.completeYears({EtoGapFill::Empty, RainGapFill::Empty}).size(), 3u);

        const LaidOutYear mean =
            years.layOut({YearChoice::Kind::Mean, 0}, fill, LeapDayFill::CopyOfDay365);
        QCOMPARE(mean.calendarYear, 0);
        QCOMPARE(mean.years, (std::vector<int>{2020, 2021, 2022}));
        const YearDay &march = mean.days[59]; // day 60 of a common year: 1 March
        QVERIFY(near(*march.eto, (ownEto(QDate(2020, 3, 1)) + ownEto(QDate(2021, 3, 1)) +
                                  ownEto(QDate(2022, 3, 1))) /
                                     3));
        QCOMPARE(march.yearsAveraged, 3);
        const YearDay &rainy = mean.days[6]; // 7 January
        QVERIFY(near(*rainy.rainfall, (10 + 10.5L + 11) / 3));
        QVERIFY(near(*mean.days[365].eto, *mean.days[364].eto)); // day 366 a copy

        const LaidOutYear driest =
            years.layOut({YearChoice::Kind::Driest, 0}, fill, LeapDayFill::Empty);
        QCOMPARE(driest.calendarYear, 2020);
        QCOMPARE(driest.years, (std::vector<int>{2020}));

        // Fewer than two complete years: neither can be made, and the user is told why.
        const StationYears one(records({2022, 2023}, gaps), kHargreaves);
        try {
            one.layOut({YearChoice::Kind::Mean, 0}, fill, LeapDayFill::Empty);
            QFAIL("a mean year of one complete year");
        } catch (const TaviError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("ao menos dois anos completos")),
                     qPrintable(error.message()));
        }
    }

    // Several files of daily records are one station's; the year list offers the mean and
    // the driest years once two are complete, and the origin names the years used.
    void severalFilesOfDailyRecords()
    {
        const auto text = [](int year) {
            QString t = QStringLiteral("Data;Tmax;Tmin;Chuva\n");
            for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1))
                t += d.toString(QStringLiteral("dd/MM/yyyy")) +
                     QStringLiteral(";30;18;%1\n").arg(d.day() % 10 == 0 ? year - 2019 : 0);
            return t.toUtf8();
        };
        ImportChoice choice;
        choice.site = {QStringLiteral("Sítio"), QString(), QStringLiteral("-15,8"),
                       QStringLiteral("-47,9"), QStringLiteral("1160")};
        StationImport import;
        import.read({text(2022), text(2021)}, {QStringLiteral("b.txt"), QStringLiteral("a.txt")},
                    choice);
        QVERIFY2(import.isLaidOut(), qPrintable(import.problem()));
        QCOMPARE(import.years(), (std::vector<int>{2021, 2022}));
        const std::vector<YearChoice> offered = import.yearChoices(GapFill());
        QCOMPARE(int(offered.size()), 4);
        QCOMPARE(import.yearChoiceCaption(offered[2], GapFill()),
                 QStringLiteral("ano médio (2 anos)"));
        QCOMPARE(import.yearChoiceCaption(offered[3], GapFill()),
                 QStringLiteral("ano mais seco (2021)"));

        choice.year = {YearChoice::Kind::Mean, 0};
        QVERIFY(import.layOut(choice));
        QVERIFY2(import.isLaidOut(), qPrintable(import.problem()));
        const SeriesOrigin origin = import.origin();
        QCOMPARE(origin.year, QStringLiteral("ano médio de 2021, 2022"));
        QCOMPARE(origin.years, QStringLiteral("2021,2022"));
        QCOMPARE(*import.days()[9].rainfall, 2.5L);
        QVERIFY(import.summary().contains(QStringLiteral("ano médio de 2021, 2022: ")));

        // A day in two files, and files of two kinds, are refused.
        import.read({text(2022), text(2022)}, {QStringLiteral("b.txt"), QStringLiteral("c.txt")},
                    choice);
        QCOMPARE(
            import.problem(),
            QStringLiteral("O dia 01/01/2022 aparece em dois arquivos: \"b.txt\" e \"c.txt\"."));
        QVERIFY(!import.hasRecords());
        import.read({text(2022), QByteArray("ESTACAO:;X\nData;Hora UTC;\n")}, QStringList(),
                    choice);
        QVERIFY2(import.problem().startsWith(QStringLiteral("Os arquivos misturam")),
                 qPrintable(import.problem()));
    }
};

QTEST_GUILESS_MAIN(StationYearsTest)
#include "tst_station_years.moc"
