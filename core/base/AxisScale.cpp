#include "core/base/AxisScale.h"

#include <algorithm>
#include <cmath>

namespace tavi
{

namespace
{

constexpr int kAboutSteps = 5;
// Beyond these the fixed labels would be too long to read: scientific for all of them.
constexpr double kLargestFixed = 1e15;
constexpr int kMostFixedDecimals = 6;

// 1, 2, 2.5 or 5 times a power of ten, the nearest at or above `rough`.
double niceStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (factor * power >= rough * (1 - 1e-9))
            return factor * power;
    return 10 * power;
}

// The places a label needs to tell one step from the next: 0.25 needs two, 250 none.
int decimalsOf(double step)
{
    for (int places = 0; places <= kMostFixedDecimals; ++places) {
        const double scaled = step * std::pow(10.0, places);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * scaled)
            return places;
    }
    return kMostFixedDecimals + 1;
}

} // namespace

AxisScale valueAxisScale(double low, double high, AxisBase base)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0;
        high = 0;
    }
    if (low > high)
        std::swap(low, high);
    AxisScale scale;
    const double span = high - low;
    if (base == AxisBase::Zero || (low >= 0 && low <= span) || (high <= 0 && -high <= span)) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    } else {
        scale.broken = true;
    }
    if (low == high) {
        // A constant still needs a band to stand in.
        const double margin = low == 0 ? 1 : std::fabs(low) * 0.1;
        low -= low == 0 ? 0 : margin;
        high += margin;
    }
    scale.step = niceStep((high - low) / kAboutSteps);
    scale.min = std::floor(low / scale.step + 1e-9) * scale.step;
    scale.max = std::ceil(high / scale.step - 1e-9) * scale.step;
    if (scale.min == scale.max)
        scale.max += scale.step;
    scale.broken = scale.broken && (scale.min > 0 || scale.max < 0);
    scale.tickCount = static_cast<int>(std::lround((scale.max - scale.min) / scale.step)) + 1;
    const double largest = std::max(std::fabs(scale.min), std::fabs(scale.max));
    const int places = decimalsOf(scale.step);
    scale.scientific = largest >= kLargestFixed || places > kMostFixedDecimals;
    scale.decimals = scale.scientific ? 0 : places;
    return scale;
}

} // namespace tavi
