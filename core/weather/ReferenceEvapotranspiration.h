#pragma once

#include <optional>

// Daily reference evapotranspiration ETo of the grass reference surface, by the methods of
// FAO Irrigation and Drainage Paper 56 (chapters 3 and 4). Temperatures in degrees Celsius,
// pressures in kPa, radiation in MJ m-2 day-1, wind in m/s, heights and altitudes in metres,
// ETo in mm/day.
namespace tavi::eto
{

// Which computation gave a day's ETo. FAO-56 allows 2 m/s where wind was not measured; such
// days are told apart, since their ETo is rougher.
enum class Method { Missing, PenmanMonteith, PenmanMonteithDefaultWind, HargreavesSamani };

// The wind FAO-56 takes at 2 m where none was measured.
constexpr long double kDefaultWindAtTwoMetres = 2;

// Atmospheric pressure from altitude (eq. 7).
long double atmosphericPressure(long double altitude);
// Psychrometric constant gamma from atmospheric pressure (eq. 8).
long double psychrometricConstant(long double pressure);
// Saturation vapour pressure e°(T) (eq. 11).
long double saturationVapourPressure(long double temperature);
// Slope of the saturation vapour pressure curve, Delta, at `temperature` (eq. 13).
long double saturationSlope(long double temperature);
// Wind speed at 2 m from one measured at `height` over grass (eq. 47).
long double windAtTwoMetres(long double speed, long double height);

// What a day tells of the air's humidity; any of it may be missing. Relative humidities in
// percent.
struct Humidity {
    std::optional<long double> vapourPressure; // actual vapour pressure ea, measured, kPa
    std::optional<long double> dewPoint;
    std::optional<long double> rhMax;
    std::optional<long double> rhMin;
    std::optional<long double> rhMean;
};

// Actual vapour pressure ea from the best humidity the day has, in FAO-56's order of
// preference: measured ea, dew point (eq. 14), RHmax with RHmin (eq. 17), RHmean (eq. 19),
// RHmax alone (eq. 18). Nothing when the day has none of them.
std::optional<long double> actualVapourPressure(long double tMax, long double tMin,
                                                const Humidity &humidity);

// One day's data for Penman-Monteith. Measured solar radiation is used when present, else
// sunshine hours through the Angstrom formula.
struct PenmanMonteithDay {
    int dayOfYear = 1;
    long double latitude = 0; // decimal degrees, north positive
    long double altitude = 0;
    long double tMax = 0;
    long double tMin = 0;
    Humidity humidity;
    std::optional<long double> windSpeed; // at windHeight; missing: kDefaultWindAtTwoMetres
    long double windHeight = 2;
    std::optional<long double> solarRadiation;
    std::optional<long double> sunshineHours;
    // Soil heat flux; 0 for daily steps (eq. 42), given for monthly ones (eq. 43, 44).
    long double soilHeatFlux = 0;
};

// The Angstrom coefficients FAO-56 recommends where none were calibrated (eq. 35).
constexpr long double kAngstromA = 0.25L;
constexpr long double kAngstromB = 0.50L;
// Albedo of the grass reference crop (eq. 38).
constexpr long double kReferenceAlbedo = 0.23L;

// Every quantity the Penman-Monteith computation goes through, in the order FAO-56's worked
// examples list them.
struct PenmanMonteithTerms {
    long double tMean = 0;
    long double slope = 0;            // Delta, kPa/°C
    long double pressure = 0;         // P
    long double psychrometric = 0;    // gamma, kPa/°C
    long double windAtTwoMetres = 0;  // u2
    long double saturationAtTMax = 0; // e°(Tmax)
    long double saturationAtTMin = 0; // e°(Tmin)
    long double saturation = 0;       // es
    long double actual = 0;           // ea
    long double deficit = 0;          // es - ea
    long double inverseDistance = 0;  // dr
    long double declination = 0;      // delta, rad
    long double sunsetAngle = 0;      // omega s, rad
    long double extraterrestrial = 0; // Ra
    long double daylightHours = 0;    // N
    long double solar = 0;            // Rs
    long double clearSky = 0;         // Rso
    long double netShortwave = 0;     // Rns
    long double emittedAtTMax = 0;    // sigma Tmax,K^4
    long double emittedAtTMin = 0;    // sigma Tmin,K^4
    long double humidityFactor = 0;   // 0.34 - 0.14 sqrt(ea)
    long double cloudinessFactor = 0; // 1.35 Rs/Rso - 0.35
    long double netLongwave = 0;      // Rnl
    long double netRadiation = 0;     // Rn
    long double soilHeatFlux = 0;     // G
    long double radiationTerm = 0;    // the part of ETo due to Rn - G, mm/day
    long double aerodynamicTerm = 0;  // the part due to wind and deficit, mm/day
    long double eto = 0;
};

// FAO-56 Penman-Monteith (eq. 6). Nothing when the day has no humidity or no radiation (nor
// sunshine).
std::optional<PenmanMonteithTerms> penmanMonteith(const PenmanMonteithDay &day);

// Hargreaves-Samani (eq. 52) from temperatures alone; Ra in mm/day (0.408 Ra). A day whose
// Tmin exceeds its Tmax has no range and gets 0 for it.
long double hargreavesSamani(long double tMax, long double tMin, long double latitude,
                             int dayOfYear);

} // namespace tavi::eto
