#pragma once

// What a local day of an INMET file should come to, worked out from the hours the test wrote
// (support/InmetYear.h) by the reader's rules written out once more: short gaps filled, the
// day's figures, and its ETo by FAO-56's equations (support/Fao56ByHand.h).

#include "core/weather/ShortGapFilling.h"
#include "core/weather/WeatherDay.h"

#include "support/Fao56ByHand.h"
#include "support/InmetYear.h"

#include <QDate>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace inmet
{

struct Expected {
    double tMax = kNaN, tMin = kNaN, rhMax = kNaN, rhMin = kNaN, rh = kNaN, dew = kNaN, wind = kNaN,
           rain = kNaN, radiation = kNaN;
    int interpolatedHours = 0;
    int method = int(tavi::eto::Method::Missing);
    double eto = kNaN;
};

using HourSeries = std::array<double, 24>;

// The runs of one or two missing hours with a reading on each side, `fill(before, after)`
// called for each; whether an hour was filled goes into `filled`.
template <typename Fill> void fillShortRuns(const HourSeries &v, bool (&filled)[24], Fill fill)
{
    int before = -1;
    for (int h = 0; h < 24; ++h) {
        if (std::isnan(v[static_cast<std::size_t>(h)]))
            continue;
        if (before >= 0 && h - before >= 2 && h - before <= 1 + tavi::eto::kLongestFilledGap) {
            fill(before, h);
            for (int g = before + 1; g < h; ++g)
                filled[g] = true;
        }
        before = h;
    }
}

// Radiation through the clearness index kJ/MJ of the neighbours that see the sun.
inline void fillRadiation(const QDate &day, HourSeries &kj, int before, int after)
{
    const double least = static_cast<double>(tavi::eto::kLeastClearnessRa);
    const double raBefore = raOfLocalHour(day, before + 1), raAfter = raOfLocalHour(day, after + 1);
    const double a = std::max(0.0, kj[static_cast<std::size_t>(before)]);
    const double b = std::max(0.0, kj[static_cast<std::size_t>(after)]);
    for (int h = before + 1; h < after; ++h) {
        const double t = double(h - before) / (after - before), ra = raOfLocalHour(day, h + 1);
        double v = 0;
        if (ra > 0 && raBefore >= least && raAfter >= least)
            v = ra * (a / raBefore * (1 - t) + b / raAfter * t);
        else if (ra > 0 && raBefore >= least)
            v = ra * a / raBefore;
        else if (ra > 0 && raAfter >= least)
            v = ra * b / raAfter;
        else if (ra > 0)
            v = a + (b - a) * t;
        kj[static_cast<std::size_t>(h)] = v;
    }
}

// `fillGaps` false gives what the day came to before short gaps were filled.
inline Expected expectedDay(const QDate &day, const DayHours &hours, bool fillGaps = true)
{
    const auto pick = [](double a, double b) { return std::isnan(a) ? b : a; };
    enum { Rain, Radiation, TMax, TMin, RhMax, RhMin, Rh, Dew, Wind, kSeries };
    HourSeries s[kSeries];
    for (std::size_t k = 0; k < 24; ++k) {
        const Hour &h = hours[k];
        s[Rain][k] = h.rain;
        s[Radiation][k] = h.radiation;
        s[TMax][k] = pick(h.tMax, h.dryBulb);
        s[TMin][k] = pick(h.tMin, h.dryBulb);
        s[RhMax][k] = pick(h.rhMax, h.rh);
        s[RhMin][k] = pick(h.rhMin, h.rh);
        s[Rh][k] = h.rh;
        s[Dew][k] = h.dew;
        s[Wind][k] = h.wind;
    }
    Expected e;
    if (fillGaps) {
        bool filled[24] = {};
        for (int q = TMax; q < kSeries; ++q)
            fillShortRuns(s[q], filled, [&](int a, int b) {
                for (int g = a + 1; g < b; ++g)
                    s[q][g] = s[q][a] + (s[q][b] - s[q][a]) * (g - a) / (b - a);
            });
        fillShortRuns(s[Radiation], filled,
                      [&](int a, int b) { fillRadiation(day, s[Radiation], a, b); });
        e.interpolatedHours = int(std::count(std::begin(filled), std::end(filled), true));
    }

    const auto count = [](const HourSeries &v) {
        return int(std::count_if(v.begin(), v.end(), [](double x) { return !std::isnan(x); }));
    };
    const auto enough = [&](const HourSeries &v) { return count(v) >= 18; };
    const auto high = [&](const HourSeries &v) {
        double m = -1e9;
        for (double x : v)
            m = std::isnan(x) ? m : std::max(m, x);
        return enough(v) ? m : kNaN;
    };
    const auto low = [&](const HourSeries &v) {
        double m = 1e9;
        for (double x : v)
            m = std::isnan(x) ? m : std::min(m, x);
        return enough(v) ? m : kNaN;
    };
    const auto sum = [&](const HourSeries &v) {
        double total = 0;
        for (double x : v)
            total += std::isnan(x) ? 0 : x;
        return total;
    };
    e.tMax = high(s[TMax]);
    e.tMin = low(s[TMin]);
    e.rhMax = high(s[RhMax]);
    e.rhMin = low(s[RhMin]);
    e.rh = enough(s[Rh]) ? sum(s[Rh]) / count(s[Rh]) : kNaN;
    e.dew = enough(s[Dew]) ? sum(s[Dew]) / count(s[Dew]) : kNaN;
    e.wind = enough(s[Wind]) ? sum(s[Wind]) / count(s[Wind]) : kNaN;
    e.rain = enough(s[Rain]) ? sum(s[Rain]) : kNaN;
    // Radiation counts when its missing hours would have brought at most 5 % of the day's
    // extraterrestrial radiation.
    double raDay = 0, raMissing = 0, kj = 0;
    for (int k = 0; k < 24; ++k) {
        const double ra = raOfLocalHour(day, k + 1), v = s[Radiation][static_cast<std::size_t>(k)];
        raDay += ra;
        raMissing += std::isnan(v) ? ra : 0;
        kj += std::isnan(v) ? 0 : std::max(0.0, v);
    }
    if (raMissing <= 0.05 * raDay)
        e.radiation = kj / 1000;

    if (std::isnan(e.tMax) || std::isnan(e.tMin))
        return e;
    const int j = day.dayOfYear();
    double ea = kNaN;
    if (!std::isnan(e.dew))
        ea = fao56::saturation(e.dew);
    else if (!std::isnan(e.rhMax) && !std::isnan(e.rhMin))
        ea = (fao56::saturation(e.tMin) * e.rhMax + fao56::saturation(e.tMax) * e.rhMin) / 200;
    else if (!std::isnan(e.rhMax))
        ea = fao56::saturation(e.tMin) * e.rhMax / 100;
    else if (!std::isnan(e.rh))
        ea = e.rh / 100 * (fao56::saturation(e.tMax) + fao56::saturation(e.tMin)) / 2;
    else
        ea = fao56::saturation(e.tMin); // eq. 48
    const double rs = std::isnan(e.radiation)
                          ? fao56::rsFromTemperature(e.tMax, e.tMin, kLatitude, kAltitude, j, 0.16)
                          : e.radiation;
    const double u2 =
        std::isnan(e.wind) ? 2 : std::max(0.5, e.wind * 4.87 / std::log(67.8 * 10 - 5.42));
    e.method = int(tavi::eto::Method::PenmanMonteith);
    e.eto = fao56::penmanMonteith(kLatitude, kAltitude, j, e.tMax, e.tMin, ea, u2, rs);
    return e;
}

inline QString shown(const std::optional<long double> &v)
{
    return v ? QString::number(static_cast<double>(*v), 'g', 12) : QStringLiteral("missing");
}

// The first figure of the day read that is not the one expected, as "2023-01-30 Rs: read 18.2,
// made 18.3"; empty when all are.
inline QString mismatch(const tavi::eto::DailyRecord &r, const Expected &e)
{
    const std::pair<const char *, std::pair<const std::optional<long double> *, double>> checks[] =
        {{"Tmax", {&r.tMax, e.tMax}},
         {"Tmin", {&r.tMin, e.tMin}},
         {"RHmax", {&r.rhMax, e.rhMax}},
         {"RHmin", {&r.rhMin, e.rhMin}},
         {"RH", {&r.rhMean, e.rh}},
         {"dew point", {&r.dewPoint, e.dew}},
         {"wind", {&r.windSpeed, e.wind}},
         {"rainfall", {&r.rainfall, e.rain}},
         {"Rs", {&r.solarRadiation, e.radiation}}};
    const QString day = r.date.toString(Qt::ISODate);
    for (const auto &[what, figures] : checks) {
        const auto &[read, expected] = figures;
        const bool same =
            *read ? std::fabs(static_cast<double>(**read) - expected) < 1e-9 : std::isnan(expected);
        if (!same)
            return QStringLiteral("%1 %2: read %3, made %4")
                .arg(day, QString::fromUtf8(what), shown(*read))
                .arg(expected);
    }
    if (r.interpolatedHours != e.interpolatedHours)
        return QStringLiteral("%1: %2 hours filled, made %3")
            .arg(day)
            .arg(r.interpolatedHours)
            .arg(e.interpolatedHours);
    return {};
}

} // namespace inmet
