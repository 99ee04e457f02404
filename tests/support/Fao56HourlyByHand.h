#pragma once

// FAO-56's extraterrestrial radiation of one hour (eq. 28 with eq. 29 to 33) written out in
// double precision, as support/Fao56ByHand.h does for the daily equations.

#include <algorithm>
#include <cmath>

namespace fao56
{

// MJ m-2 of the hour ending at `hourEndUtc` of day `j`, at a latitude and a longitude in
// degrees, north and east positive. The paper's clock is the zone's, with 0.06667 h a degree
// between the zone's meridian and the site's; here the clock is UTC and the factor 1/15, of
// which 0.06667 is the rounding.
inline double hourlyRa(double latitude, double longitude, int j, int hourEndUtc)
{
    const double pi = 3.14159265358979323846;
    const double phi = latitude * pi / 180;
    const double dr = 1 + 0.033 * std::cos(2 * pi / 365 * j);
    const double delta = 0.409 * std::sin(2 * pi / 365 * j - 1.39);
    const double ws = std::acos(std::clamp(-std::tan(phi) * std::tan(delta), -1.0, 1.0));
    const double b = 2 * pi * (j - 81) / 364;
    const double sc = 0.1645 * std::sin(2 * b) - 0.1255 * std::cos(b) - 0.025 * std::sin(b);
    const double t = hourEndUtc - 0.5;
    // Brought into (-pi, pi], so that an hour near UTC midnight meets its own day's noon.
    const double omega = std::remainder(pi / 12 * ((t + longitude / 15 + sc) - 12), 2 * pi);
    // The sun sets or rises within the hour: only its part above the horizon counts.
    const double w1 = std::clamp(omega - pi / 24, -ws, ws);
    const double w2 = std::clamp(omega + pi / 24, -ws, ws);
    if (w2 <= w1)
        return 0;
    return 12 * 60 / pi * 0.082 * dr *
           ((w2 - w1) * std::sin(phi) * std::sin(delta) +
            std::cos(phi) * std::cos(delta) * (std::sin(w2) - std::sin(w1)));
}

} // namespace fao56
