#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/livestock/LivestockModel.h"
#include "core/study/Study.h"
#include "core/tables/DaySeries.h"

#include <memory>

// The livestock window's "Simular" without the window.
namespace tavi::livestock
{

// Each species' two fields as the window holds them, at two decimals.
LivestockInputs readInputs(const WindowInputs &inputs, const LocaleSettings &locale);

// The window's grid SG_Resultado: "DIA", the five species ("BOVINO" ... "GALINÁCEO") and the
// total ("m3/dia") over days 1 to 366, day 366 stored below the rows shown; headings written.
CellTable *newGrid(QObject *parent = nullptr);

struct Result {
    Result();
    ~Result();
    Result(Result &&) noexcept;
    Result &operator=(Result &&) noexcept;

    std::unique_ptr<CellTable> grid;
    // The total of days 1 to 366; empty when the run stopped.
    DaySeries total;
};

// Every day alike: heads × litres per head ÷ 1000 (m3 per day) of each species, then their
// total summed from the five texts written (the numbers as shown, species by species, first to
// last). Raises FloatError on overflow; what it wrote before stays in `result`.
void run(const LivestockInputs &in, const LocaleSettings &locale, Result &result);
Result run(const LivestockInputs &in, const LocaleSettings &locale);

} // namespace tavi::livestock
