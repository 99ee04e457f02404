#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/supply/PublicSupplyModel.h"
#include "core/study/Study.h"
#include "core/tables/DaySeries.h"

#include <memory>
#include <optional>

// The public supply window's "Simular" without the window: the fields as a study keeps them
// go in, the texts the window shows come out.
namespace tavi::supply
{

// The fields as the window holds them: me_1 to me_5 and the prices at two decimals, the
// elasticities at six.
PublicSupplyInputs readInputs(const WindowInputs &inputs, const LocaleSettings &locale);

// The window's grid SG_Resultado: "DIA", "ATUAL" and "FUTURA" over days 1 to 365 (no day 366),
// its headings written.
constexpr int kGridColumns = 3;
constexpr int kGridDays = 365;
CellTable *newGrid(QObject *parent = nullptr);

struct Result {
    Result();
    ~Result();
    Result(Result &&) noexcept;
    Result &operator=(Result &&) noexcept;

    std::unique_ptr<CellTable> grid;
    // Next year's per-capita demand as its field (me_demanda) holds it, at four decimals;
    // none when the run stopped before it.
    std::optional<long double> nextYearPerCapita;
    // Days 1 to 366 of the current and of next year's gross demand, as the summary adds them:
    // day 366, beyond the grid, repeats the constant demand. Empty when the run stopped.
    DaySeries current;
    DaySeries nextYear;
};

// Checks the efficiency (a TaviError naming me_5), works out next year's per-capita demand and
// then each day's gross demand, the same every day: the net demand P_s × q_0 + (P_t − P_s) ×
// q_n (next year's with q_1 as its field holds it), divided by me_5 / 100 where an efficiency
// is given. Raises FloatError on overflow; what it wrote
// before an error stays in `result`.
void run(const PublicSupplyInputs &in, const LocaleSettings &locale, Result &result);
Result run(const PublicSupplyInputs &in, const LocaleSettings &locale);

} // namespace tavi::supply
