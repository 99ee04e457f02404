#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/dilution/DilutionModel.h"
#include "core/study/Study.h"

#include <memory>

// The dilution window's "Simular" without the window.
namespace tavi::dilution
{

// The seven fields the model reads (ce_2 to ce_8), as the window holds them; the river's
// velocity (ce_1) and the total travel time (ce_9) enter no formula.
DilutionInputs readInputs(const WindowInputs &inputs, const LocaleSettings &locale);

struct Result {
    Result();
    ~Result();
    Result(Result &&) noexcept;
    Result &operator=(Result &&) noexcept;

    // The window's result grid (SG_Resultado) and its contribution matrix (SG), headings and
    // point numbers written.
    std::unique_ptr<CellTable> results;
    std::unique_ptr<CellTable> contributions;
    // The largest accumulated flow, held as a 64-bit double (0 when none is positive), and
    // its text as the window's box shows it; empty when the run stopped.
    double maximum = 0;
    QString maximumText;
    // The first discharge point where that flow occurs; 0 when none is positive.
    int maximumPoint = 0;
};

// Every number goes into its cell as general-format text, and every later step works with the
// value that text reads as (fifteen significant digits):
//  1. for points 1 to N: effluent flow and BOD5 (the totals over N) and the dilution flow
//     ((BOD5 − permitted) / (permitted − river)) × flow; points beyond N discharge nothing;
//  2. for each discharge d: its own unavailable flow (effluent plus dilution flow) at d, and
//     that flow decayed over the p − d travel intervals to each point p below it,
//     own × e^((−K × Δt) × (p − d));
//  3. for every point p of the 50: the contributions of discharges 1 to min(p, N), added in
//     that order;
//  4. the largest of them.
// A bad count of points throws the TaviError of dischargePointCount before anything is
// written; FloatError ends a step where it happens, and what was written stays in `result`.
void run(const DilutionInputs &in, const LocaleSettings &locale, Result &result);
Result run(const DilutionInputs &in, const LocaleSettings &locale);

} // namespace tavi::dilution
