#include "core/weather/SeriesMonths.h"

#include <QDate>
#include <QStringList>

namespace tavi
{

namespace
{
const char *const kMonthNames[12] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                     "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

bool isLeapSeries(const std::optional<SeriesOrigin> &origin)
{
    if (!origin || isReplaced(*origin))
        return false;
    // A single year's calendar: the year itself, or the one year the driest year names; a
    // mean year is a common one.
    bool read = false;
    int year = origin->year.trimmed().toInt(&read);
    const QStringList years = origin->years.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (!read && years.size() == 1)
        year = years.front().trimmed().toInt(&read);
    return read && QDate::isLeapYear(year);
}
} // namespace

std::vector<DaySpan> seriesMonths(const std::optional<SeriesOrigin> &origin)
{
    const bool leap = isLeapSeries(origin);
    // Any leap year's calendar does, and 2024 is one; 2023 is not.
    const int year = leap ? 2024 : 2023;
    std::vector<DaySpan> spans;
    int first = 1;
    for (int m = 1; m <= 12; ++m) {
        const int length = QDate(year, m, 1).daysInMonth();
        spans.push_back({QString::fromLatin1(kMonthNames[m - 1]), first, first + length - 1});
        first += length;
    }
    if (!leap)
        spans.push_back({QStringLiteral("Dia 366"), 366, 366});
    return spans;
}

bool hasDay366Apart(const std::vector<DaySpan> &spans)
{
    return !spans.empty() && spans.back().firstDay == 366 && spans.back().lastDay == 366 &&
           spans.size() == 13;
}

std::vector<long double> spanSums(const std::vector<long double> &daily,
                                  const std::vector<DaySpan> &spans)
{
    std::vector<long double> sums;
    for (const DaySpan &span : spans) {
        long double sum = 0;
        for (int day = span.firstDay; day <= span.lastDay && day <= int(daily.size()); ++day)
            sum += daily[std::size_t(day - 1)];
        sums.push_back(sum);
    }
    return sums;
}

} // namespace tavi
