#pragma once

#include "core/weather/LocalDayHours.h"
#include "core/weather/SolarGeometry.h"
#include "core/weather/WeatherDay.h"

#include <QDate>
#include <optional>

namespace tavi::eto
{

// The station's zone in whole hours, east positive: the longitude's, as hourly files reckon
// their local days.
int zoneHours(long double longitude);

// The hourly extraterrestrial radiation at a station (eq. 28). The sun's course is worked out
// once for each day of the year, since a year's records come back to every day 24 times.
class StationSun
{
public:
    explicit StationSun(const StationSite &site);

    // MJ m-2 of the hour ending at `hourEnd` (0..23) UTC of `utcDay`, as a file's line of
    // that hour is dated.
    long double hourRa(const QDate &utcDay, int hourEnd);
    // Each hour of the local `day` in a zone `zone` hours from UTC, dated as its line is.
    HourValues localDayRa(const QDate &day, int zone);

private:
    StationSite m_site;
    std::optional<SolarDay> m_days[367];
};

} // namespace tavi::eto
