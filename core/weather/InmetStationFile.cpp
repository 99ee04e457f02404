#include "core/weather/InmetStationFile.h"

#include "core/base/TaviError.h"
#include "core/weather/SolarGeometry.h"
#include "core/weather/WeatherText.h"

#include <QSet>
#include <QStringList>
#include <QStringView>
#include <cmath>
#include <limits>
#include <map>

namespace tavi::eto
{

namespace
{

enum Quantity {
    Rainfall,
    Radiation,
    DryBulb,
    DewPoint,
    TMax,
    TMin,
    RhMax,
    RhMin,
    Rh,
    Wind,
    kQuantities
};

// Which column holds each quantity, -1 where the file has none.
struct Columns {
    int index[kQuantities];
    QString title[kQuantities];
};

std::optional<Quantity> quantityTitled(const QString &folded)
{
    const auto has = [&folded](const char *word) { return folded.contains(QLatin1String(word)); };
    const bool max = has("MAX");
    const bool min = has("MIN");
    if (has("PRECIPITACAO"))
        return Rainfall;
    if (has("RADIACAO"))
        return Radiation;
    if (has("BULBO SECO"))
        return DryBulb;
    if (has("ORVALHO"))
        return max || min ? std::nullopt : std::optional<Quantity>(DewPoint);
    if (has("TEMPERATURA MAXIMA"))
        return TMax;
    if (has("TEMPERATURA MINIMA"))
        return TMin;
    if (has("UMIDADE"))
        return max ? RhMax : min ? RhMin : Rh;
    if (has("VENTO") && has("VELOCIDADE"))
        return Wind;
    return std::nullopt;
}

const PlausibleRange &rangeOf(int quantity)
{
    switch (quantity) {
    case Rainfall:
        return ranges::hourlyRainfall;
    case Radiation:
        return ranges::hourlyRadiationKj;
    case RhMax:
    case RhMin:
    case Rh:
        return ranges::relativeHumidity;
    case Wind:
        return ranges::windSpeed;
    default:
        return ranges::temperature;
    }
}

bool isTitleLine(const QStringList &fields)
{
    return fields.size() >= 2 && foldedTitle(fields[0]).startsWith(QLatin1String("DATA")) &&
           foldedTitle(fields[1]).startsWith(QLatin1String("HORA"));
}

Columns columnsOf(const QStringList &titles, int line)
{
    Columns columns;
    std::fill(std::begin(columns.index), std::end(columns.index), -1);
    for (int i = 2; i < titles.size(); ++i) {
        const std::optional<Quantity> q = quantityTitled(foldedTitle(titles[i]));
        if (q && columns.index[*q] < 0) {
            columns.index[*q] = i;
            columns.title[*q] = titles[i].trimmed();
        }
    }
    if (columns.index[DryBulb] < 0 && (columns.index[TMax] < 0 || columns.index[TMin] < 0))
        throw TaviError(QStringLiteral("Linha %1: o arquivo não tem coluna de temperatura do ar "
                                       "(\"TEMPERATURA DO AR - BULBO SECO\" ou as temperaturas "
                                       "máxima e mínima na hora).")
                            .arg(line));
    return columns;
}

struct Site {
    StationSite site;
    bool hasLatitude = false;
    bool hasLongitude = false;
    bool hasAltitude = false;
};

void readHeaderLine(const QStringList &fields, int line, Site &s)
{
    // "LATITUDE:;-23,49" in the yearly files, "Latitude: -23.49" in the portal's exports.
    QString key = fields[0];
    QString value = fields.size() > 1 ? fields[1].trimmed() : QString();
    const qsizetype colon = key.indexOf(QLatin1Char(':'));
    if (colon > 0 && value.isEmpty()) {
        value = key.mid(colon + 1).trimmed();
        key.truncate(colon);
    }
    key = foldedTitle(key);
    if (key.endsWith(QLatin1Char(':')))
        key.chop(1);
    const auto number = [&](const char *what, long double low, long double high) {
        const std::optional<long double> v = readDecimal(value);
        if (!v || *v < low || *v > high)
            throw TaviError(QStringLiteral("Linha %1: a %2 da estação, \"%3\", não é um número "
                                           "entre %4 e %5.")
                                .arg(line)
                                .arg(QString::fromUtf8(what), value)
                                .arg(static_cast<double>(low))
                                .arg(static_cast<double>(high)));
        return *v;
    };
    if (key == QLatin1String("ESTACAO") || key == QLatin1String("NOME")) {
        s.site.name = value;
    } else if (key.startsWith(QLatin1String("CODIGO"))) {
        s.site.code = value;
    } else if (key == QLatin1String("LATITUDE")) {
        s.site.latitude = number("latitude", -90, 90);
        s.hasLatitude = true;
    } else if (key == QLatin1String("LONGITUDE")) {
        s.site.longitude = number("longitude", -180, 180);
        s.hasLongitude = true;
    } else if (key == QLatin1String("ALTITUDE")) {
        s.site.altitude = number("altitude", -500, 9000);
        s.hasAltitude = true;
    }
}

// "2023/01/31" or "2023-01-31", the layouts of nearly every line, without the cost of a
// format string.
QDate readYearFirstDate(QStringView t)
{
    if (t.size() != 10 || t[4] != t[7] || (t[4] != QLatin1Char('/') && t[4] != QLatin1Char('-')))
        return {};
    int parts[3] = {};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
                return {};
            parts[p] = parts[p] * 10 + (t[i].unicode() - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

QDate readDate(QStringView text)
{
    const QDate fast = readYearFirstDate(text.trimmed());
    if (fast.isValid())
        return fast;
    const QString t = text.trimmed().toString();
    for (const char *format : {"yyyy/MM/dd", "yyyy-MM-dd", "dd/MM/yyyy"}) {
        const QDate date = QDate::fromString(t, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return {};
}

// "0000 UTC", "1300", "13:00" or "13:00 UTC": the hour, or -1.
int readHour(QStringView text)
{
    QStringView t = text.trimmed();
    if (t.endsWith(QLatin1String("UTC"), Qt::CaseInsensitive))
        t = t.chopped(3).trimmed();
    QString digits = t.toString();
    digits.remove(QLatin1Char(':'));
    if (digits.size() != 4 || digits.mid(2) != QLatin1String("00"))
        return -1;
    bool ok = false;
    const int hour = digits.left(2).toInt(&ok);
    return ok && digits[0].isDigit() && digits[1].isDigit() && hour < 24 ? hour : -1;
}

// Hours of one quantity over a day.
struct Tally {
    long double sum = 0;
    long double low = std::numeric_limits<long double>::infinity();
    long double high = -std::numeric_limits<long double>::infinity();
    int count = 0;

    void add(long double v)
    {
        sum += v;
        low = std::min(low, v);
        high = std::max(high, v);
        ++count;
    }
    bool enough() const { return count >= 24 - kMostMissingHours; }
    std::optional<long double> mean() const
    {
        return enough() ? std::optional<long double>(sum / count) : std::nullopt;
    }
    std::optional<long double> total() const
    {
        return enough() ? std::optional<long double>(sum) : std::nullopt;
    }
    std::optional<long double> highest() const
    {
        return enough() ? std::optional<long double>(high) : std::nullopt;
    }
    std::optional<long double> lowest() const
    {
        return enough() ? std::optional<long double>(low) : std::nullopt;
    }
};

struct DayTally {
    Tally rain, tMax, tMin, rhMax, rhMin, rh, dew, wind;
    long double radiationKj = 0;
    long double raCovered = 0; // extraterrestrial radiation of the hours with a reading
};

// The station's zone in whole hours, east positive.
int zoneHours(long double longitude)
{
    return static_cast<int>(std::lround(longitude / 15));
}

// The local day that holds the hour ending at `hour` UTC of `date`.
QDate localDayOf(const QDate &date, int hour, int zone)
{
    const int start = hour - 1 + zone; // -13 .. 34
    return date.addDays(start < 0 ? -1 : start / 24);
}

// The hourly extraterrestrial radiation at the station; the sun's course is worked out once
// for each day of the year, since a file holds every day's hours.
class StationSun
{
public:
    explicit StationSun(const StationSite &site) : m_site(site) {}

    long double hourRa(const QDate &utcDay, int hourEnd)
    {
        const int j = utcDay.dayOfYear();
        std::optional<SolarDay> &day = m_days[static_cast<std::size_t>(j)];
        if (!day)
            day = solarDay(m_site.latitude, j);
        return hourlyExtraterrestrialRadiation(*day, m_site.longitude, hourEnd);
    }

    // The whole local day's, hour by hour as its lines hold it.
    long double localDayRa(const QDate &day, int zone)
    {
        long double total = 0;
        for (int k = 0; k < 24; ++k) {
            const int end = k + 1 - zone; // UTC hour, from the day's UTC midnight
            const int shift = end < 0 ? -1 : end / 24;
            total += hourRa(day.addDays(shift), end - 24 * shift);
        }
        return total;
    }

private:
    StationSite m_site;
    std::optional<SolarDay> m_days[367];
};

DailyRecord dayOf(const QDate &day, const DayTally &t, StationSun &sun, int zone)
{
    DailyRecord r;
    r.date = day;
    r.tMax = t.tMax.highest();
    r.tMin = t.tMin.lowest();
    r.rhMax = t.rhMax.highest();
    r.rhMin = t.rhMin.lowest();
    r.rhMean = t.rh.mean();
    r.dewPoint = t.dew.mean();
    r.windSpeed = t.wind.mean();
    r.windHeight = kInmetWindHeight;
    r.rainfall = t.rain.total();
    const long double ra = sun.localDayRa(day, zone);
    if (t.raCovered >= (1 - kMostMissingRadiationShare) * ra)
        r.solarRadiation = t.radiationKj / 1000;
    return r;
}

} // namespace

StationSeries readInmetStationFile(const QByteArray &bytes)
{
    const QString text = decodeWeatherText(bytes);
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));

    Site site;
    qsizetype titleLine = -1;
    for (qsizetype i = 0; i < lines.size() && titleLine < 0; ++i) {
        const QStringList fields = lines[i].toString().split(QLatin1Char(';'));
        if (isTitleLine(fields))
            titleLine = i;
        else
            readHeaderLine(fields, static_cast<int>(i + 1), site);
    }
    if (titleLine < 0)
        throw TaviError(QStringLiteral("O arquivo não é de dados horários de uma estação do "
                                       "INMET: falta a linha de títulos das colunas "
                                       "(\"Data;Hora UTC;...\")."));
    const auto missing = [](const char *what) {
        return TaviError(
            QStringLiteral("O cabeçalho do arquivo não informa a %1 da estação.").arg(what));
    };
    if (!site.hasLatitude)
        throw missing("latitude");
    if (!site.hasLongitude)
        throw missing("longitude");
    if (!site.hasAltitude)
        throw missing("altitude");

    const QStringList titles = lines[titleLine].toString().split(QLatin1Char(';'));
    const Columns columns = columnsOf(titles, static_cast<int>(titleLine + 1));
    const int zone = zoneHours(site.site.longitude);
    StationSun sun(site.site);

    std::map<QDate, DayTally> days;
    QSet<qint64> hoursSeen;
    for (qsizetype i = titleLine + 1; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        const QStringView line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const QList<QStringView> fields = line.split(QLatin1Char(';'));
        const QDate date = readDate(fields[0]);
        if (!date.isValid())
            throw TaviError(fieldMessage(lineNumber, titles[0].trimmed(),
                                         QStringLiteral("\"%1\" não é uma data (AAAA/MM/DD ou "
                                                        "AAAA-MM-DD).")
                                             .arg(fields[0].trimmed())));
        const int hour = fields.size() > 1 ? readHour(fields[1]) : -1;
        if (hour < 0)
            throw TaviError(
                fieldMessage(lineNumber, titles[1].trimmed(),
                             QStringLiteral("\"%1\" não é uma hora (0000 UTC ou 00:00).")
                                 .arg(fields.size() > 1 ? fields[1].trimmed() : QStringView())));
        const qint64 moment = date.toJulianDay() * 24 + hour;
        if (hoursSeen.contains(moment))
            throw TaviError(QStringLiteral("Linha %1: a hora %2 de %3 aparece mais de uma vez.")
                                .arg(lineNumber)
                                .arg(QStringLiteral("%1:00 UTC").arg(hour, 2, 10, QLatin1Char('0')),
                                     date.toString(QStringLiteral("dd/MM/yyyy"))));
        hoursSeen.insert(moment);

        std::optional<long double> v[kQuantities];
        for (int q = 0; q < kQuantities; ++q) {
            const int c = columns.index[q];
            if (c >= 0 && c < fields.size())
                v[q] = readWeatherField(fields[c].toString(), lineNumber, columns.title[q],
                                        rangeOf(q));
        }

        DayTally &t = days[localDayOf(date, hour, zone)];
        const auto add = [](Tally &tally, const std::optional<long double> &a,
                            const std::optional<long double> &b = std::nullopt) {
            if (a)
                tally.add(*a);
            else if (b)
                tally.add(*b);
        };
        add(t.rain, v[Rainfall]);
        add(t.tMax, v[TMax], v[DryBulb]);
        add(t.tMin, v[TMin], v[DryBulb]);
        add(t.rhMax, v[RhMax], v[Rh]);
        add(t.rhMin, v[RhMin], v[Rh]);
        add(t.rh, v[Rh]);
        add(t.dew, v[DewPoint]);
        add(t.wind, v[Wind]);
        if (v[Radiation]) {
            t.radiationKj += std::max(*v[Radiation], 0.0L);
            t.raCovered += sun.hourRa(date, hour);
        }
    }
    if (days.empty())
        throw TaviError(QStringLiteral("O arquivo não tem nenhuma linha de dados horários."));

    StationSeries series;
    series.site = site.site;
    series.days.reserve(days.size());
    for (const auto &[day, tally] : days)
        series.days.push_back(dayOf(day, tally, sun, zone));
    return series;
}

} // namespace tavi::eto
