#pragma once

// INMET hourly station files made up for tests, in the institute's layouts, at São Paulo
// (UTC-3): the lines of any run of UTC days from hours made up for each local hour, and the
// hours of each local day as the file holds them, for the test to work out what the reader
// should make of them.

#include "support/Fao56HourlyByHand.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <functional>
#include <map>

namespace inmet
{

inline const double kNaN = std::nan("");
constexpr double kLatitude = -23.49638888;
constexpr double kLongitude = -46.62; // zone UTC-3
constexpr double kAltitude = 785.64;
constexpr int kZone = -3;

// One hour's readings; NaN where the file leaves the field missing.
struct Hour {
    double rain, radiation, dryBulb, dew, tMax, tMin, rhMax, rhMin, rh, wind;
};

inline Hour missingHour()
{
    return {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
}

// A local day's hours, the one ending at 01:00 first; missing where the file has no line.
using DayHours = std::array<Hour, 24>;
using HoursByDay = std::map<QDate, DayHours>;
// The readings of the hour ending at `end` (1..24) local time of `day`.
using HourMaker = std::function<Hour(const QDate &day, int end)>;

inline double tenths(double v)
{
    return std::round(v * 10) / 10;
}

// The UTC day and hour of the line that holds the hour ending at `end` local time of `day`.
inline QDate lineDate(const QDate &day, int end, int *hourUtc)
{
    const int utc = end - kZone;
    *hourUtc = utc % 24;
    return utc >= 24 ? day.addDays(1) : day;
}

// The extraterrestrial radiation of that hour, MJ m-2, reckoned on the day of its line.
inline double raOfLocalHour(const QDate &day, int end)
{
    int hour = 0;
    const QDate date = lineDate(day, end, &hour);
    return fao56::hourlyRa(kLatitude, kLongitude, date.dayOfYear(), hour);
}

// Smooth daily and yearly cycles, in tenths as the stations write them. Radiation falls
// between 05:00 and 19:00, when the sun is up at this latitude all year; the night hours are
// left for the layout to write.
inline Hour madeUp(const QDate &day, int end)
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
inline void spoil(const QDate &day, int end, Hour &h)
{
    switch (day.dayOfYear()) {
    case 10: // no hourly extremes in the morning: the dry bulb stands in
        if (end <= 12)
            h.tMax = h.tMin = kNaN;
        break;
    case 20: // six hours without any temperature at the day's start: still a day
        if (end <= 6)
            h.dryBulb = h.tMax = h.tMin = kNaN;
        break;
    case 21: // seven: no temperatures, no ETo
        if (end <= 7)
            h.dryBulb = h.tMax = h.tMin = kNaN;
        break;
    case 25: // two hours of temperature and humidity in the afternoon: filled
        if (end == 15 || end == 16)
            h.dryBulb = h.tMax = h.tMin = h.rh = h.rhMax = h.rhMin = h.dew = kNaN;
        break;
    case 30: // two midday hours of radiation: filled
        if (end == 12 || end == 13)
            h.radiation = kNaN;
        break;
    case 31: // three: too long to fill, Rs from the temperature range
        if (end >= 11 && end <= 13)
            h.radiation = kNaN;
        break;
    case 40: // no wind: 2 m/s
        h.wind = kNaN;
        break;
    case 50: // no dew point: RHmax and RHmin
        h.dew = kNaN;
        break;
    case 60: // no humidity at all: ea from Tmin
        h.dew = h.rh = h.rhMax = h.rhMin = kNaN;
        break;
    case 70: // seven hours of rain missing
        if (end >= 14 && end <= 20)
            h.rain = kNaN;
        break;
    }
}

inline Hour spoiltMadeUp(const QDate &day, int end)
{
    Hour h = madeUp(day, end);
    spoil(day, end, h);
    return h;
}

struct Layout {
    bool latin1 = false; // else UTF-8 with a byte-order mark
    bool older = false;  // "DATA (YYYY-MM-DD);HORA (UTC)", "2019-01-01;00:00", -9999 for missing
    QString station = QStringLiteral("SAO PAULO - MIRANTE");
    QString code = QStringLiteral("A701");
    QString latitude = QStringLiteral("-23,49638888");
    QString longitude = QStringLiteral("-46,62");
};

inline constexpr char kModernTitles[] =
    "Data;Hora UTC;PRECIPITAÇÃO TOTAL, HORÁRIO (mm);PRESSAO ATMOSFERICA AO NIVEL DA ESTACAO, "
    "HORARIA (mB);PRESSÃO ATMOSFERICA MAX.NA HORA ANT. (AUT) (mB);PRESSÃO ATMOSFERICA MIN. NA "
    "HORA ANT. (AUT) (mB);RADIACAO GLOBAL (Kj/m²);TEMPERATURA DO AR - BULBO SECO, HORARIA (°C);"
    "TEMPERATURA DO PONTO DE ORVALHO (°C);TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C);TEMPERATURA "
    "MÍNIMA NA HORA ANT. (AUT) (°C);TEMPERATURA ORVALHO MAX. NA HORA ANT. (AUT) (°C);TEMPERATURA "
    "ORVALHO MIN. NA HORA ANT. (AUT) (°C);UMIDADE REL. MAX. NA HORA ANT. (AUT) (%);UMIDADE REL. "
    "MIN. NA HORA ANT. (AUT) (%);UMIDADE RELATIVA DO AR, HORARIA (%);VENTO, DIREÇÃO HORARIA (gr) "
    "(° (gr));VENTO, RAJADA MAXIMA (m/s);VENTO, VELOCIDADE HORARIA (m/s);";
// Older years: other date and hour titles, fewer accents, other case, columns moved.
inline constexpr char kOlderTitles[] =
    "DATA (YYYY-MM-DD);HORA (UTC);Precipitacao Total, Horario (mm);Radiacao Global (KJ/m2);"
    "Temperatura do Ar - Bulbo Seco, Horaria (ºC);Temperatura do Ponto de Orvalho (ºC);"
    "Temperatura Maxima na Hora Ant. (AUT) (ºC);Temperatura Minima na Hora Ant. (AUT) (ºC);"
    "Umidade Rel. Max. na Hora Ant. (AUT) (%);Umidade Rel. Min. na Hora Ant. (AUT) (%);"
    "Umidade Relativa do Ar, Horaria (%);Vento, Velocidade Horaria (m/s)";

inline QString field(double v, bool older)
{
    if (std::isnan(v))
        return older ? QStringLiteral("-9999") : QString();
    return QString::number(v, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

inline QString header(const Layout &layout)
{
    return QStringLiteral("REGIAO:;SE\nUF:;SP\nESTACAO:;%1\nCODIGO (WMO):;%2\nLATITUDE:;%3\n"
                          "LONGITUDE:;%4\nALTITUDE:;785,64\nDATA DE FUNDACAO:;25/07/06\n")
               .arg(layout.station, layout.code, layout.latitude, layout.longitude) +
           QString::fromUtf8(layout.older ? kOlderTitles : kModernTitles) + QLatin1Char('\n');
}

// The line of hour `hour` UTC of `date` holding `h`.
inline QString line(const QDate &date, int hour, const Hour &h, bool older)
{
    QStringList f;
    if (older)
        f << date.toString(QStringLiteral("yyyy-MM-dd"))
          << QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0')) << field(h.rain, older)
          << field(h.radiation, older) << field(h.dryBulb, older) << field(h.dew, older)
          << field(h.tMax, older) << field(h.tMin, older) << field(h.rhMax, older)
          << field(h.rhMin, older) << field(h.rh, older) << field(h.wind, older);
    else
        f << date.toString(QStringLiteral("yyyy/MM/dd"))
          << QStringLiteral("%1 UTC").arg(hour * 100, 4, 10, QLatin1Char('0'))
          << field(h.rain, older) << QStringLiteral("923,4") << QStringLiteral("923,6")
          << QStringLiteral("923,1") << field(h.radiation, older) << field(h.dryBulb, older)
          << field(h.dew, older) << field(h.tMax, older) << field(h.tMin, older)
          << QStringLiteral("16,1") << QStringLiteral("15,2") << field(h.rhMax, older)
          << field(h.rhMin, older) << field(h.rh, older) << QStringLiteral("120")
          << QStringLiteral("5,1") << field(h.wind, older) << QString();
    return f.join(QLatin1Char(';')) + QLatin1Char('\n');
}

// A station file of the UTC days `first` to `last`, its hours made by `make`; `days` gets the
// hours of each local day as written, with those of days already there.
inline QByteArray stationFile(const QDate &first, const QDate &last, const Layout &layout,
                              const HourMaker &make, HoursByDay *days)
{
    QString text = header(layout);
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        for (int hour = 0; hour < 24; ++hour) {
            const int end = hour + kZone; // local end of the hour
            const QDate local = end <= 0 ? date.addDays(-1) : date;
            const int localEnd = end <= 0 ? end + 24 : end;
            Hour h = make(local, localEnd);
            // The sensor's night offset: empty in newer files, slightly negative every other
            // hour in older ones.
            if (std::isnan(h.radiation) && layout.older && hour % 2 &&
                raOfLocalHour(local, localEnd) == 0)
                h.radiation = -3.6;
            auto at = days->find(local);
            if (at == days->end()) {
                DayHours none;
                none.fill(missingHour());
                at = days->emplace(local, none).first;
            }
            at->second[static_cast<std::size_t>(localEnd - 1)] = h;
            text += line(date, hour, h, layout.older);
        }
    }
    return layout.latin1 ? text.toLatin1() : QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

// The whole UTC year `year`, by default with the cases of spoil().
inline QByteArray stationFile(int year, const Layout &layout, HoursByDay *days,
                              const HourMaker &make = spoiltMadeUp)
{
    return stationFile(QDate(year, 1, 1), QDate(year, 12, 31), layout, make, days);
}

} // namespace inmet
