#include "core/weather/ReferenceEvapotranspiration.h"

#include "core/weather/SolarGeometry.h"

#include <algorithm>
#include <cmath>

namespace tavi::eto
{

namespace
{
constexpr long double kStefanBoltzmann = 4.903e-9L; // MJ K-4 m-2 day-1
constexpr long double kKelvin = 273.16L;            // as FAO-56 eq. 39 writes it
constexpr long double kToMillimetres = 0.408L;      // 1 / latent heat of vaporisation

long double fourthPower(long double x)
{
    const long double squared = x * x;
    return squared * squared;
}
} // namespace

long double atmosphericPressure(long double altitude)
{
    return 101.3L * std::pow((293 - 0.0065L * altitude) / 293, 5.26L);
}

long double psychrometricConstant(long double pressure)
{
    return 0.665e-3L * pressure;
}

long double saturationVapourPressure(long double temperature)
{
    return 0.6108L * std::exp(17.27L * temperature / (temperature + 237.3L));
}

long double saturationSlope(long double temperature)
{
    const long double denominator = temperature + 237.3L;
    return 4098 * saturationVapourPressure(temperature) / (denominator * denominator);
}

long double windAtTwoMetres(long double speed, long double height)
{
    // Eq. 47 gives 1.0002 at 2 m itself; a reading already at 2 m stays as it is.
    if (height == 2)
        return speed;
    return speed * 4.87L / std::log(67.8L * height - 5.42L);
}

std::optional<long double> actualVapourPressure(long double tMax, long double tMin,
                                                const Humidity &h)
{
    if (h.vapourPressure)
        return *h.vapourPressure;
    if (h.dewPoint)
        return saturationVapourPressure(*h.dewPoint);
    const long double atMax = saturationVapourPressure(tMax);
    const long double atMin = saturationVapourPressure(tMin);
    if (h.rhMax && h.rhMin)
        return (atMin * *h.rhMax / 100 + atMax * *h.rhMin / 100) / 2;
    if (h.rhMax)
        return atMin * *h.rhMax / 100;
    if (h.rhMean)
        return *h.rhMean / 100 * (atMax + atMin) / 2;
    return std::nullopt;
}

long double radiationFromTemperature(long double tMax, long double tMin,
                                     long double extraterrestrial, long double clearSky,
                                     long double coefficient)
{
    const long double rs = coefficient * std::sqrt(std::max(tMax - tMin, 0.0L)) * extraterrestrial;
    return std::min(rs, clearSky);
}

long double monthlySoilHeatFlux(long double previousMonth, long double nextMonth)
{
    return 0.07L * (nextMonth - previousMonth);
}

long double monthlySoilHeatFluxWithoutNext(long double previousMonth, long double month)
{
    return 0.14L * (month - previousMonth);
}

PenmanMonteithTerms penmanMonteith(const PenmanMonteithDay &day)
{
    const std::optional<long double> ea = actualVapourPressure(day.tMax, day.tMin, day.humidity);

    PenmanMonteithTerms t;
    t.tMean = (day.tMax + day.tMin) / 2;
    t.slope = saturationSlope(t.tMean);
    t.pressure = atmosphericPressure(day.altitude);
    t.psychrometric = psychrometricConstant(t.pressure);
    if (day.windSpeed) {
        t.windAtTwoMetres = windAtTwoMetres(*day.windSpeed, day.windHeight);
        if (t.windAtTwoMetres < kLeastWindAtTwoMetres) {
            t.windAtTwoMetres = kLeastWindAtTwoMetres;
            t.estimates.windFloor = true;
        }
    } else {
        t.windAtTwoMetres = kDefaultWindAtTwoMetres;
        t.estimates.defaultWind = true;
    }
    t.windFactor = 1 + 0.34L * t.windAtTwoMetres;
    const long double denominator = t.slope + t.psychrometric * t.windFactor;
    t.radiationWeight = t.slope / denominator;
    t.aerodynamicWeight = t.psychrometric / denominator;
    t.windTransfer = 900 / (t.tMean + 273) * t.windAtTwoMetres;

    t.saturationAtTMax = saturationVapourPressure(day.tMax);
    t.saturationAtTMin = saturationVapourPressure(day.tMin);
    t.saturation = (t.saturationAtTMax + t.saturationAtTMin) / 2;
    // Where no humidity was measured the night's minimum stands near the dew point (eq. 48).
    t.actual = ea ? *ea : t.saturationAtTMin;
    t.estimates.vapourFromTMin = !ea;
    t.deficit = t.saturation - t.actual;

    t.inverseDistance = inverseRelativeDistance(day.dayOfYear);
    t.declination = solarDeclination(day.dayOfYear);
    t.sunsetAngle = sunsetHourAngle(day.latitude, t.declination);
    t.extraterrestrial = extraterrestrialRadiation(day.latitude, day.dayOfYear);
    t.daylightHours = daylightHours(day.latitude, day.dayOfYear);
    t.clearSky = (0.75L + 2e-5L * day.altitude) * t.extraterrestrial;
    if (day.solarRadiation) {
        t.solar = *day.solarRadiation;
    } else if (day.sunshineHours) {
        // In polar night N is 0 and so is Ra: the ratio does not matter there.
        const long double ratio =
            t.daylightHours > 0 ? std::min(*day.sunshineHours / t.daylightHours, 1.0L) : 0;
        t.solar = (kAngstromA + kAngstromB * ratio) * t.extraterrestrial;
    } else {
        t.solar = radiationFromTemperature(day.tMax, day.tMin, t.extraterrestrial, t.clearSky,
                                           day.radiationCoefficient);
        t.estimates.radiationFromTemperature = true;
    }
    t.netShortwave = (1 - kReferenceAlbedo) * t.solar;

    t.emittedAtTMax = kStefanBoltzmann * fourthPower(day.tMax + kKelvin);
    t.emittedAtTMin = kStefanBoltzmann * fourthPower(day.tMin + kKelvin);
    t.humidityFactor = 0.34L - 0.14L * std::sqrt(std::max(t.actual, 0.0L));
    // FAO-56 bounds Rs/Rso to 1 (a measured Rs can exceed the computed Rso on a bright
    // day); without sun, Rso is 0 and the sky counts as overcast.
    t.relativeSolar = t.clearSky > 0 ? std::min(t.solar / t.clearSky, 1.0L) : 0.3L;
    t.cloudinessFactor = 1.35L * t.relativeSolar - 0.35L;
    t.meanEmitted = (t.emittedAtTMax + t.emittedAtTMin) / 2;
    t.netLongwave = t.meanEmitted * t.humidityFactor * t.cloudinessFactor;
    t.netRadiation = t.netShortwave - t.netLongwave;
    t.soilHeatFlux = day.soilHeatFlux;
    t.energyAsEvaporation = kToMillimetres * (t.netRadiation - t.soilHeatFlux);

    // Eq. 6 split as the paper's calculation sheets split it (Box 11), so that each printed
    // step of a worked example has a value here to be checked against.
    t.radiationTerm = t.radiationWeight * t.energyAsEvaporation;
    t.aerodynamicTerm = t.aerodynamicWeight * t.windTransfer * t.deficit;
    t.eto = t.radiationTerm + t.aerodynamicTerm;
    return t;
}

long double hargreavesSamani(long double tMax, long double tMin, long double latitude,
                             int dayOfYear)
{
    const long double range = std::max(tMax - tMin, 0.0L);
    const long double ra = kToMillimetres * extraterrestrialRadiation(latitude, dayOfYear);
    return 0.0023L * ((tMax + tMin) / 2 + 17.8L) * std::sqrt(range) * ra;
}

} // namespace tavi::eto
