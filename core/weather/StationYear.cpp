#include "core/weather/StationYear.h"

#include "core/base/TaviError.h"

namespace tavi::eto
{

namespace
{
bool hasData(const DailyRecord &r)
{
    return r.tMax || r.tMin || r.rainfall;
}
} // namespace

std::vector<YearDay> stationYear(const StationSeries &series, int year, LeapDayFill fill)
{
    std::vector<YearDay> days(366);
    bool covered = false;
    for (const DailyRecord &record : series.days) {
        if (record.date.year() != year)
            continue;
        YearDay &day = days[static_cast<std::size_t>(record.date.dayOfYear() - 1)];
        const DailyEto eto = dailyEto(record, series.site);
        day.method = eto.method;
        day.eto = eto.eto;
        day.rainfall = record.rainfall;
        covered = covered || day.eto || day.rainfall;
    }
    if (!covered) {
        QDate first, last;
        for (const DailyRecord &record : series.days) {
            if (!hasData(record))
                continue;
            if (!first.isValid())
                first = record.date;
            last = record.date;
        }
        if (!first.isValid())
            throw TaviError(QStringLiteral("Os dados da estação não têm nenhum dia com "
                                           "temperatura ou chuva."));
        throw TaviError(QStringLiteral("Os dados da estação não cobrem o ano de %1: vão de %2 "
                                       "a %3.")
                            .arg(year)
                            .arg(first.toString(QStringLiteral("dd/MM/yyyy")),
                                 last.toString(QStringLiteral("dd/MM/yyyy"))));
    }
    if (!QDate::isLeapYear(year) && fill == LeapDayFill::CopyOfDay365)
        days[365] = days[364];
    return days;
}

} // namespace tavi::eto
