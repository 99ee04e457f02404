#include "core/weather/SolarGeometry.h"

#include <algorithm>
#include <cmath>

namespace tavi::eto
{

namespace
{
constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kSolarConstant = 0.0820L; // MJ m-2 min-1

long double radians(long double degrees)
{
    return degrees * kPi / 180;
}

// Seasonal correction for solar time in hours (eq. 32).
long double seasonalCorrection(int dayOfYear)
{
    const long double b = 2 * kPi * (dayOfYear - 81) / 364;
    return 0.1645L * std::sin(2 * b) - 0.1255L * std::cos(b) - 0.025L * std::sin(b);
}
} // namespace

long double inverseRelativeDistance(int dayOfYear)
{
    return 1 + 0.033L * std::cos(2 * kPi * dayOfYear / 365);
}

long double solarDeclination(int dayOfYear)
{
    return 0.409L * std::sin(2 * kPi * dayOfYear / 365 - 1.39L);
}

long double sunsetHourAngle(long double latitudeDegrees, long double declination)
{
    const long double x = -std::tan(radians(latitudeDegrees)) * std::tan(declination);
    return std::acos(std::clamp(x, -1.0L, 1.0L));
}

long double extraterrestrialRadiation(long double latitudeDegrees, int dayOfYear)
{
    const long double phi = radians(latitudeDegrees);
    const long double delta = solarDeclination(dayOfYear);
    const long double ws = sunsetHourAngle(latitudeDegrees, delta);
    return 24 * 60 / kPi * kSolarConstant * inverseRelativeDistance(dayOfYear) *
           (ws * std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::sin(ws));
}

long double daylightHours(long double latitudeDegrees, int dayOfYear)
{
    return 24 / kPi * sunsetHourAngle(latitudeDegrees, solarDeclination(dayOfYear));
}

SolarDay solarDay(long double latitudeDegrees, int dayOfYear)
{
    const long double phi = radians(latitudeDegrees);
    const long double delta = solarDeclination(dayOfYear);
    SolarDay day;
    day.dayOfYear = dayOfYear;
    day.inverseDistance = inverseRelativeDistance(dayOfYear);
    day.sunsetAngle = sunsetHourAngle(latitudeDegrees, delta);
    day.seasonalCorrection = seasonalCorrection(dayOfYear);
    day.sinSin = std::sin(phi) * std::sin(delta);
    day.cosCos = std::cos(phi) * std::cos(delta);
    return day;
}

long double hourlyExtraterrestrialRadiation(const SolarDay &day, long double longitudeDegrees,
                                            int hourEndUtc)
{
    // Solar time at the middle of the hour, and its hour angle brought into (-pi, pi] so
    // that an hour near UTC midnight at a far-west station still meets its own noon.
    const long double solarTime =
        hourEndUtc - 0.5L + longitudeDegrees / 15 + day.seasonalCorrection;
    const long double omega = std::remainder(kPi / 12 * (solarTime - 12), 2 * kPi);
    const long double ws = day.sunsetAngle;
    const long double w1 = std::clamp(omega - kPi / 24, -ws, ws);
    const long double w2 = std::clamp(omega + kPi / 24, -ws, ws);
    if (w2 <= w1)
        return 0;
    return 12 * 60 / kPi * kSolarConstant * day.inverseDistance *
           ((w2 - w1) * day.sinSin + day.cosCos * (std::sin(w2) - std::sin(w1)));
}

long double hourlyExtraterrestrialRadiation(long double latitudeDegrees,
                                            long double longitudeDegrees, int dayOfYear,
                                            int hourEndUtc)
{
    return hourlyExtraterrestrialRadiation(solarDay(latitudeDegrees, dayOfYear), longitudeDegrees,
                                           hourEndUtc);
}

} // namespace tavi::eto
