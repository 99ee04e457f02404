#pragma once

// FAO-56's daily equations written out once more in double precision, straight from the
// paper, so that tests compare the program against the equations and not against itself.

#include <algorithm>
#include <cmath>

namespace fao56
{

inline double saturation(double t)
{
    return 0.6108 * std::exp(17.27 * t / (t + 237.3));
}

// Eq. 17: ea from the day's RHmax and RHmin, in percent.
inline double vapourFromRhMaxMin(double tMax, double tMin, double rhMax, double rhMin)
{
    return (saturation(tMin) * rhMax / 100 + saturation(tMax) * rhMin / 100) / 2;
}

// Eq. 47: wind at 2 m from one measured at `height` metres.
inline double windAtTwoMetres(double speed, double height)
{
    return speed * 4.87 / std::log(67.8 * height - 5.42);
}

// Extraterrestrial radiation, eq. 21-25.
inline double ra(double latitudeDegrees, int j)
{
    const double pi = 3.14159265358979323846;
    const double phi = latitudeDegrees * pi / 180;
    const double dr = 1 + 0.033 * std::cos(2 * pi / 365 * j);
    const double delta = 0.409 * std::sin(2 * pi / 365 * j - 1.39);
    const double ws = std::acos(-std::tan(phi) * std::tan(delta));
    return 24 * 60 / pi * 0.082 * dr *
           (ws * std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::sin(ws));
}

// Eq. 34.
inline double daylightHours(double latitudeDegrees, int j)
{
    const double pi = 3.14159265358979323846;
    const double delta = 0.409 * std::sin(2 * pi / 365 * j - 1.39);
    return 24 / pi * std::acos(-std::tan(latitudeDegrees * pi / 180) * std::tan(delta));
}

// Eq. 37.
inline double clearSky(double latitude, double altitude, int j)
{
    return (0.75 + 2e-5 * altitude) * ra(latitude, j);
}

// Eq. 52.
inline double hargreaves(double tMax, double tMin, double latitude, int j)
{
    return 0.0023 * ((tMax + tMin) / 2 + 17.8) * std::sqrt(tMax - tMin) * 0.408 * ra(latitude, j);
}

// Rs from n hours of sunshine with the recommended Angstrom coefficients (eq. 35).
inline double rsFromSunshine(double n, double latitude, int j)
{
    return (0.25 + 0.50 * n / daylightHours(latitude, j)) * ra(latitude, j);
}

// Rs from the temperature range (eq. 50), kRs 0.16 inland and 0.19 on the coast, at most
// the clear-sky radiation (eq. 37).
inline double rsFromTemperature(double tMax, double tMin, double latitude, double altitude, int j,
                                double krs)
{
    const double rs = krs * std::sqrt(tMax - tMin) * ra(latitude, j);
    return std::min(rs, clearSky(latitude, altitude, j));
}

// Eq. 39.
inline double netLongwave(double latitude, double altitude, int j, double tMax, double tMin,
                          double ea, double rs)
{
    const double sigma = 4.903e-9;
    const double kMax = tMax + 273.16, kMin = tMin + 273.16;
    return sigma * (std::pow(kMax, 4) + std::pow(kMin, 4)) / 2 * (0.34 - 0.14 * std::sqrt(ea)) *
           (1.35 * std::min(rs / clearSky(latitude, altitude, j), 1.0) - 0.35);
}

// Eq. 38 and 40.
inline double netRadiation(double latitude, double altitude, int j, double tMax, double tMin,
                           double ea, double rs)
{
    return 0.77 * rs - netLongwave(latitude, altitude, j, tMax, tMin, ea, rs);
}

// Eq. 6 with measured Rs, G = 0.
inline double penmanMonteith(double latitude, double altitude, int j, double tMax, double tMin,
                             double ea, double u2, double rs)
{
    const double t = (tMax + tMin) / 2;
    const double delta = 4098 * saturation(t) / ((t + 237.3) * (t + 237.3));
    const double gamma = 0.665e-3 * 101.3 * std::pow((293 - 0.0065 * altitude) / 293, 5.26);
    const double es = (saturation(tMax) + saturation(tMin)) / 2;
    const double rn = netRadiation(latitude, altitude, j, tMax, tMin, ea, rs);
    return (0.408 * delta * rn + gamma * 900 / (t + 273) * u2 * (es - ea)) /
           (delta + gamma * (1 + 0.34 * u2));
}

} // namespace fao56
