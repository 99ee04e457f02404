#include "core/weather/StationYear.h"

#include "core/base/TaviError.h"

#include <algorithm>

namespace tavi::eto
{

namespace
{

bool hasData(const DailyRecord &r)
{
    return r.tMax || r.tMin || r.rainfall;
}

int daysIn(int year)
{
    return QDate::isLeapYear(year) ? 366 : 365;
}

std::size_t slot(int d)
{
    return static_cast<std::size_t>(d);
}

// A year's days the day-by-day mean is laid over: its dates name no year.
constexpr int kCommonYear = 2001;

} // namespace

StationYears::StationYears(const StationSeries &series, const EtoSettings &settings)
{
    m_dates.reserve(series.days.size());
    m_days.reserve(series.days.size());
    for (const DailyRecord &record : series.days) {
        const DailyEto eto = dailyEto(record, series.site, settings);
        YearDay day;
        day.method = eto.method;
        day.eto = eto.eto;
        day.estimates = eto.estimates;
        day.interpolatedHours = eto.interpolatedHours;
        day.rainfall = record.rainfall;
        m_dates.push_back(record.date);
        m_days.push_back(day);
        const int year = record.date.year();
        if (hasData(record) && (m_years.empty() || m_years.back() != year))
            m_years.push_back(year);
    }
}

std::vector<YearDay> StationYears::ownDays(int year) const
{
    std::vector<YearDay> days(366);
    auto it = std::lower_bound(m_dates.begin(), m_dates.end(), QDate(year, 1, 1));
    for (; it != m_dates.end() && it->year() == year; ++it)
        days[slot(it->dayOfYear() - 1)] = m_days[slot(int(it - m_dates.begin()))];
    return days;
}

namespace
{

// The record of `date`, or null.
const YearDay *dayAt(const std::vector<QDate> &dates, const std::vector<YearDay> &days,
                     const QDate &date)
{
    const auto it = std::lower_bound(dates.begin(), dates.end(), date);
    return it != dates.end() && *it == date ? &days[slot(int(it - dates.begin()))] : nullptr;
}

std::optional<long double> ownEto(const std::vector<QDate> &dates, const std::vector<YearDay> &days,
                                  const QDate &date)
{
    const YearDay *day = dayAt(dates, days, date);
    return day ? day->eto : std::nullopt;
}

// Fills each gap of the year between days with an ETo: the short ones along the line
// between their ends, the rest with the mean of what the month measured.
void interpolateGaps(std::vector<YearDay> &days, int year, const std::vector<QDate> &dates,
                     const std::vector<YearDay> &records)
{
    const int n = daysIn(year);
    long double monthSum[12] = {};
    int monthCount[12] = {};
    for (int d = 0; d < n; ++d) {
        const YearDay &day = days[slot(d)];
        if (day.eto && day.etoFill == EtoFill::None) {
            const int month = QDate(year, 1, 1).addDays(d).month() - 1;
            monthSum[month] += *day.eto;
            ++monthCount[month];
        }
    }
    for (int d = 0; d < n;) {
        if (days[slot(d)].eto) {
            ++d;
            continue;
        }
        int end = d;
        while (end < n && !days[slot(end)].eto)
            ++end;
        // The days around the gap may lie in the years before and after.
        const std::optional<long double> before =
            d > 0 ? days[slot(d - 1)].eto : ownEto(dates, records, QDate(year - 1, 12, 31));
        const std::optional<long double> after =
            end < n ? days[slot(end)].eto : ownEto(dates, records, QDate(year + 1, 1, 1));
        const int length = end - d;
        for (int k = d; k < end; ++k) {
            YearDay &day = days[slot(k)];
            if (before && after && length <= kLongestInterpolatedGap) {
                day.eto = *before + (*after - *before) * (k - d + 1) / (length + 1);
                day.etoFill = EtoFill::Interpolated;
                continue;
            }
            const int month = QDate(year, 1, 1).addDays(k).month() - 1;
            if (monthCount[month] > 0) {
                day.eto = monthSum[month] / monthCount[month];
                day.etoFill = EtoFill::MonthMean;
            }
        }
        d = end;
    }
}

} // namespace

std::vector<YearDay> StationYears::filledYear(int year, const GapFill &fill) const
{
    std::vector<YearDay> days = ownDays(year);
    const int n = daysIn(year);
    if (fill.eto == EtoGapFill::OtherYears) {
        for (int d = 0; d < n; ++d) {
            YearDay &day = days[slot(d)];
            if (day.eto)
                continue;
            const QDate date = QDate(year, 1, 1).addDays(d);
            long double sum = 0;
            int count = 0;
            for (int other : m_years) {
                if (other == year)
                    continue;
                // 29 February of a leap year takes the 28th of years without one.
                QDate same(other, date.month(), date.day());
                if (!same.isValid())
                    same = QDate(other, 2, 28);
                if (const std::optional<long double> eto = ownEto(m_dates, m_days, same)) {
                    sum += *eto;
                    ++count;
                }
            }
            if (count > 0) {
                day.eto = sum / count;
                day.etoFill = EtoFill::OtherYears;
            }
        }
    }
    if (fill.eto != EtoGapFill::Empty)
        interpolateGaps(days, year, m_dates, m_days);
    if (fill.rain == RainGapFill::Dry) {
        for (int d = 0; d < n; ++d) {
            YearDay &day = days[slot(d)];
            if (!day.rainfall) {
                day.rainfall = 0;
                day.rainfallFilled = true;
            }
        }
    }
    return days;
}

StationYears::Completeness StationYears::completeness(const GapFill &fill) const
{
    Completeness complete;
    long double least = 0;
    for (int year : m_years) {
        const std::vector<YearDay> days = filledYear(year, fill);
        const auto whole = [](const YearDay &day) { return day.eto && day.rainfall; };
        if (!std::all_of(days.begin(), days.begin() + daysIn(year), whole))
            continue;
        complete.years.push_back(year);
        long double total = 0;
        for (int d = 0; d < daysIn(year); ++d)
            total += *days[slot(d)].rainfall;
        if (complete.driest == 0 || total < least) {
            complete.driest = year;
            least = total;
        }
    }
    return complete;
}

std::vector<YearDay> StationYears::meanYear(const std::vector<int> &years,
                                            const GapFill &fill) const
{
    std::vector<std::vector<YearDay>> each;
    for (int year : years)
        each.push_back(filledYear(year, fill));
    std::vector<YearDay> days(366);
    for (int d = 0; d < 365; ++d) {
        const QDate date = QDate(kCommonYear, 1, 1).addDays(d);
        YearDay &mean = days[slot(d)];
        long double eto = 0, rain = 0;
        for (std::size_t k = 0; k < years.size(); ++k) {
            const YearDay &day =
                each[k][slot(QDate(years[k], date.month(), date.day()).dayOfYear() - 1)];
            eto += *day.eto;
            rain += *day.rainfall;
            mean.method = day.method;
            if (mean.etoFill == EtoFill::None)
                mean.etoFill = day.etoFill;
            mean.rainfallFilled = mean.rainfallFilled || day.rainfallFilled;
        }
        mean.eto = eto / years.size();
        mean.rainfall = rain / years.size();
        mean.yearsAveraged = int(years.size());
    }
    return days;
}

void StationYears::failUncovered(int year) const
{
    if (m_years.empty())
        throw TaviError(QStringLiteral("Os dados da estação não têm nenhum dia com "
                                       "temperatura ou chuva."));
    QDate first, last;
    for (std::size_t i = 0; i < m_dates.size(); ++i) {
        const YearDay &day = m_days[i];
        if (!day.eto && !day.rainfall && day.method == Method::Missing)
            continue;
        if (!first.isValid())
            first = m_dates[i];
        last = m_dates[i];
    }
    if (!first.isValid())
        first = m_dates.front(), last = m_dates.back();
    throw TaviError(QStringLiteral("Os dados da estação não cobrem o ano de %1: vão de %2 a %3.")
                        .arg(year)
                        .arg(first.toString(QStringLiteral("dd/MM/yyyy")),
                             last.toString(QStringLiteral("dd/MM/yyyy"))));
}

LaidOutYear StationYears::layOut(const YearChoice &choice, const GapFill &fill,
                                 LeapDayFill leap) const
{
    LaidOutYear out;
    out.choice = choice;
    if (choice.kind == YearChoice::Kind::Single) {
        const std::vector<YearDay> own = ownDays(choice.year);
        const auto covers = [](const YearDay &day) { return day.eto || day.rainfall; };
        if (std::none_of(own.begin(), own.end(), covers))
            failUncovered(choice.year);
        out.days = filledYear(choice.year, fill);
        out.years = {choice.year};
        out.calendarYear = choice.year;
    } else {
        const Completeness complete = completeness(fill);
        if (complete.years.size() < 2)
            throw TaviError(QStringLiteral("O ano médio e o ano mais seco pedem ao menos dois "
                                           "anos completos (com ETo e chuva em todos os dias, "
                                           "depois do preenchimento); os dados têm %1.")
                                .arg(complete.years.size()));
        if (choice.kind == YearChoice::Kind::Mean) {
            out.days = meanYear(complete.years, fill);
            out.years = complete.years;
            out.calendarYear = 0;
        } else {
            out.days = filledYear(complete.driest, fill);
            out.years = {complete.driest};
            out.calendarYear = complete.driest;
        }
    }
    const bool common = out.calendarYear == 0 || !QDate::isLeapYear(out.calendarYear);
    if (common && leap == LeapDayFill::CopyOfDay365)
        out.days[365] = out.days[364];
    return out;
}

std::vector<YearDay> stationYear(const StationSeries &series, int year, LeapDayFill fill)
{
    return StationYears(series, EtoSettings())
        .layOut(YearChoice::single(year), {EtoGapFill::Empty, RainGapFill::Empty}, fill)
        .days;
}

} // namespace tavi::eto
