#include "core/weather/StationSun.h"

#include <cmath>

namespace tavi::eto
{

int zoneHours(long double longitude)
{
    return static_cast<int>(std::lround(longitude / 15));
}

StationSun::StationSun(const StationSite &site) : m_site(site) {}

long double StationSun::hourRa(const QDate &utcDay, int hourEnd)
{
    const int j = utcDay.dayOfYear();
    std::optional<SolarDay> &day = m_days[static_cast<std::size_t>(j)];
    if (!day)
        day = solarDay(m_site.latitude, j);
    return hourlyExtraterrestrialRadiation(*day, m_site.longitude, hourEnd);
}

HourValues StationSun::localDayRa(const QDate &day, int zone)
{
    HourValues ra;
    for (int k = 0; k < kHoursInADay; ++k) {
        const int end = k + 1 - zone; // UTC hour, from the day's UTC midnight
        const int shift = end < 0 ? -1 : end / 24;
        ra[static_cast<std::size_t>(k)] = hourRa(day.addDays(shift), end - 24 * shift);
    }
    return ra;
}

} // namespace tavi::eto
