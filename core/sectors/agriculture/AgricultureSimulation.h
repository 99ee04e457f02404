#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/tables/DaySeries.h"

namespace tavi::agriculture
{

// The effective-rainfall rule's constants, as the window's hidden fields show them.
struct RainfallConstants {
    long double threshold = 8.3L;  // mm/day: the upper branch from here on
    long double divisor = 4.17L;   // coefficient and divisor of the lower branch
    long double lowerSlope = 0.2L; // slope of the lower branch
    long double intercept = 4.14L; // intercept of the upper branch
    long double upperSlope = 0.1L; // slope of the upper branch
};

// Effective rainfall of a day's rainfall p (already rounded to two decimals):
// p × (divisor − lowerSlope × p) ÷ divisor below the threshold, p × upperSlope + intercept
// from it on. Raises FloatError.
long double effectiveRainfall(long double p, const RainfallConstants &constants = {});

// The day's rainfall as the rule uses it: to two decimals, halves away from zero, as a numeric
// entry field of two decimals holds it.
long double roundRainfall(long double p);

// What a run writes: every table the window shows, or only the daily total, where nothing else
// is read (the municipal summary). Every value is worked out alike either way.
enum class Detail { WindowTables, DailyTotal };

// Empties what "Simular" writes: the effective rainfall, DI, DE and DB of every class and the
// total.
void clearSimulation(const Tables &tables);

// "Simular": for days 1 to 366 in order, and within a day in this order, each step reading
// what the step before wrote, as its cell shows it:
//  1. Pef from P (series column 2), written to series column 3;
//  2. for classes A to I: DI = max(0, ETP × Kc − Pef) (ETP from series column 1, Kc from
//     the class grid), written to column 0: rain beyond the crop's need asks no water;
//  3. for classes A to I: DE = DI ÷ 1000 × area × 1000000 (m3/day), written to column 1;
//  4. for classes A to I: DB = DE ÷ efficiency, the volume withdrawn to deliver DE,
//     written to column 2;
//  5. the total of DB over A to I, in that order, written to the total's row r − 1.
// Numbers are read and written in `locale`. A cell that does not read as a number throws
// ConvertError (a series cell's naming its day and column under the message), a zero
// efficiency or an overflow FloatError; what was written before stays, and what the run did
// not reach is empty. Every table written is batched, so views update once per run. Returns
// the totals of the days worked out; with Detail::DailyTotal only the total is written.
DaySeries simulate(const Tables &tables, const LocaleSettings &locale = LocaleSettings::current(),
                   Detail detail = Detail::WindowTables);

} // namespace tavi::agriculture
