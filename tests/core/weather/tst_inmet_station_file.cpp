// INMET hourly station files, made up here in the institute's layouts: hours gathered into
// local days, missing hours, encodings, the year laid out day by day, and the messages for
// files that cannot be read. Every expected figure is computed here from the hours written,
// by FAO-56's equations written out in support/Fao56ByHand.h.
#include "core/base/TaviError.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/StationYear.h"

#include "support/Fao56ByHand.h"

#include <QTest>
#include <cmath>
#include <map>

using namespace tavi;
using namespace tavi::eto;

namespace
{

const double kNaN = std::nan("");
constexpr double kLatitude = -23.49638888;
constexpr double kLongitude = -46.62; // zone UTC-3
constexpr double kAltitude = 785.64;

// One hour's readings; NaN where the file leaves the field missing.
struct Hour {
    double rain, radiation, dryBulb, dew, tMax, tMin, rhMax, rhMin, rh, wind;
};

double tenths(double v)
{
    return std::round(v * 10) / 10;
}

// The hour ending at `end` (1..24) local time of `day`: smooth daily and yearly cycles, in
// tenths as the stations write them. Radiation falls between 05:00 and 19:00, when the sun
// is up at this latitude all year; the night hours are left for the layout to write.
Hour madeUp(const QDate &day, int end)
{
    const double pi = 3.14159265358979323846;
    const double season = std::cos(2 * pi * (day.dayOfYear() - 15) / 365.0);
    const double daily = std::sin(2 * pi * (end - 10) / 24.0);
    Hour h;
    h.dryBulb = tenths(19 + 4 * season + 5 * daily + 0.3 * (day.day() % 5));
    h.tMax = tenths(h.dryBulb + 0.4);
    h.tMin = tenths(h.dryBulb - 0.6);
    h.dew = tenths(h.dryBulb - 7 + 2 * season);
    h.rh = tenths(70 - 18 * daily);
    h.rhMax = tenths(h.rh + 3);
    h.rhMin = tenths(h.rh - 4);
    h.wind = tenths(2.2 + 1.4 * daily + 0.2 * (day.day() % 3));
    h.rain = (day.day() % 4 == 0 && end >= 15 && end <= 17) ? tenths(1.3 * (end - 14)) : 0;
    h.radiation = (end >= 6 && end <= 19)
                      ? tenths((2000 + 1200 * season) * std::sin(pi * (end - 5.5) / 14))
                      : kNaN;
    return h;
}

// What the file leaves out, by day of the year: each case at the edge of the rules.
void spoil(const QDate &day, int end, Hour &h)
{
    switch (day.dayOfYear()) {
    case 10: // no hourly extremes in the morning: the dry bulb stands in
        if (end <= 12)
            h.tMax = h.tMin = kNaN;
        break;
    case 20: // six hours without any temperature: still a day
        if (end <= 6)
            h.dryBulb = h.tMax = h.tMin = kNaN;
        break;
    case 21: // seven: no temperatures, no ETo
        if (end <= 7)
            h.dryBulb = h.tMax = h.tMin = kNaN;
        break;
    case 30: // two midday hours of radiation: Hargreaves-Samani
        if (end == 12 || end == 13)
            h.radiation = kNaN;
        break;
    case 40: // no wind: 2 m/s
        h.wind = kNaN;
        break;
    case 50: // no dew point: RHmax and RHmin
        h.dew = kNaN;
        break;
    case 60: // no humidity at all: Hargreaves-Samani
        h.dew = h.rh = h.rhMax = h.rhMin = kNaN;
        break;
    case 70: // seven hours of rain missing
        if (end >= 14 && end <= 20)
            h.rain = kNaN;
        break;
    }
}

struct Layout {
    bool latin1;     // else UTF-8 with a byte-order mark
    bool older;      // "DATA (YYYY-MM-DD);HORA (UTC)", "2019-01-01;00:00", -9999 for missing
    QString station; // with an accent, to see the encoding read back
};

const char *const kModernTitles =
    "Data;Hora UTC;PRECIPITAÇÃO TOTAL, HORÁRIO (mm);PRESSAO ATMOSFERICA AO NIVEL DA ESTACAO, "
    "HORARIA (mB);PRESSÃO ATMOSFERICA MAX.NA HORA ANT. (AUT) (mB);PRESSÃO ATMOSFERICA MIN. NA "
    "HORA ANT. (AUT) (mB);RADIACAO GLOBAL (Kj/m²);TEMPERATURA DO AR - BULBO SECO, HORARIA (°C);"
    "TEMPERATURA DO PONTO DE ORVALHO (°C);TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C);TEMPERATURA "
    "MÍNIMA NA HORA ANT. (AUT) (°C);TEMPERATURA ORVALHO MAX. NA HORA ANT. (AUT) (°C);TEMPERATURA "
    "ORVALHO MIN. NA HORA ANT. (AUT) (°C);UMIDADE REL. MAX. NA HORA ANT. (AUT) (%);UMIDADE REL. "
    "MIN. NA HORA ANT. (AUT) (%);UMIDADE RELATIVA DO AR, HORARIA (%);VENTO, DIREÇÃO HORARIA (gr) "
    "(° (gr));VENTO, RAJADA MAXIMA (m/s);VENTO, VELOCIDADE HORARIA (m/s);";
// Older years: other date and hour titles, fewer accents, other case, columns moved.
const char *const kOlderTitles =
    "DATA (YYYY-MM-DD);HORA (UTC);Precipitacao Total, Horario (mm);Radiacao Global (KJ/m2);"
    "Temperatura do Ar - Bulbo Seco, Horaria (ºC);Temperatura do Ponto de Orvalho (ºC);"
    "Temperatura Maxima na Hora Ant. (AUT) (ºC);Temperatura Minima na Hora Ant. (AUT) (ºC);"
    "Umidade Rel. Max. na Hora Ant. (AUT) (%);Umidade Rel. Min. na Hora Ant. (AUT) (%);"
    "Umidade Relativa do Ar, Horaria (%);Vento, Velocidade Horaria (m/s)";

QString field(double v, bool older)
{
    if (std::isnan(v))
        return older ? QStringLiteral("-9999") : QString();
    return QString::number(v, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

// The readings of the line of hour `hour` UTC of `date`, and the local day they belong to.
Hour hourOf(const QDate &date, int hour, QDate *localDay)
{
    const int end = hour - 3; // local end of the hour
    *localDay = end <= 0 ? date.addDays(-1) : date;
    const int localEnd = end <= 0 ? end + 24 : end;
    Hour h = madeUp(*localDay, localEnd);
    spoil(*localDay, localEnd, h);
    return h;
}

// A station file of the whole UTC year `year`, and the hours of each local day it holds.
QByteArray stationFile(int year, const Layout &layout, std::map<QDate, std::vector<Hour>> *days)
{
    QString text = QStringLiteral("REGIAO:;SE\nUF:;SP\nESTACAO:;%1\nCODIGO (WMO):;A701\n"
                                  "LATITUDE:;-23,49638888\nLONGITUDE:;-46,62\nALTITUDE:;785,64\n"
                                  "DATA DE FUNDACAO:;25/07/06\n")
                       .arg(layout.station);
    text += QString::fromUtf8(layout.older ? kOlderTitles : kModernTitles) + QLatin1Char('\n');
    for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
        for (int hour = 0; hour < 24; ++hour) {
            QDate local;
            const Hour h = hourOf(date, hour, &local);
            (*days)[local].push_back(h);
            const bool o = layout.older;
            // The sensor's night offset: empty in newer files, slightly negative in older.
            const QString radiation = std::isnan(h.radiation) && o && hour % 2
                                          ? QStringLiteral("-3,6")
                                          : field(h.radiation, o);
            QStringList f;
            if (o)
                f << date.toString(QStringLiteral("yyyy-MM-dd"))
                  << QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0')) << field(h.rain, o)
                  << radiation << field(h.dryBulb, o) << field(h.dew, o) << field(h.tMax, o)
                  << field(h.tMin, o) << field(h.rhMax, o) << field(h.rhMin, o) << field(h.rh, o)
                  << field(h.wind, o);
            else
                f << date.toString(QStringLiteral("yyyy/MM/dd"))
                  << QStringLiteral("%1 UTC").arg(hour * 100, 4, 10, QLatin1Char('0'))
                  << field(h.rain, o) << QStringLiteral("923,4") << QStringLiteral("923,6")
                  << QStringLiteral("923,1") << radiation << field(h.dryBulb, o) << field(h.dew, o)
                  << field(h.tMax, o) << field(h.tMin, o) << QStringLiteral("16,1")
                  << QStringLiteral("15,2") << field(h.rhMax, o) << field(h.rhMin, o)
                  << field(h.rh, o) << QStringLiteral("120") << QStringLiteral("5,1")
                  << field(h.wind, o) << QString();
            text += f.join(QLatin1Char(';')) + QLatin1Char('\n');
        }
    }
    return layout.latin1 ? text.toLatin1() : QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

// What the rules make of a local day's hours.
struct Expected {
    double tMax = kNaN, tMin = kNaN, rhMax = kNaN, rhMin = kNaN, rh = kNaN, dew = kNaN, wind = kNaN,
           rain = kNaN, radiation = kNaN;
    int method = int(Method::Missing);
    double eto = kNaN;
};

Expected expectedDay(const QDate &day, const std::vector<Hour> &hours)
{
    const auto pick = [](double a, double b) { return std::isnan(a) ? b : a; };
    const auto enough = [](int n) { return n >= 18; };
    double tMax = -1e9, tMin = 1e9, rhMax = -1e9, rhMin = 1e9, sums[4] = {};
    int n[8] = {};
    for (const Hour &h : hours) {
        const double hx = pick(h.tMax, h.dryBulb), hn = pick(h.tMin, h.dryBulb);
        const double rx = pick(h.rhMax, h.rh), rn = pick(h.rhMin, h.rh);
        const double mean[4] = {h.rh, h.dew, h.wind, h.rain};
        if (!std::isnan(hx))
            tMax = std::max(tMax, hx), ++n[0];
        if (!std::isnan(hn))
            tMin = std::min(tMin, hn), ++n[1];
        if (!std::isnan(rx))
            rhMax = std::max(rhMax, rx), ++n[2];
        if (!std::isnan(rn))
            rhMin = std::min(rhMin, rn), ++n[3];
        for (int k = 0; k < 4; ++k)
            if (!std::isnan(mean[k]))
                sums[k] += mean[k], ++n[4 + k];
    }
    Expected e;
    e.tMax = enough(n[0]) ? tMax : kNaN;
    e.tMin = enough(n[1]) ? tMin : kNaN;
    e.rhMax = enough(n[2]) ? rhMax : kNaN;
    e.rhMin = enough(n[3]) ? rhMin : kNaN;
    e.rh = enough(n[4]) ? sums[0] / n[4] : kNaN;
    e.dew = enough(n[5]) ? sums[1] / n[5] : kNaN;
    e.wind = enough(n[6]) ? sums[2] / n[6] : kNaN;
    e.rain = enough(n[7]) ? sums[3] : kNaN;
    // Radiation counts when every sunlit hour (ending 06:00 to 19:00) has its reading.
    if (hours.size() >= 19) {
        double kj = 0;
        for (int end = 6; end <= 19; ++end)
            kj += hours[static_cast<std::size_t>(end - 1)].radiation;
        e.radiation = kj / 1000;
    }
    if (std::isnan(e.tMax) || std::isnan(e.tMin))
        return e;
    const int j = day.dayOfYear();
    double ea = kNaN;
    if (!std::isnan(e.dew))
        ea = fao56::saturation(e.dew);
    else if (!std::isnan(e.rhMax) && !std::isnan(e.rhMin))
        ea = (fao56::saturation(e.tMin) * e.rhMax + fao56::saturation(e.tMax) * e.rhMin) / 200;
    else if (!std::isnan(e.rhMax))
        ea = fao56::saturation(e.tMin) * e.rhMax / 100;
    else if (!std::isnan(e.rh))
        ea = e.rh / 100 * (fao56::saturation(e.tMax) + fao56::saturation(e.tMin)) / 2;
    else
        ea = fao56::saturation(e.tMin); // eq. 48
    const double rs = std::isnan(e.radiation)
                          ? fao56::rsFromTemperature(e.tMax, e.tMin, kLatitude, kAltitude, j, 0.16)
                          : e.radiation;
    const double u2 =
        std::isnan(e.wind) ? 2 : std::max(0.5, e.wind * 4.87 / std::log(67.8 * 10 - 5.42));
    e.method = int(Method::PenmanMonteith);
    e.eto = fao56::penmanMonteith(kLatitude, kAltitude, j, e.tMax, e.tMin, ea, u2, rs);
    return e;
}

bool same(const std::optional<long double> &read, double expected)
{
    if (!read)
        return std::isnan(expected);
    return std::fabs(static_cast<double>(*read) - expected) < 1e-9;
}

QString shown(const std::optional<long double> &v)
{
    return v ? QString::number(static_cast<double>(*v), 'g', 12) : QStringLiteral("missing");
}

// A small valid file in the modern layout, to be broken line by line.
QString twoDays()
{
    QString text = QStringLiteral("REGIAO:;SE\nUF:;SP\nESTACAO:;SAO PAULO - MIRANTE\n"
                                  "CODIGO (WMO):;A701\nLATITUDE:;-23,49638888\n"
                                  "LONGITUDE:;-46,62\nALTITUDE:;785,64\n");
    text += QString::fromUtf8(kModernTitles) + QLatin1Char('\n');
    for (int hour = 0; hour < 48; ++hour)
        text += QStringLiteral("2023/01/%1;%2 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;23;22;16;"
                               "15;80;70;75;120;5,1;2,1;\n")
                    .arg(1 + hour / 24, 2, 10, QLatin1Char('0'))
                    .arg(hour % 24 * 100, 4, 10, QLatin1Char('0'));
    return text;
}

const QString kTMaxTitle = QStringLiteral("TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C)");

} // namespace

class InmetStationFileTest : public QObject
{
    Q_OBJECT

private slots:
    void gathersHoursIntoLocalDays_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<bool>("older");
        QTest::newRow("leap year, UTF-8, newer layout") << 2024 << false << false;
        QTest::newRow("common year, Latin-1, older layout, -9999") << 2023 << true << true;
        QTest::newRow("leap year, Latin-1, newer layout") << 2020 << true << false;
        QTest::newRow("common year, UTF-8, older layout") << 2019 << false << true;
    }
    void gathersHoursIntoLocalDays()
    {
        QFETCH(int, year);
        QFETCH(bool, latin1);
        QFETCH(bool, older);
        std::map<QDate, std::vector<Hour>> hours;
        const QString name = QStringLiteral("SÃO PAULO - MIRANTE");
        const StationSeries series =
            readInmetStationFile(stationFile(year, {latin1, older, name}, &hours));

        QCOMPARE(series.site.name, name);
        QCOMPARE(series.site.code, QStringLiteral("A701"));
        QVERIFY(std::fabs(static_cast<double>(series.site.latitude) - kLatitude) < 1e-12);
        QVERIFY(std::fabs(static_cast<double>(series.site.longitude) - kLongitude) < 1e-12);
        QVERIFY(std::fabs(static_cast<double>(series.site.altitude) - kAltitude) < 1e-12);

        // From the last evening of the year before (its 4 hours, too few for anything) to
        // 31 December, whose last 4 hours are in next year's file.
        QCOMPARE(series.days.size(), hours.size());
        QCOMPARE(series.days.front().date, QDate(year - 1, 12, 31));
        QCOMPARE(series.days.back().date, QDate(year, 12, 31));
        const std::vector<YearDay> laidOut = stationYear(series, year, LeapDayFill::Empty);
        for (const DailyRecord &r : series.days) {
            const Expected e = expectedDay(r.date, hours[r.date]);
            const QString where = r.date.toString(Qt::ISODate);
            const std::pair<const std::optional<long double> *, double> checks[] = {
                {&r.tMax, e.tMax},      {&r.tMin, e.tMin},     {&r.rhMax, e.rhMax},
                {&r.rhMin, e.rhMin},    {&r.rhMean, e.rh},     {&r.dewPoint, e.dew},
                {&r.windSpeed, e.wind}, {&r.rainfall, e.rain}, {&r.solarRadiation, e.radiation}};
            for (const auto &[read, expected] : checks)
                QVERIFY2(same(*read, expected), qPrintable(QStringLiteral("%1: read %2, made %3")
                                                               .arg(where, shown(*read))
                                                               .arg(expected)));
            QCOMPARE(static_cast<double>(r.windHeight), 10.0);
            if (r.date.year() != year)
                continue;
            const YearDay &day = laidOut[static_cast<std::size_t>(r.date.dayOfYear() - 1)];
            QVERIFY2(int(day.method) == e.method, qPrintable(where));
            QVERIFY2(same(day.eto, e.eto), qPrintable(QStringLiteral("%1: ETo %2, by hand %3")
                                                          .arg(where, shown(day.eto))
                                                          .arg(e.eto)));
            QVERIFY(same(day.rainfall, e.rain));
        }
        // The spoilt days took the paths they were made for.
        const auto method = [&](int j) { return laidOut[static_cast<std::size_t>(j - 1)].method; };
        QCOMPARE(method(21), Method::Missing);
        QCOMPARE(method(30), Method::PenmanMonteith);
        QCOMPARE(method(40), Method::PenmanMonteith);
        QCOMPARE(method(60), Method::PenmanMonteith);
        QCOMPARE(method(20), Method::PenmanMonteith);
        QVERIFY(!laidOut[69].rainfall);
    }

    // The portal's export: its own header lines and titles, decimal points, "null".
    void readsThePortalExport()
    {
        QString text = QStringLiteral("Nome: SAO PAULO - MIRANTE\nCodigo Estacao: A701\n"
                                      "Latitude: -23.49638888\nLongitude: -46.62\n"
                                      "Altitude: 785.64\nSituacao: Operante\n\n"
                                      "Data Medicao;Hora Medicao;PRECIPITACAO TOTAL, HORARIO(mm);"
                                      "TEMPERATURA DO AR - BULBO SECO, HORARIA(°C);"
                                      "UMIDADE RELATIVA DO AR, HORARIA(%);\n");
        for (int hour = 0; hour < 24; ++hour)
            text += QStringLiteral("2023-01-02;%1;%2;%3;null;\n")
                        .arg(hour * 100, 4, 10, QLatin1Char('0'))
                        .arg(hour == 16 ? QStringLiteral("2.5") : QStringLiteral("null"))
                        .arg(20 + hour % 12);
        const StationSeries series = readInmetStationFile(text.toUtf8());
        QCOMPARE(series.site.name, QStringLiteral("SAO PAULO - MIRANTE"));
        QCOMPARE(series.site.code, QStringLiteral("A701"));
        QCOMPARE(static_cast<double>(series.site.altitude), 785.64);
        // 2 January local takes the hours ending 04:00 to 23:00 UTC: 20 readings.
        QCOMPARE(series.days.size(), std::size_t(2));
        const DailyRecord &day = series.days[1];
        QCOMPARE(day.date, QDate(2023, 1, 2));
        QCOMPARE(static_cast<double>(*day.tMax), 31.0);
        QCOMPARE(static_cast<double>(*day.tMin), 20.0);
        QVERIFY(!day.rhMean);
        QVERIFY(!day.rainfall); // one hour of 20 measured
    }

    void dayThreeHundredSixtySix_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("fill");
        QTest::addColumn<bool>("copied");
        QTest::addColumn<bool>("present");
        QTest::newRow("leap year, its own day 366")
            << 2024 << int(LeapDayFill::Empty) << false << true;
        QTest::newRow("leap year, never copied")
            << 2024 << int(LeapDayFill::CopyOfDay365) << false << true;
        QTest::newRow("common year, left empty")
            << 2023 << int(LeapDayFill::Empty) << false << false;
        QTest::newRow("common year, copy of day 365")
            << 2023 << int(LeapDayFill::CopyOfDay365) << true << true;
    }
    void dayThreeHundredSixtySix()
    {
        QFETCH(int, year);
        QFETCH(int, fill);
        QFETCH(bool, copied);
        QFETCH(bool, present);
        std::map<QDate, std::vector<Hour>> hours;
        const StationSeries series =
            readInmetStationFile(stationFile(year, {false, false, QStringLiteral("X")}, &hours));
        const std::vector<YearDay> days = stationYear(series, year, LeapDayFill(fill));
        QCOMPARE(days.size(), std::size_t(366));
        QCOMPARE(days[365].eto.has_value(), present);
        QCOMPARE(days[365].rainfall.has_value(), present);
        if (present)
            QCOMPARE(days[365].eto == days[364].eto, copied);
        else
            QCOMPARE(days[365].method, Method::Missing);
    }

