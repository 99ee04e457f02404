#pragma once

#include "core/weather/LocalDayHours.h"
#include "core/weather/WeatherDay.h"

// A local day's record made from its hours.
namespace tavi::eto
{

// A quantity is missing for the day when more than kMostMissingHours of its 24 hours are;
// radiation when its missing hours would have brought more than kMostMissingRadiationShare of
// the day's extraterrestrial radiation, so that missing night hours do not matter and a
// missing midday hour does.
constexpr int kMostMissingHours = 6;
constexpr long double kMostMissingRadiationShare = 0.05L;

// The day's figures: Tmax and Tmin, RHmax and RHmin the extremes of the hours; RH, dew point
// and wind their means; rainfall and radiation their sums, radiation turned into MJ m-2 with
// a negative hour (the sensor's night offset) counting 0. `ra` gives each hour's
// extraterrestrial radiation in MJ m-2. The wind's height and the hours filled are the
// caller's to say.
DailyRecord localDayRecord(const QDate &day, const LocalDayHours &hours, const HourValues &ra);

} // namespace tavi::eto
