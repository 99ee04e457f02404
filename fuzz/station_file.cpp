// Any bytes read as an INMET hourly station file. What must hold:
// - reading ends, with a series or a TaviError, and nothing else escapes;
// - a series has its days in strictly increasing order, every quantity within what the
//   readings allow (a daily extreme within the hourly ranges, radiation not negative), and
//   no day with more hours filled between their neighbours than it has hours;
// - each day's ETo is finite, and laying out the year of any day gives 366 days or a
//   TaviError.

#include "FuzzSupport.h"

#include "core/base/TaviError.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/StationYear.h"

#include <QByteArray>
#include <vector>

using namespace tavi;
using namespace tavi::eto;

namespace
{

// A station's header and titles, so that most inputs reach the hourly lines.
const char kHeader[] =
    "REGIAO:;SE\nUF:;SP\nESTACAO:;SAO PAULO - MIRANTE\nCODIGO (WMO):;A701\n"
    "LATITUDE:;-23,49638888\nLONGITUDE:;-46,62\nALTITUDE:;785,64\n"
    "Data;Hora UTC;PRECIPITAÇÃO TOTAL, HORÁRIO (mm);RADIACAO GLOBAL (Kj/m²);"
    "TEMPERATURA DO AR - BULBO SECO, HORARIA (°C);TEMPERATURA DO PONTO DE ORVALHO (°C);"
    "TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C);TEMPERATURA MÍNIMA NA HORA ANT. (AUT) (°C);"
    "UMIDADE REL. MAX. NA HORA ANT. (AUT) (%);UMIDADE REL. MIN. NA HORA ANT. (AUT) (%);"
    "UMIDADE RELATIVA DO AR, HORARIA (%);VENTO, VELOCIDADE HORARIA (m/s);\n";

void within(const std::optional<long double> &v, long double low, long double high,
            const char *what, const QDate &day)
{
    FUZZ_CHECK(!v || (*v >= low && *v <= high), what,
               day.toString(Qt::ISODate) + QLatin1Char(' ') + fuzz::describe(*v));
}

void checkSeries(const StationSeries &series)
{
    QDate previous;
    for (const DailyRecord &r : series.days) {
        FUZZ_CHECK(r.date.isValid() && (!previous.isValid() || previous < r.date),
                   "days in strictly increasing order", r.date.toString(Qt::ISODate));
        previous = r.date;
        within(r.tMax, -60, 60, "Tmax within the hourly range", r.date);
        within(r.tMin, -60, 60, "Tmin within the hourly range", r.date);
        within(r.rhMean, 0, 100, "RH within 0-100", r.date);
        within(r.windSpeed, 0, 75, "wind within the hourly range", r.date);
        within(r.rainfall, 0, 24 * 250, "rainfall not negative", r.date);
        within(r.solarRadiation, 0, 24 * 5, "radiation not negative", r.date);
        FUZZ_CHECK(r.interpolatedHours >= 0 && r.interpolatedHours <= 24,
                   "at most the day's 24 hours filled",
                   r.date.toString(Qt::ISODate) + QLatin1Char(' ') +
                       QString::number(r.interpolatedHours));
        const DailyEto eto = dailyEto(r, series.site);
        FUZZ_CHECK(!eto.eto || std::isfinite(*eto.eto), "ETo finite", r.date.toString(Qt::ISODate));
        FUZZ_CHECK(eto.eto.has_value() == (eto.method != Method::Missing),
                   "a method exactly when there is an ETo", r.date.toString(Qt::ISODate));
    }
    if (series.days.empty())
        return;
    try {
        const std::vector<YearDay> year =
            stationYear(series, series.days.front().date.year(), LeapDayFill::CopyOfDay365);
        FUZZ_CHECK(year.size() == 366, "a year of 366 days", QString::number(year.size()));
    } catch (const TaviError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1),
                           static_cast<qsizetype>(size - 1));
    // Bit 2 cuts the bytes in two files at the first line end past the middle, read together
    // as two years of one station.
    std::vector<QByteArray> files{bytes};
    const qsizetype cut = bytes.indexOf('\n', bytes.size() / 2);
    if ((data[0] & 4) && cut >= 0)
        files = {bytes.left(cut + 1), bytes.mid(cut + 1)};
    // Bit 0 puts a valid header in front of each; bit 1 writes it in Latin-1.
    if (data[0] & 1) {
        const QString header = QString::fromUtf8(kHeader);
        for (QByteArray &file : files)
            file.prepend((data[0] & 2) ? header.toLatin1() : header.toUtf8());
    }
    try {
        checkSeries(readInmetStationFiles(files));
    } catch (const TaviError &) {
    }
    return 0;
}