    void yearNotInTheFile()
    {
        std::map<QDate, std::vector<Hour>> hours;
        const StationSeries series =
            readInmetStationFile(stationFile(2023, {false, false, QStringLiteral("X")}, &hours));
        // 2022 has only the 4 hours of its last evening: not a year of data.
        for (int year : {2022, 2024}) {
            try {
                stationYear(series, year, LeapDayFill::Empty);
                QFAIL("laid out");
            } catch (const TaviError &e) {
                QCOMPARE(e.message(), QStringLiteral("Os dados da estação não cobrem o ano de "
                                                     "%1: vão de 01/01/2023 a 31/12/2023.")
                                          .arg(year));
            }
        }
    }

    void refusesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<QString>("message");
        const QString firstRow =
            QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;23;22;");
        QTest::newRow("not a number")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;"
                              "abc;22;")
            << false
            << QStringLiteral("Linha 9, campo \"%1\": \"abc\" não é um número.").arg(kTMaxTitle);
        QTest::newRow("Latin-1 titles come back with their accents")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;"
                              "2x3;22;")
            << true
            << QStringLiteral("Linha 9, campo \"%1\": \"2x3\" não é um número.").arg(kTMaxTitle);
        QTest::newRow("Fahrenheit")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;72,5;15,1;"
                              "23;22;")
            << false
            << QStringLiteral("Linha 9, campo \"TEMPERATURA DO AR - BULBO SECO, HORARIA (°C)\": "
                              "72,5 °C está fora da faixa plausível (-60 a 60 °C); confira a "
                              "unidade.");
        QTest::newRow("humidity above 100")
            << QStringLiteral(";80;70;75;120;5,1;2,1;\n2023/01/01;0200")
            << QStringLiteral(";80;70;101;120;5,1;2,1;\n2023/01/01;0200") << false
            << QStringLiteral("Linha 10, campo \"UMIDADE RELATIVA DO AR, HORARIA (%)\": 101 % "
                              "está fora da faixa plausível (0 a 100 %); confira a unidade.");
        QTest::newRow("radiation in W/m² would not be kJ, in J far beyond")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500000;22,5;"
                              "15,1;23;22;")
            << false
            << QStringLiteral("Linha 9, campo \"RADIACAO GLOBAL (Kj/m²)\": 1500000 kJ/m² está "
                              "fora da faixa plausível (-1000 a 5000 kJ/m²); confira a unidade.");
        QTest::newRow("bad date")
            << QStringLiteral("2023/01/02;0500") << QStringLiteral("2023/02/30;0500") << false
            << QStringLiteral(
                   "Linha 38, campo \"Data\": \"2023/02/30\" não é uma data (AAAA/MM/DD ou "
                   "AAAA-MM-DD).");
        QTest::newRow("bad hour")
            << QStringLiteral("2023/01/01;0100 UTC") << QStringLiteral("2023/01/01;0130 UTC")
            << false
            << QStringLiteral(
                   "Linha 10, campo \"Hora UTC\": \"0130 UTC\" não é uma hora (0000 UTC ou "
                   "00:00).");
        QTest::newRow("an hour twice")
            << QStringLiteral("2023/01/01;0100 UTC") << QStringLiteral("2023/01/01;0000 UTC")
            << false
            << QStringLiteral("Linha 10: a hora 00:00 UTC de 01/01/2023 aparece mais de "
                              "uma vez.");
        QTest::newRow("no column titles")
            << QStringLiteral("Data;Hora UTC") << QStringLiteral("Dia;Hora UTC") << false
            << QStringLiteral("O arquivo não é de dados horários de uma estação do INMET: falta a "
                              "linha de títulos das colunas (\"Data;Hora UTC;...\").");
        QTest::newRow("no latitude")
            << QStringLiteral("LATITUDE:;-23,49638888\n") << QString() << false
            << QStringLiteral("O cabeçalho do arquivo não informa a latitude da estação.");
        QTest::newRow("latitude out of range")
            << QStringLiteral("LATITUDE:;-23,49638888") << QStringLiteral("LATITUDE:;-123,4")
            << false
            << QStringLiteral(
                   "Linha 5: a latitude da estação, \"-123,4\", não é um número entre -90 e 90.");
        QTest::newRow("no temperature column")
            << QStringLiteral("BULBO SECO, HORARIA (°C);TEMPERATURA DO PONTO DE ORVALHO (°C);"
                              "TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C);TEMPERATURA MÍNIMA")
            << QStringLiteral("BULBO ÚMIDO (°C);TEMPERATURA DO PONTO DE ORVALHO (°C);TEMP. MÁX. "
                              "(°C);TEMP. MÍN.")
            << false
            << QStringLiteral("Linha 8: o arquivo não tem coluna de temperatura do ar "
                              "(\"TEMPERATURA DO AR - BULBO SECO\" ou as temperaturas máxima e "
                              "mínima na hora).");
    }
    void refusesWhatItCannotRead()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, latin1);
        QFETCH(QString, message);
        QString text = twoDays();
        const qsizetype at = text.indexOf(from);
        QVERIFY(at >= 0);
        text.replace(at, from.size(), to);
        try {
            readInmetStationFile(latin1 ? text.toLatin1() : text.toUtf8());
            QFAIL("read");
        } catch (const TaviError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    void titlesOnlyIsNoData()
    {
        QString text = twoDays();
        text.truncate(text.indexOf(QStringLiteral("2023/01/01")));
        QVERIFY_THROWS_EXCEPTION(TaviError, readInmetStationFile(text.toUtf8()));
    }
};

QTEST_GUILESS_MAIN(InmetStationFileTest)
#include "tst_inmet_station_file.moc"
