#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

// Figures meant for reading rather than for copying back into a field: annual volumes, shares,
// peaks and monthly sums in the summary, its report and its charts. The grids of days keep the
// general format, which reads back exactly.
namespace tavi
{

// The places each kind of figure is read with.
constexpr int kVolumeDecimals = 0; // m³ and m³/dia: "177.229.279"
constexpr int kShareDecimals = 1;  // %: "98,7"
constexpr int kDepthDecimals = 1;  // mm: "4,8"
constexpr int kFlowDecimals = 3;   // m³/s: "7,782"

// Thousands grouped as the locale groups them and `decimals` places, rounded half away from
// zero. A value that is not zero but would show as zero gets the places that show its first
// two significant digits ("0,0012"): nothing real reads as nothing.
QString formatReadable(long double value, int decimals,
                       const LocaleSettings &locale = LocaleSettings::current());

// The same followed by its unit after a non-breaking space: "177.229.279 m³".
QString formatReadable(long double value, int decimals, const QString &unit,
                       const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi
