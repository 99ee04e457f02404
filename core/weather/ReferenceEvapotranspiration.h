#pragma once

#include <optional>

// Daily reference evapotranspiration ETo of the grass reference surface, by the methods of
// FAO Irrigation and Drainage Paper 56 (chapters 3 and 4). Temperatures in degrees Celsius,
// pressures in kPa, radiation in MJ m-2 day-1, wind in m/s, heights and altitudes in metres,
// ETo in mm/day.
namespace tavi::eto
{

// Which equation gave a day's ETo.
enum class Method { Missing, PenmanMonteith, HargreavesSamani };

// What a Penman-Monteith day took from FAO-56's estimates for missing data (chapter 3)
// rather than from what was measured. Such days are told apart, since their ETo is rougher.
struct Estimates {
    bool vapourFromTMin = false; // ea = e°(Tmin), no humidity measured (eq. 48)
    bool radiationFromTemperature =
        false;                // Rs from Tmax - Tmin, no radiation nor sunshine (eq. 50)
    bool defaultWind = false; // 2 m/s, no wind measured
    bool windFloor = false;   // a measured u2 below 0.5 m/s taken as 0.5

    bool any() const
    {
        return vapourFromTMin || radiationFromTemperature || defaultWind || windFloor;
    }
    bool operator==(const Estimates &o) const
    {
        return vapourFromTMin == o.vapourFromTMin &&
               radiationFromTemperature == o.radiationFromTemperature &&
               defaultWind == o.defaultWind && windFloor == o.windFloor;
    }
    bool operator!=(const Estimates &o) const { return !(*this == o); }
};

// The wind FAO-56 takes at 2 m where none was measured.
constexpr long double kDefaultWindAtTwoMetres = 2;
// The least u2 the equation takes: calmer air still exchanges vapour by buoyancy, which the
// aerodynamic term leaves out.
constexpr long double kLeastWindAtTwoMetres = 0.5L;
// kRs of eq. 50: interior locations, where land masses rule the air, and coastal ones.
constexpr long double kRadiationCoefficientInterior = 0.16L;
constexpr long double kRadiationCoefficientCoastal = 0.19L;

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
// preference (Boxes 7 and 11): measured ea, dew point (eq. 14), RHmax with RHmin (eq. 17),
// RHmax alone (eq. 18), RHmean (eq. 19). Nothing when the day has none of them; RHmin alone
// says too little of the day.
std::optional<long double> actualVapourPressure(long double tMax, long double tMin,
                                                const Humidity &humidity);

// Solar radiation from the day's temperature range (eq. 50), at most the clear-sky Rso.
long double radiationFromTemperature(long double tMax, long double tMin,
                                     long double extraterrestrial, long double clearSky,
                                     long double coefficient);

// Soil heat flux of a month, MJ m-2 day-1, from the mean temperatures of the months before
// and after it (eq. 43); and, where the next month is not known, from the month itself and
// the one before (eq. 44).
long double monthlySoilHeatFlux(long double previousMonth, long double nextMonth);
long double monthlySoilHeatFluxWithoutNext(long double previousMonth, long double month);

// One day's data for Penman-Monteith. Measured solar radiation is used when present, else
// sunshine hours through the Angstrom formula, else eq. 50 with radiationCoefficient. Without
// humidity, ea is e°(Tmin) (eq. 48).
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
    long double radiationCoefficient = kRadiationCoefficientInterior; // kRs of eq. 50
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
    long double slope = 0;               // Delta, kPa/°C
    long double pressure = 0;            // P
    long double psychrometric = 0;       // gamma, kPa/°C
    long double windAtTwoMetres = 0;     // u2
    long double windFactor = 0;          // 1 + 0.34 u2
    long double radiationWeight = 0;     // Delta / (Delta + gamma (1 + 0.34 u2))
    long double aerodynamicWeight = 0;   // gamma / (Delta + gamma (1 + 0.34 u2))
    long double windTransfer = 0;        // 900 / (T + 273) u2
    long double saturationAtTMax = 0;    // e°(Tmax)
    long double saturationAtTMin = 0;    // e°(Tmin)
    long double saturation = 0;          // es
    long double actual = 0;              // ea
    long double deficit = 0;             // es - ea
    long double inverseDistance = 0;     // dr
    long double declination = 0;         // delta, rad
    long double sunsetAngle = 0;         // omega s, rad
    long double extraterrestrial = 0;    // Ra
    long double daylightHours = 0;       // N
    long double solar = 0;               // Rs
    long double clearSky = 0;            // Rso
    long double netShortwave = 0;        // Rns
    long double emittedAtTMax = 0;       // sigma Tmax,K^4
    long double emittedAtTMin = 0;       // sigma Tmin,K^4
    long double relativeSolar = 0;       // Rs/Rso, at most 1
    long double meanEmitted = 0;         // (sigma Tmax,K^4 + sigma Tmin,K^4) / 2
    long double humidityFactor = 0;      // 0.34 - 0.14 sqrt(ea)
    long double cloudinessFactor = 0;    // 1.35 Rs/Rso - 0.35
    long double netLongwave = 0;         // Rnl
    long double netRadiation = 0;        // Rn
    long double soilHeatFlux = 0;        // G
    long double energyAsEvaporation = 0; // 0.408 (Rn - G), mm/day
    long double radiationTerm = 0;       // the part of ETo due to Rn - G, mm/day
    long double aerodynamicTerm = 0;     // the part due to wind and deficit, mm/day
    long double eto = 0;
    Estimates estimates; // what was estimated rather than measured
};

// FAO-56 Penman-Monteith (eq. 6), with the paper's estimates for what the day lacks.
PenmanMonteithTerms penmanMonteith(const PenmanMonteithDay &day);

// Hargreaves-Samani (eq. 52) from temperatures alone; Ra in mm/day (0.408 Ra). A day whose
// Tmin exceeds its Tmax has no range and gets 0 for it.
long double hargreavesSamani(long double tMax, long double tMin, long double latitude,
                             int dayOfYear);

} // namespace tavi::eto
