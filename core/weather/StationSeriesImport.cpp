#include "core/weather/StationSeriesImport.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/weather/WeatherText.h"

#include <QStringList>
#include <QStringView>

namespace tavi::eto
{

namespace
{

// Header lines come before the titles; an INMET file has eight or so, the portal's ten.
constexpr int kHeaderLinesLooked = 40;

bool hasData(const DailyRecord &r)
{
    return r.tMax || r.tMin || r.rainfall;
}

QString days(int count)
{
    return count == 1 ? QStringLiteral("1 dia") : QStringLiteral("%1 dias").arg(count);
}

QString studyNumber(long double value)
{
    return formatGeneral(value, studyNumberSettings());
}

} // namespace

bool isInmetHourlyText(const QString &text)
{
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && i < kHeaderLinesLooked; ++i) {
        const QList<QStringView> fields = lines[i].split(QLatin1Char(';'));
        if (fields.size() >= 2 &&
            foldedTitle(fields[0].toString()).startsWith(QLatin1String("DATA")) &&
            foldedTitle(fields[1].toString()).startsWith(QLatin1String("HORA")))
            return true;
    }
    return false;
}

std::vector<int> yearsWithData(const StationSeries &series)
{
    std::vector<int> years;
    for (const DailyRecord &record : series.days) {
        const int year = record.date.year();
        if (hasData(record) && (years.empty() || years.back() != year))
            years.push_back(year);
    }
    return years;
}

int firstFullYear(const StationSeries &series)
{
    const std::vector<int> years = yearsWithData(series);
    for (int year : years) {
        bool first = false, last = false;
        for (const DailyRecord &record : series.days) {
            if (!hasData(record))
                continue;
            first = first || record.date == QDate(year, 1, 1);
            last = last || record.date == QDate(year, 12, 31);
        }
        if (first && last)
            return year;
    }
    return years.empty() ? 0 : years.front();
}

MethodCounts countMethods(const std::vector<YearDay> &year, int days)
{
    MethodCounts counts;
    for (int d = 0; d < days && d < int(year.size()); ++d) {
        const YearDay &day = year[static_cast<std::size_t>(d)];
        switch (day.eto ? day.method : Method::Missing) {
        case Method::PenmanMonteith:
            if (day.estimates.defaultWind)
                ++counts.penmanMonteithDefaultWind;
            else
                ++counts.penmanMonteith;
            break;
        case Method::HargreavesSamani:
            ++counts.hargreavesSamani;
            break;
        case Method::Missing:
            ++counts.missing;
            break;
        }
    }
    return counts;
}

int countMissingRainfall(const std::vector<YearDay> &year, int days)
{
    int missing = 0;
    for (int d = 0; d < days && d < int(year.size()); ++d)
        if (!year[static_cast<std::size_t>(d)].rainfall)
            ++missing;
    return missing;
}

QString missingRainfallSummary(int missingDays)
{
    return missingDays > 0 ? QStringLiteral("sem chuva: %1").arg(eto::days(missingDays))
                           : QString();
}

QString methodName(Method method)
{
    switch (method) {
    case Method::PenmanMonteith:
        return QStringLiteral("Penman–Monteith");
    case Method::HargreavesSamani:
        return QStringLiteral("Hargreaves–Samani");
    case Method::Missing:
        break;
    }
    return QStringLiteral("sem dados");
}

QString methodsSummary(const MethodCounts &counts)
{
    const std::pair<Method, int> each[] = {{Method::PenmanMonteith, counts.penmanMonteith},
                                           {Method::HargreavesSamani, counts.hargreavesSamani},
                                           {Method::Missing, counts.missing}};
    QStringList parts;
    for (const auto &[method, count] : each) {
        if (count > 0)
            parts << QStringLiteral("%1 (%2)").arg(methodName(method), days(count));
        if (method == Method::PenmanMonteith && counts.penmanMonteithDefaultWind > 0)
            parts << QStringLiteral("Penman–Monteith com vento de 2 m/s (%1)")
                         .arg(days(counts.penmanMonteithDefaultWind));
    }
    return parts.join(QStringLiteral(", "));
}

int daysFilled(int year, LeapDayFill fill)
{
    return QDate::isLeapYear(year) || fill == LeapDayFill::CopyOfDay365 ? 366 : 365;
}

SeriesOrigin seriesOrigin(const StationSite &site, int year, const std::vector<YearDay> &days,
                          LeapDayFill fill)
{
    SeriesOrigin origin;
    origin.station = site.name.trimmed();
    origin.code = site.code.trimmed();
    origin.latitude = studyNumber(site.latitude);
    origin.longitude = studyNumber(site.longitude);
    origin.altitude = studyNumber(site.altitude);
    origin.year = QString::number(year);
    origin.methods = methodsSummary(countMethods(days, daysFilled(year, fill)));
    return origin;
}

QString seriesCellText(const std::optional<long double> &value, const LocaleSettings &locale)
{
    return value ? formatGeneral(roundHalfAway(*value, 2), locale) : QString();
}

} // namespace tavi::eto
