// A station's records made into the agriculture series: which kind of text they are, which
// year the import offers first, what each day's cells read, and the account of the origin.
#include "core/weather/StationSeriesImport.h"

#include <QTest>

using namespace tavi;
using namespace tavi::eto;

namespace
{

// Records with temperatures every day from `from` to `to`.
StationSeries recordsBetween(const QDate &from, const QDate &to)
{
    StationSeries series;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        DailyRecord r;
        r.date = d;
        r.tMax = 30;
        r.tMin = 18;
        series.days.push_back(r);
    }
    return series;
}

} // namespace

class StationSeriesImportTest : public QObject
{
    Q_OBJECT

private slots:
    void tellsHourlyFilesFromDailyRecords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hourly");
        QTest::newRow("INMET yearly file")
            << "REGIAO:;SE\nESTACAO:;X\nLATITUDE:;-23,5\nData;Hora UTC;PRECIPITAÇÃO TOTAL\n"
               "2023/01/01;0000 UTC;0\n"
            << true;
        QTest::newRow("older INMET file")
            << "ESTACAO:;X\nDATA (YYYY-MM-DD);HORA (UTC);Precipitacao\n"
            << true;
        QTest::newRow("portal export")
            << "Nome: X\nLatitude: -23.5\nData Medicao;Hora Medicao;PRECIPITACAO\n"
            << true;
        QTest::newRow("daily records with titles") << "Data;Tmax;Tmin;Chuva\n01/01/2023;30;18;0\n"
                                                   << false;
        QTest::newRow("daily records, tabs") << "Data\tTmax\tTmin\n2023-01-01\t30\t18\n" << false;
        QTest::newRow("daily records, no titles") << "01/01/2023;30;18\n" << false;
        QTest::newRow("hour column far down")
            << QString(QStringLiteral("x\n")).repeated(60) + "Data;Hora UTC\n"
            << false;
    }
    void tellsHourlyFilesFromDailyRecords()
    {
        QFETCH(QString, text);
        QFETCH(bool, hourly);
        QCOMPARE(isInmetHourlyText(text), hourly);
    }

    // The year offered first is the first one the records hold from end to end.
    void offersTheFirstFullYear_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("year");
        QTest::addColumn<QList<int>>("years");
        QTest::newRow("mid-year to mid-year")
            << QDate(2021, 7, 1) << QDate(2023, 3, 1) << 2022 << QList<int>{2021, 2022, 2023};
        QTest::newRow("exactly a year")
            << QDate(2023, 1, 1) << QDate(2023, 12, 31) << 2023 << QList<int>{2023};
        QTest::newRow("a day short at the end")
            << QDate(2023, 1, 1) << QDate(2023, 12, 30) << 2023 << QList<int>{2023};
        QTest::newRow("a local day spilling into the year before")
            << QDate(2022, 12, 31) << QDate(2023, 12, 31) << 2023 << QList<int>{2022, 2023};
        QTest::newRow("no full year: the first")
            << QDate(2020, 3, 1) << QDate(2021, 2, 1) << 2020 << QList<int>{2020, 2021};
    }
    void offersTheFirstFullYear()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, year);
        QFETCH(QList<int>, years);
        const StationSeries series = recordsBetween(from, to);
        QCOMPARE(firstFullYear(series), year);
        const std::vector<int> found = yearsWithData(series);
        QCOMPARE(QList<int>(found.begin(), found.end()), years);
    }

    void daysWithoutDataAreNoYear()
    {
        StationSeries series = recordsBetween(QDate(2023, 1, 1), QDate(2023, 1, 5));
        for (DailyRecord &r : series.days)
            r.tMax = r.tMin = std::nullopt;
        QCOMPARE(firstFullYear(series), 0);
        QVERIFY(yearsWithData(series).empty());
    }

    void cellTexts_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("text");
        QTest::newRow("hundredths, comma") << true << 4.126 << true << "4,13";
        QTest::newRow("hundredths, point") << false << 4.126 << true << "4.13";
        QTest::newRow("half away from zero") << true << 0.125 << true << "0,13";
        QTest::newRow("a sum of tenths") << false << 0.1 + 0.2 + 3.6 << true << "3.9";
        QTest::newRow("whole") << true << 12.0 << true << "12";
        QTest::newRow("zero rainfall") << true << 0.0 << true << "0";
        QTest::newRow("below a hundredth") << false << 0.004 << true << "0";
        QTest::newRow("missing") << true << 0.0 << false << "";
    }
    void cellTexts()
    {
        QFETCH(bool, comma);
        QFETCH(double, value);
        QFETCH(bool, present);
        QFETCH(QString, text);
        const LocaleSettings locale =
            comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint();
        const std::optional<long double> v =
            present ? std::optional<long double>(value) : std::nullopt;
        QCOMPARE(seriesCellText(v, locale), text);
    }

    // The account counts the days the series holds (day 366 of a common year only when it
    // is a copy of day 365), each by how its ETo came about, and lists the days filled.
    void accountsForEachMethod_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("fill");
        QTest::addColumn<int>("hargreaves");
        const auto row = [](const char *name, int year, LeapDayFill fill, int hargreaves) {
            QTest::newRow(name) << year << int(fill) << hargreaves;
        };
        row("common year, day 366 empty", 2023, LeapDayFill::Empty, 6);
        row("common year, day 366 a copy", 2023, LeapDayFill::CopyOfDay365, 7);
        row("leap year", 2024, LeapDayFill::Empty, 7);
    }
    void accountsForEachMethod()
    {
        QFETCH(int, year);
        QFETCH(int, fill);
        QFETCH(int, hargreaves);
        // Days 1-354 Penman-Monteith, four of them with an estimate or an hour filled; 355-358
        // filled each way; 359 missing; 360-366 Hargreaves.
        std::vector<YearDay> days(366, YearDay{Method::PenmanMonteith, 4.0L, 0.0L});
        days[350].estimates.vapourFromTMin = true;
        days[351].estimates.radiationFromTemperature = true;
        days[352].interpolatedHours = 2;
        days[353].estimates.defaultWind = true;
        const EtoFill fills[] = {EtoFill::Interpolated, EtoFill::Interpolated, EtoFill::MonthMean,
                                 EtoFill::OtherYears};
        for (int k = 0; k < 4; ++k) {
            YearDay &day = days[std::size_t(354 + k)];
            day = YearDay{};
            day.eto = 4;
            day.rainfall = 0;
            day.rainfallFilled = k == 0;
            day.etoFill = fills[k];
        }
        days[358] = YearDay{};
        for (int d = 359; d < 366; ++d)
            days[static_cast<std::size_t>(d)].method = Method::HargreavesSamani;
        StationSite site{QStringLiteral(" MIRANTE "), QStringLiteral("A701"), -23.49638888L,
                         -46.62L, 785.64L};
        LaidOutYear laidOut;
        laidOut.days = days;
        laidOut.years = {year};
        laidOut.calendarYear = year;
        SeriesChoices choices;
        choices.leap = LeapDayFill(fill);
        choices.eto.radiationCoefficient = kRadiationCoefficientCoastal;
        const SeriesOrigin origin = seriesOrigin(site, laidOut, choices);
        const QString methods =
            QStringLiteral("Penman–Monteith (354 dias; ea de Tmin em 1, Rs de T em 1, vento 2 "
                           "m/s em 1, horas interpoladas em 1), Hargreaves–Samani (%1 dias), ETo "
                           "preenchida (4 dias: 2 por interpolação, 1 pela média do mês, 1 pelos "
                           "outros anos), sem dados (1 dia)")
                .arg(hargreaves);
        QCOMPARE(origin.methods, methods);
        QCOMPARE(origin.station, QStringLiteral("MIRANTE"));
        QCOMPARE(origin.latitude, QStringLiteral("-23.49638888"));
        QCOMPARE(origin.longitude, QStringLiteral("-46.62"));
        QCOMPARE(origin.altitude, QStringLiteral("785.64"));
        QCOMPARE(origin.year, QString::number(year));
        QCOMPARE(origin.years, QString::number(year));
        QCOMPARE(origin.method, QStringLiteral("Penman–Monteith (FAO-56)"));
        QCOMPARE(origin.location, QStringLiteral("litoral (0,19)"));
        QCOMPARE(origin.etpFill, QStringLiteral("interpolação até 5 dias, depois média do mês"));
        QCOMPARE(origin.rainFill, QStringLiteral("0 (sem chuva)"));
        QCOMPARE(origin.filledEtpDays, QStringLiteral("355-358"));
        QCOMPARE(origin.filledRainDays, QStringLiteral("355"));
        QCOMPARE(seriesOriginLine(origin),
                 QStringLiteral("Série: A701 MIRANTE, %1, %2, chuva 0 em 1 dia sem registro")
                     .arg(year)
                     .arg(methods));
    }

    // Rainfall missing is a gap, counted apart from the methods: never a dry day.
    void countsDaysWithoutRainfall()
    {
        std::vector<YearDay> days(366, YearDay{Method::PenmanMonteith, 4.0L, 0.0L});
        for (int d : {10, 11, 12, 365})
            days[std::size_t(d)].rainfall.reset();
        QCOMPARE(countMissingRainfall(days, 365), 3);
        QCOMPARE(countMissingRainfall(days, 366), 4);
        QCOMPARE(missingRainfallSummary(20), QStringLiteral("sem chuva: 20 dias"));
        QCOMPARE(missingRainfallSummary(1), QStringLiteral("sem chuva: 1 dia"));
        QCOMPARE(missingRainfallSummary(0), QString());
    }
};

QTEST_GUILESS_MAIN(StationSeriesImportTest)
#include "tst_station_series_import.moc"
