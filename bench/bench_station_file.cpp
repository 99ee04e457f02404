#include "BenchUtil.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/StationYear.h"

#include <QByteArray>
#include <QDate>
#include <cmath>

namespace
{

// A leap year of an INMET station's hours (8,784 lines) in the newer layout, Latin-1 as the
// institute writes it, with night radiation left empty.
QByteArray stationYearFile()
{
    QByteArray file =
        QStringLiteral("REGIAO:;SE\nUF:;SP\nESTACAO:;SÃO PAULO - MIRANTE\nCODIGO (WMO):;A701\n"
                       "LATITUDE:;-23,49638888\nLONGITUDE:;-46,62\nALTITUDE:;785,64\n"
                       "DATA DE FUNDACAO:;25/07/06\n"
                       "Data;Hora UTC;PRECIPITAÇÃO TOTAL, HORÁRIO (mm);PRESSAO ATMOSFERICA AO "
                       "NIVEL DA ESTACAO, HORARIA (mB);RADIACAO GLOBAL (Kj/m²);TEMPERATURA DO "
                       "AR - BULBO SECO, HORARIA (°C);TEMPERATURA DO PONTO DE ORVALHO (°C);"
                       "TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C);TEMPERATURA MÍNIMA NA HORA "
                       "ANT. (AUT) (°C);UMIDADE REL. MAX. NA HORA ANT. (AUT) (%);UMIDADE REL. "
                       "MIN. NA HORA ANT. (AUT) (%);UMIDADE RELATIVA DO AR, HORARIA (%);VENTO, "
                       "DIREÇÃO HORARIA (gr) (° (gr));VENTO, RAJADA MAXIMA (m/s);VENTO, "
                       "VELOCIDADE HORARIA (m/s);\n")
            .toLatin1();
    const auto comma = [](double v) { return QByteArray::number(v, 'f', 1).replace('.', ','); };
    for (QDate date(2024, 1, 1); date.year() == 2024; date = date.addDays(1)) {
        for (int hour = 0; hour < 24; ++hour) {
            const double daily = std::sin(2 * 3.14159265 * (hour - 13) / 24.0);
            const double t = 21 + 5 * daily;
            const bool sun = hour >= 9 && hour <= 22;
            file += date.toString(QStringLiteral("yyyy/MM/dd")).toLatin1() + ';' +
                    QByteArray::number(hour * 100).rightJustified(4, '0') + " UTC;" +
                    (hour == 18 ? "1,2" : "0") + ";923,4;" +
                    (sun ? comma(2500 * std::sin(3.14159265 * (hour - 8.5) / 14)) : "") + ';' +
                    comma(t) + ';' + comma(t - 7) + ';' + comma(t + 0.4) + ';' + comma(t - 0.5) +
                    ';' + comma(73 - 18 * daily) + ';' + comma(67 - 18 * daily) + ';' +
                    comma(70 - 18 * daily) + ";120;5,1;" + comma(2.2 + daily) + ";\n";
        }
    }
    return file;
}

} // namespace

// A year of hourly station records read, gathered into days and turned into the ETo and
// rainfall of days 1 to 366.
void benchStationFile()
{
    const QByteArray file = stationYearFile();
    const double ms = bench::medianMs(11, [&] {
        const tavi::eto::StationSeries series = tavi::eto::readInmetStationFile(file);
        tavi::eto::stationYear(series, 2024, tavi::eto::LeapDayFill::Empty);
    });
    bench::row(QStringLiteral("ETo: INMET file of 8,784 hours read, to days 1..366"), ms, "ms",
               QStringLiteral("goal < 50"));
}

// Ten years of a station's days, a few of them missing each month, worked out and laid out
// as the import's year list needs them: which years are complete, the driest, and the mean
// year with the gaps filled.
void benchStationYears()
{
    tavi::eto::StationSeries series;
    series.site.latitude = -23.5L;
    series.site.altitude = 785;
    for (QDate date(2014, 1, 1); date.year() < 2024; date = date.addDays(1)) {
        if (date.day() % 13 == 0)
            continue;
        tavi::eto::DailyRecord r;
        r.date = date;
        r.tMax = 27 + date.dayOfYear() % 5;
        r.tMin = 16 + date.dayOfYear() % 3;
        r.rhMax = 90;
        r.rhMin = 45;
        r.windSpeed = 2.5L;
        r.solarRadiation = 14 + date.dayOfYear() % 9;
        r.rainfall = date.day() % 6 == 0 ? 12 : 0;
        series.days.push_back(r);
    }
    const tavi::eto::GapFill fill;
    const double ms = bench::medianMs(11, [&] {
        const tavi::eto::StationYears years(series, tavi::eto::EtoSettings());
        years.completeness(fill);
        years.layOut({tavi::eto::YearChoice::Kind::Mean, 0}, fill,
                     tavi::eto::LeapDayFill::CopyOfDay365);
    });
    bench::row(QStringLiteral("ETo: 10 years of days to complete years, driest and mean year"), ms,
               "ms", QStringLiteral("goal < 50"));
}
