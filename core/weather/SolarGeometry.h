#pragma once

// Where the sun is, as FAO Irrigation and Drainage Paper 56 (chapter 3) reckons it: the
// radiation reaching the top of the atmosphere and the length of the day. Latitudes are in
// decimal degrees, north positive; longitudes in decimal degrees, east positive.
namespace tavi::eto
{

// Inverse relative distance Earth-Sun, dr (eq. 23).
long double inverseRelativeDistance(int dayOfYear);
// Solar declination in radians (eq. 24).
long double solarDeclination(int dayOfYear);
// Sunset hour angle in radians (eq. 25); 0 in polar night and pi in polar day, where the
// equation itself has no answer.
long double sunsetHourAngle(long double latitudeDegrees, long double declination);
// Daily extraterrestrial radiation Ra in MJ m-2 day-1 (eq. 21).
long double extraterrestrialRadiation(long double latitudeDegrees, int dayOfYear);
// Daylight hours N (eq. 34).
long double daylightHours(long double latitudeDegrees, int dayOfYear);
// The sun's course over one day at one latitude: what every hour of that day shares.
struct SolarDay {
    int dayOfYear = 1;
    long double inverseDistance = 0;    // dr
    long double sunsetAngle = 0;        // omega s
    long double seasonalCorrection = 0; // Sc, hours (eq. 32)
    long double sinSin = 0;             // sin(latitude) sin(declination)
    long double cosCos = 0;             // cos(latitude) cos(declination)
};
SolarDay solarDay(long double latitudeDegrees, int dayOfYear);
// Extraterrestrial radiation in MJ m-2 of the hour that ends at `hourEndUtc` (0..24) of the
// day, at `longitudeDegrees` (eq. 28); 0 for a night hour.
long double hourlyExtraterrestrialRadiation(const SolarDay &day, long double longitudeDegrees,
                                            int hourEndUtc);
// The same for a day not yet worked out. Extraterrestrial radiation in MJ m-2 of the hour that ends
// at `hourEndUtc` (0..24) of the UTC day `dayOfYear` (eq. 28, with the seasonal correction of eq.
// 32); 0 for a night hour.
long double hourlyExtraterrestrialRadiation(long double latitudeDegrees,
                                            long double longitudeDegrees, int dayOfYear,
                                            int hourEndUtc);

} // namespace tavi::eto
